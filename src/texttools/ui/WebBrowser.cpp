#include "texttools/ui/WebBrowser.h"

#include "dialogs/ActionImages.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/StringUtils.h"
#include "support/SystemOpen.h"
#include "texttools/WebBrowserPage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <new>

namespace {

// Symbolic theme icons come in a light grey that reads as "disabled" on a
// toolbar: drawn in the text colour they look enabled, and Qt still greys
// out the disabled ones.
QIcon InTextColour(const QIcon &icon, const QPalette &palette)
{
    QIcon tinted;
    for (const int size : {16, 22, 24, 32, 48}) {
        QPixmap pixmap = icon.pixmap(size);
        if (pixmap.isNull())
            continue;
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), palette.color(QPalette::Active, QPalette::ButtonText));
        painter.end();
        tinted.addPixmap(pixmap);
    }
    return tinted.isNull() ? icon : tinted;
}

constexpr int PanelHeight = 33;
constexpr int IconSize = 20;
constexpr int StateNormal = 0;
constexpr int StateMinimised = 1;
constexpr int StateMaximised = 2;

QString ErrorPage(const QString &message)
{
    return QStringLiteral("<html><body><h3>") + D_("The page cannot be shown").toHtmlEscaped() +
           QStringLiteral("</h3><p>") + message.toHtmlEscaped() +
           QStringLiteral("</p></body></html>");
}

// Reads the local pages itself: old manuals are seldom UTF-8, plain text
// keeps its lines, and a missing page says so instead of staying blank.
class TManualBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl &name) override
    {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (type != QTextDocument::HtmlResource || !url.isLocalFile())
            return QTextBrowser::loadResource(type, name);
        const QString file = url.toLocalFile();
        const QFileInfo info(file);
        if (!info.exists())
            return ErrorPage(SafeFormat(D_("The file \"%s\" does not exist."), file));
        QFile f(file);
        if (!info.isFile() || info.size() > MaxPageSize || !f.open(QIODevice::ReadOnly))
            return ErrorPage(SafeFormat(D_("The file \"%s\" cannot be read."), file));
        const QByteArray data = f.read(MaxPageSize);
        return PageKindOf(url) == TPageKind::pkText ? PlainTextPage(data) : DecodeHtmlPage(data);
    }
};

} // namespace

