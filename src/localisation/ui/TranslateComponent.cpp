#include "localisation/ui/TranslateComponent.h"

#include "localisation/LanguageSelection.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/GnuGettextInstance.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>
#include <optional>
#include <vector>

namespace {

const char *const UserDataProperty = "ravelinUserData";

// Properties that hold design texts. Others (object names, style sheets,
// input masks, contents of text edits) are never design texts.
const char *const TextProperties[] = {
    "windowTitle",
    "toolTip",
    "statusTip",
    "whatsThis",
    "accessibleName",
    "accessibleDescription",
    "text",
    "title",
    "subTitle",
    "placeholderText",
    "prefix",
    "suffix",
    "specialValueText",
    "iconText",
};

enum class TTextKind
{
    Property,
    TabText,
    TabToolTip,
    ToolBoxText,
    ToolBoxToolTip,
    ComboItem,
    ListItem,
    ListItemToolTip,
    TreeHeader,
    TableColumnHeader,
    TableRowHeader,
};

struct TRemembered
{
    QPointer<QObject> object;
    TTextKind kind;
    QByteArray property;
    int index;
    QString design;
    QString applied;
};

// Held by a translated window as a child: its presence is the translation
// mark, its entries the design texts.
class TTranslationRecord : public QObject
{
public:
    explicit TTranslationRecord(QWidget *window, const QString &domain)
        : QObject(window), domain(domain)
    {
        setObjectName(QStringLiteral("ravelinTranslationRecord"));
    }
    QString domain;
    QString language;
    std::vector<TRemembered> entries;
};

TTranslationRecord *RecordOf(const QObject *window)
{
    const QObjectList &children = window->children();
    for (QObject *child : children) {
        if (auto *record = dynamic_cast<TTranslationRecord *>(child))
            return record;
    }
    return nullptr;
}

bool IsUserData(const QObject *object)
{
    return object->property(UserDataProperty).toBool();
}

// Qt derives an action's tool tip and icon text from its text while none is
// set; such a value is not a design text of its own.
QString StrippedActionText(QString text)
{
    text.remove(QStringLiteral("..."));
    text.remove(QChar(0x2026));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&')
            text.remove(i, 1);
    }
    return text.trimmed();
}

// Objects whose texts mirror another object's and are set through that one.
bool IsMirror(const QObject *object)
{
    if (auto *action = qobject_cast<const QAction *>(object)) {
        if (auto *menu = qobject_cast<const QMenu *>(action->parent());
            menu && menu->menuAction() == action)
            return true;
        if (auto *dock = qobject_cast<const QDockWidget *>(action->parent());
            dock && dock->toggleViewAction() == action)
            return true;
        if (auto *bar = qobject_cast<const QToolBar *>(action->parent());
            bar && bar->toggleViewAction() == action)
            return true;
        return false;
    }
    if (auto *button = qobject_cast<const QToolButton *>(object))
        return button->defaultAction() != nullptr;
    if (auto *button = qobject_cast<const QAbstractButton *>(object)) {
        if (object->inherits("QToolBoxButton"))
            return true;
        // Standard buttons get their texts from Qt's own translations.
        if (auto *box = qobject_cast<const QDialogButtonBox *>(button->parentWidget()))
            return box->standardButton(const_cast<QAbstractButton *>(button)) !=
                   QDialogButtonBox::NoButton;
    }
    if (auto *bar = qobject_cast<const QTabBar *>(object))
        return qobject_cast<const QTabWidget *>(bar->parentWidget()) != nullptr;
    return false;
}