TWebBrowserWin::TWebBrowserWin(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("WebBrowserWin"));
    setSizeGripEnabled(false);

    paTop = new QWidget(this);
    paTop->setObjectName(QStringLiteral("paTop"));
    tbButtons = new QToolBar(paTop);
    tbButtons->setObjectName(QStringLiteral("tbButtons"));
    tbButtons->setIconSize(QSize(ScaleByDpi(IconSize, this), ScaleByDpi(IconSize, this)));
    tbButtons->setToolButtonStyle(Qt::ToolButtonIconOnly);
    CreateActions();

    edURL = new QLineEdit(paTop);
    edURL->setObjectName(QStringLiteral("edURL"));
    edURL->installEventFilter(this);

    auto sizeButton = [this](const char *name, const char *caption) {
        auto *button = new QToolButton(paTop);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromLatin1(caption));
        button->setToolTip(ND_("Window size"));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    btnSize1 = sizeButton("btnSize1", "640x480");
    btnSize2 = sizeButton("btnSize2", "800x600");
    btnSize3 = sizeButton("btnSize3", "1024x768");
    connect(btnSize1, &QToolButton::clicked, this, [this] { btnSize1Click(); });
    connect(btnSize2, &QToolButton::clicked, this, [this] { btnSize2Click(); });
    connect(btnSize3, &QToolButton::clicked, this, [this] { btnSize3Click(); });

    auto *top = new QHBoxLayout(paTop);
    top->setContentsMargins(ScaleByDpi(2, this), 0, ScaleByDpi(2, this), 0);
    top->setSpacing(ScaleByDpi(3, this));
    top->addWidget(tbButtons);
    top->addWidget(edURL, 1);
    for (QToolButton *button : {btnSize1, btnSize2, btnSize3})
        top->addWidget(button);
    paTop->setFixedHeight(qMax(ScaleByDpi(PanelHeight, this), top->sizeHint().height()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(paTop);
    layout->addStretch(1);

    TranslateComponent(this, QStringLiteral("dialogs"));
    HForm = QRect(DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight);
    move(HForm.topLeft());
    resize(HForm.size());
}

void TWebBrowserWin::CreateActions()
{
    struct TDef
    {
        QAction *TWebBrowserWin::*Field;
        const char *Name;
        QString Caption;
        QString Hint;
        const char *Icon;
        QStyle::StandardPixmap Fallback;
        void (TWebBrowserWin::*Execute)();
    };
    using W = TWebBrowserWin;
    const TDef defs[] = {
        {&W::ActionRefresh, "ActionRefresh", ND_("Reload"), ND_("Reload"), "view-refresh",
         QStyle::SP_BrowserReload, &W::ActionRefreshExecute},
        {&W::ActionBack, "ActionBack", ND_("Back"), ND_("Previous page"), "go-previous",
         QStyle::SP_ArrowBack, &W::ActionBackExecute},
        {&W::ActionHome, "ActionHome", ND_("Home"), ND_("Home"), "go-home", QStyle::SP_DirHomeIcon,
         &W::ActionHomeExecute},
        {&W::ActionFwd, "ActionFwd", ND_("Forward"), ND_("Next page"), "go-next",
         QStyle::SP_ArrowForward, &W::ActionFwdExecute},
        // It brings the calling window to the front (F1 for the manuals).
        {&W::ActionEdit, "ActionEdit", ND_("Main window"), ND_("Switch to the main window"),
         "go-up", QStyle::SP_ArrowUp, &W::ActionEditExecute},
        {&W::ActionExit, "ActionExit", ND_("Exit"), ND_("OK and close"), "object-select",
         QStyle::SP_DialogOkButton, &W::ActionExitExecute},
        {&W::ActionCancel, "ActionCancel", ND_("Cancel"), ND_("Close"), "window-close",
         QStyle::SP_DialogCloseButton, &W::ActionCancelExecute},
    };
    for (const TDef &def : defs) {
        const QString icon = QString::fromLatin1(def.Icon);
        const QString symbolic = icon + QStringLiteral("-symbolic");
        auto *action =
            new QAction(InTextColour(ThemeIcon({icon, symbolic}, def.Fallback, this), palette()),
                        def.Caption, this);
        action->setObjectName(QString::fromLatin1(def.Name));
        // A hint equal to the caption is the action's own tool tip, which
        // follows the caption when the language changes.
        if (def.Hint != def.Caption)
            action->setToolTip(def.Hint);
        const auto execute = def.Execute;
        connect(action, &QAction::triggered, this, [this, execute] { (this->*execute)(); });
        this->*def.Field = action;
        if (def.Field == &W::ActionEdit)
            tbButtons->addSeparator();
        tbButtons->addAction(action);
    }
    // Alt+Left and Alt+Right, and the keyboard's browser keys.
    ActionBack->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)});
    ActionFwd->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Forward)});
    ActionRefresh->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::Key_Refresh)});
    ActionHome->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    ActionBack->setEnabled(false);
    ActionFwd->setEnabled(false);
    ActionExit->setVisible(false);
}

// ---------------------------------------------------------------------------
// Showing pages

bool TWebBrowserWin::Execute(QWidget *ACaller, const QString &Title, const QString &URL,
                             const QString &Org, bool ShowOk, const QKeySequence &ShCut)
{
    FCaller = ACaller;
    const QUrl url = BrowserUrl(URL);
    const bool modal = ShCut.isEmpty();
    ActionExit->setVisible(modal && ShowOk);
    ActionEdit->setVisible(!modal);
    ActionEdit->setShortcut(ShCut);

    if (isVisible() && WebBrowser && SameAddress(WebBrowser->source(), url)) {
        BringToFront();
        return false;
    }
    // The viewer cannot fetch from the web: such an address goes to the
    // desktop's browser instead of an empty window.
    if (PageKindOf(url) == TPageKind::pkOther) {
        OpenOutside(url);
        return false;
    }
    if (!WebBrowser)
        CreateBrowserControl();
    if (!WebBrowser) {
        ShowNotAvailable(D_("The integrated web browser is not available on your system\r\n"
                            "You need to install Qt Widgets 6.4 or newer."));
        return false;
    }

    FOrg = Org;
    setWindowTitle(Title);
    FHomeUrl = url;
    Home = AddressText(url);
    edURL->setText(Home);
    GoTo(url);
    // The history belongs to this manual; Back never leads to another's.
    WebBrowser->clearHistory();
    if (modal)
        return exec() == QDialog::Accepted;
    show();
    BringToFront();
    return false;
}

QTextBrowser *TWebBrowserWin::CreateBrowser()
{
    try {
        return new TManualBrowser(this);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void TWebBrowserWin::ShowNotAvailable(const QString &message)
{
    QWidget *main = MainForm();
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                    DisplayText(message), QMessageBox::Ok, main);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void TWebBrowserWin::CreateBrowserControl()
{
    QTextBrowser *browser = CreateBrowser();
    FAvailable = browser != nullptr;
    if (!browser)
        return;
    WebBrowser = browser;
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    WebBrowser->setOpenLinks(false);
    WebBrowser->setOpenExternalLinks(false);
    WebBrowser->setAcceptDrops(false);
    WebBrowser->viewport()->setAcceptDrops(false);
    WebBrowser->viewport()->installEventFilter(this);
    connect(WebBrowser, &QTextBrowser::anchorClicked, this,
            [this](const QUrl &link) { LinkClicked(link); });
    connect(WebBrowser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl &url) { edURL->setText(AddressText(url)); });
    connect(WebBrowser, &QTextBrowser::backwardAvailable, ActionBack, &QAction::setEnabled);
    connect(WebBrowser, &QTextBrowser::forwardAvailable, ActionFwd, &QAction::setEnabled);
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    // In place of the stretch below the panel.
    delete layout->takeAt(1);
    layout->addWidget(WebBrowser, 1);
}

void TWebBrowserWin::OpenOutside(const QUrl &url)
{
    if (!ShellOpen(url))
        ErrorDialogAt(CenterPos,
                      SafeFormat(D_("No program on this system can open this address:\r\n%s"),
                                 url.toDisplayString()));
}

void TWebBrowserWin::GoTo(const QUrl &url)
{
    if (PageKindOf(url) == TPageKind::pkOther) {
        OpenOutside(url);
        return;
    }
    if (WebBrowser)
        WebBrowser->setSource(url, QTextDocument::HtmlResource);
}

void TWebBrowserWin::LinkClicked(const QUrl &link)
{
    const QUrl current = WebBrowser->source();
    const QUrl url = current.resolved(link);
    // An anchor in the page shown only scrolls.
    if (url.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment) &&
        url.hasFragment()) {
        WebBrowser->setSource(url, QTextDocument::HtmlResource);
        return;
    }
    GoTo(url);
}

void TWebBrowserWin::Navigate(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return;
    QUrl url;
    const QUrl current = WebBrowser ? WebBrowser->source() : FHomeUrl;
    if (!text.contains(QStringLiteral("://")) && !IsAbsolutePath(text) && current.isLocalFile())
        url = BrowserUrl(QFileInfo(current.toLocalFile()).dir().absoluteFilePath(text));
    else
        url = BrowserUrl(text);
    GoTo(url);
}

void TWebBrowserWin::GotoHomePage()
{
    if (!FHomeUrl.isEmpty())
        GoTo(FHomeUrl);
}

void TWebBrowserWin::BringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

// ---------------------------------------------------------------------------
// Actions

void TWebBrowserWin::ActionRefreshExecute()
{
    if (WebBrowser && !WebBrowser->source().isEmpty())
        WebBrowser->reload();
}

void TWebBrowserWin::ActionBackExecute()
{
    if (WebBrowser)
        WebBrowser->backward();
}

void TWebBrowserWin::ActionHomeExecute()
{
    GotoHomePage();
}