std::optional<QString> Read(const TRemembered &e)
{
    QObject *o = e.object.data();
    if (!o)
        return std::nullopt;
    auto inRange = [&e](int count) { return e.index >= 0 && e.index < count; };
    switch (e.kind) {
    case TTextKind::Property:
        return o->property(e.property.constData()).toString();
    case TTextKind::TabText:
    case TTextKind::TabToolTip:
        if (auto *tabs = qobject_cast<QTabWidget *>(o); tabs && inRange(tabs->count()))
            return e.kind == TTextKind::TabText ? tabs->tabText(e.index)
                                                : tabs->tabToolTip(e.index);
        if (auto *bar = qobject_cast<QTabBar *>(o); bar && inRange(bar->count()))
            return e.kind == TTextKind::TabText ? bar->tabText(e.index) : bar->tabToolTip(e.index);
        return std::nullopt;
    case TTextKind::ToolBoxText:
    case TTextKind::ToolBoxToolTip:
        if (auto *box = qobject_cast<QToolBox *>(o); box && inRange(box->count()))
            return e.kind == TTextKind::ToolBoxText ? box->itemText(e.index)
                                                    : box->itemToolTip(e.index);
        return std::nullopt;
    case TTextKind::ComboItem:
        if (auto *combo = qobject_cast<QComboBox *>(o); combo && inRange(combo->count()))
            return combo->itemText(e.index);
        return std::nullopt;
    case TTextKind::ListItem:
    case TTextKind::ListItemToolTip:
        if (auto *list = qobject_cast<QListWidget *>(o); list && inRange(list->count()))
            return e.kind == TTextKind::ListItem ? list->item(e.index)->text()
                                                 : list->item(e.index)->toolTip();
        return std::nullopt;
    case TTextKind::TreeHeader:
        if (auto *tree = qobject_cast<QTreeWidget *>(o); tree && inRange(tree->columnCount()))
            return tree->headerItem()->text(e.index);
        return std::nullopt;
    case TTextKind::TableColumnHeader:
        if (auto *table = qobject_cast<QTableWidget *>(o);
            table && inRange(table->columnCount()) && table->horizontalHeaderItem(e.index))
            return table->horizontalHeaderItem(e.index)->text();
        return std::nullopt;
    case TTextKind::TableRowHeader:
        if (auto *table = qobject_cast<QTableWidget *>(o);
            table && inRange(table->rowCount()) && table->verticalHeaderItem(e.index))
            return table->verticalHeaderItem(e.index)->text();
        return std::nullopt;
    }
    return std::nullopt;
}

void Write(const TRemembered &e, const QString &text)
{
    QObject *o = e.object.data();
    switch (e.kind) {
    case TTextKind::Property:
        o->setProperty(e.property.constData(), text);
        break;
    case TTextKind::TabText:
        if (auto *tabs = qobject_cast<QTabWidget *>(o))
            tabs->setTabText(e.index, text);
        else if (auto *bar = qobject_cast<QTabBar *>(o))
            bar->setTabText(e.index, text);
        break;
    case TTextKind::TabToolTip:
        if (auto *tabs = qobject_cast<QTabWidget *>(o))
            tabs->setTabToolTip(e.index, text);
        else if (auto *bar = qobject_cast<QTabBar *>(o))
            bar->setTabToolTip(e.index, text);
        break;
    case TTextKind::ToolBoxText:
        static_cast<QToolBox *>(o)->setItemText(e.index, text);
        break;
    case TTextKind::ToolBoxToolTip:
        static_cast<QToolBox *>(o)->setItemToolTip(e.index, text);
        break;
    case TTextKind::ComboItem:
        static_cast<QComboBox *>(o)->setItemText(e.index, text);
        break;
    case TTextKind::ListItem:
        static_cast<QListWidget *>(o)->item(e.index)->setText(text);
        break;
    case TTextKind::ListItemToolTip:
        static_cast<QListWidget *>(o)->item(e.index)->setToolTip(text);
        break;
    case TTextKind::TreeHeader:
        static_cast<QTreeWidget *>(o)->headerItem()->setText(e.index, text);
        break;
    case TTextKind::TableColumnHeader:
        static_cast<QTableWidget *>(o)->horizontalHeaderItem(e.index)->setText(text);
        break;
    case TTextKind::TableRowHeader:
        static_cast<QTableWidget *>(o)->verticalHeaderItem(e.index)->setText(text);
        break;
    }
}

class TCollector
{
public:
    explicit TCollector(const TGnuGettextInstance &engine) : m_engine(engine) {}
    std::vector<TRemembered> entries;

    void walk(QObject *object, bool isRoot)
    {
        if (!isRoot) {
            if (dynamic_cast<TTranslationRecord *>(object) || RecordOf(object))
                return;
            // Other windows translate themselves; menus and docks belong to this one.
            if (auto *w = qobject_cast<QWidget *>(object);
                w && w->isWindow() && !qobject_cast<QMenu *>(w) && !qobject_cast<QDockWidget *>(w))
                return;
        }
        if (m_engine.IsIgnored(object))
            return;
        if (!IsUserData(object) && !IsMirror(object)) {
            collectProperties(object);
            collectItems(object);
        }
        const QObjectList children = object->children();
        for (QObject *child : children)
            walk(child, false);
    }

private:
    void add(QObject *o, TTextKind kind, const QString &text, int index = -1,
             const QByteArray &property = {})
    {
        if (!text.isEmpty())
            entries.push_back({o, kind, property, index, text, text});
    }

    void collectProperties(QObject *o)
    {
        const QMetaObject *meta = o->metaObject();
        auto *action = qobject_cast<QAction *>(o);
        for (const char *name : TextProperties) {
            const int i = meta->indexOfProperty(name);
            if (i < 0)
                continue;
            const QMetaProperty property = meta->property(i);
            if (!property.isWritable() || property.metaType().id() != QMetaType::QString)
                continue;
            const QString propertyName = QString::fromLatin1(name);
            if (m_engine.IsIgnored(o, propertyName))
                continue;
            const QString value = property.read(o).toString();
            if (action && (propertyName == u"toolTip" || propertyName == u"iconText") &&
                value == StrippedActionText(action->text()))
                continue;
            add(o, TTextKind::Property, value, -1, QByteArray(name));
        }
    }

    void collectItems(QObject *o)
    {
        if (auto *tabs = qobject_cast<QTabWidget *>(o)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(o, TTextKind::TabText, tabs->tabText(i), i);
                add(o, TTextKind::TabToolTip, tabs->tabToolTip(i), i);
            }
        } else if (auto *bar = qobject_cast<QTabBar *>(o)) {
            for (int i = 0; i < bar->count(); ++i) {
                add(o, TTextKind::TabText, bar->tabText(i), i);
                add(o, TTextKind::TabToolTip, bar->tabToolTip(i), i);
            }
        } else if (auto *box = qobject_cast<QToolBox *>(o)) {
            for (int i = 0; i < box->count(); ++i) {
                add(o, TTextKind::ToolBoxText, box->itemText(i), i);
                add(o, TTextKind::ToolBoxToolTip, box->itemToolTip(i), i);
            }
        } else if (auto *combo = qobject_cast<QComboBox *>(o)) {
            for (int i = 0; i < combo->count(); ++i)
                add(o, TTextKind::ComboItem, combo->itemText(i), i);
        } else if (auto *list = qobject_cast<QListWidget *>(o)) {
            for (int i = 0; i < list->count(); ++i) {
                add(o, TTextKind::ListItem, list->item(i)->text(), i);
                add(o, TTextKind::ListItemToolTip, list->item(i)->toolTip(), i);
            }
        } else if (auto *tree = qobject_cast<QTreeWidget *>(o)) {
            for (int i = 0; i < tree->columnCount(); ++i)
                add(o, TTextKind::TreeHeader, tree->headerItem()->text(i), i);
        } else if (auto *table = qobject_cast<QTableWidget *>(o)) {
            for (int i = 0; i < table->columnCount(); ++i) {
                if (table->horizontalHeaderItem(i))
                    add(o, TTextKind::TableColumnHeader, table->horizontalHeaderItem(i)->text(), i);
            }
            for (int i = 0; i < table->rowCount(); ++i) {
                if (table->verticalHeaderItem(i))
                    add(o, TTextKind::TableRowHeader, table->verticalHeaderItem(i)->text(), i);
            }
        }
    }

    const TGnuGettextInstance &m_engine;
};

QString Translate(const QString &domain, const QString &text)
{
    TGnuGettextInstance &engine = GnuGettext::DefaultInstance();
    return domain.isEmpty() ? engine.ComponentGettext(text) : engine.dgettext(domain, text);
}

} // namespace

void TranslateComponent(QWidget *window, const QString &domain)
{
    if (!window || RecordOf(window))
        return;
    TCollector collector(GnuGettext::DefaultInstance());
    collector.walk(window, true);
    auto *record = new TTranslationRecord(window, domain);
    record->language = GnuGettext::GetCurrentLanguage();
    record->entries = std::move(collector.entries);
    // Every design text is read before any is set: some texts follow others
    // (a tool button its action), and must be remembered untranslated.
    for (TRemembered &e : record->entries) {
        const QString text = Translate(domain, e.design);
        if (text != e.design) {
            Write(e, text);
            e.applied = text;
        }
    }
}

void RetranslateComponent(QWidget *window)
{
    TTranslationRecord *record = window ? RecordOf(window) : nullptr;
    if (!record)
        throw ERavelinError(QStringLiteral("The window was never translated."));
    record->language = GnuGettext::GetCurrentLanguage();
    for (TRemembered &e : record->entries) {
        const std::optional<QString> current = Read(e);
        // Gone, or changed by the window itself since: no longer a design text.
        if (!current || *current != e.applied)
            continue;
        const QString text = Translate(record->domain, e.design);
        if (text != *current)
            Write(e, text);
        e.applied = text;
    }
}

bool IsTranslated(const QWidget *window)
{
    return window && RecordOf(window);
}

void MarkUserData(QObject *object, bool userData)
{
    if (object)
        object->setProperty(UserDataProperty, userData);
}

void RetranslateAllWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        try {
            if (IsTranslated(window))
                RetranslateComponent(window);
        } catch (...) {
            // One window that cannot be retranslated must not stop the others.
        }
    }
}

void InstallWindowTranslation()
{
    GnuGettext::SetRetranslateHandler(&RetranslateAllWindows);
    GnuGettext::SetProblemHandler([](const QString &title, const QString &text) {
        QMessageBox::warning(nullptr, title, text);
    });
}