void TWebBrowserWin::ActionFwdExecute()
{
    if (WebBrowser)
        WebBrowser->forward();
}

void TWebBrowserWin::ActionEditExecute()
{
    if (!FCaller)
        return;
    if (FCaller->isMinimized())
        FCaller->setWindowState(FCaller->windowState() & ~Qt::WindowMinimized);
    FCaller->raise();
    FCaller->activateWindow();
}

void TWebBrowserWin::ActionExitExecute()
{
    if (ActionExit->isVisible())
        done(QDialog::Accepted);
}

void TWebBrowserWin::ActionCancelExecute()
{
    done(QDialog::Rejected);
}

void TWebBrowserWin::done(int r)
{
    FOrg.clear();
    QDialog::done(r);
}

void TWebBrowserWin::btnSize1Click()
{
    SetPageSize(640, 480);
}

void TWebBrowserWin::btnSize2Click()
{
    SetPageSize(800, 600);
}

void TWebBrowserWin::btnSize3Click()
{
    SetPageSize(1024, 768);
}

// The page area gets exactly this size; the panel comes on top.
void TWebBrowserWin::SetPageSize(int width, int height)
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        showNormal();
    resize(width, height + paTop->height());
}

// ---------------------------------------------------------------------------
// Keys and mouse

bool TWebBrowserWin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edURL && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Navigate(edURL->text());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress &&
        BrowserButton(static_cast<QMouseEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TWebBrowserWin::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter ends a modal window with OK where OK is offered, and does
        // nothing else.
        ActionExitExecute();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWebBrowserWin::mousePressEvent(QMouseEvent *event)
{
    if (!BrowserButton(event))
        QDialog::mousePressEvent(event);
}

bool TWebBrowserWin::BrowserButton(QMouseEvent *event)
{
    if (event->button() == Qt::BackButton) {
        ActionBackExecute();
        return true;
    }
    if (event->button() == Qt::ForwardButton) {
        ActionFwdExecute();
        return true;
    }
    return false;
}

void TWebBrowserWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (WebBrowser)
        WebBrowser->setFocus();
}

// ---------------------------------------------------------------------------
// Settings

void TWebBrowserWin::LoadFromIni(const TUnicodeIniFile &ini, const QString &ASection)
{
    FSection = ASection;
    if (FSection.isEmpty())
        return;
    HForm = ReadWindowBounds(ini, FSection,
                             QRect(DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight));
    WSt = ini.ReadInteger(FSection, u"State", StateNormal);

    resize(HForm.size().expandedTo(QSize(200, 150)));
    // A place from another monitor set-up must not hide the window.
    bool visible = false;
    for (const QScreen *screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(QRect(HForm.topLeft(), size()));
    move(visible ? HForm.topLeft() : QPoint(DefaultLeft, DefaultTop));
    // A window the user asks for comes up visible, even if it was minimised
    // when the program ended.
    setWindowState(WSt == StateMaximised ? Qt::WindowMaximized : Qt::WindowNoState);
    FStoredBounds = QRect(pos(), size());
    FStoredState = StateNumber();
}

int TWebBrowserWin::StateNumber() const
{
    const Qt::WindowStates state = windowState();
    return state & Qt::WindowMinimized                            ? StateMinimised
           : state & (Qt::WindowMaximized | Qt::WindowFullScreen) ? StateMaximised
                                                                  : StateNormal;
}

void TWebBrowserWin::SaveToIni(TUnicodeIniFile &ini)
{
    if (FSection.isEmpty())
        return;
    const int st = StateNumber();
    const QRect bounds(pos(), size());
    // Unchanged since it was read, the section stays exactly as it was (a
    // place corrected on reading included).
    if (st == FStoredState && (st != StateNormal || bounds == FStoredBounds))
        return;
    // Place and size only of a normal window: a maximised one keeps the
    // place it returns to.
    if (st == StateNormal)
        WriteWindowBounds(ini, FSection, bounds);
    ini.WriteInteger(FSection, u"State", st);
    FStoredBounds = bounds;
    FStoredState = st;
}
