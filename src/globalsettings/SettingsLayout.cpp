// Building the global settings dialog: controls, grouping, tab order.

#include "globalsettings/Settings.h"

#include "dialogs/ActionImages.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "texttools/CodePages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *GlyphButton(QWidget *parent, const QIcon &glyph, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setIcon(glyph);
    button->setToolTip(hint);
    return button;
}

QIcon StandardGlyph(const QWidget *widget, QStyle::StandardPixmap glyph)
{
    return widget->style()->standardIcon(glyph);
}

// Choosing a file and editing one look different from choosing a folder.
QIcon FileGlyph()
{
    return ThemeIcon({QStringLiteral("document-open"), QStringLiteral("document-open-symbolic")});
}

QIcon EditGlyph()
{
    return ThemeIcon({QStringLiteral("document-edit"), QStringLiteral("document-edit-symbolic"),
                      QStringLiteral("accessories-text-editor")});
}

QLabel *Caption(const QString &text, QWidget *parent, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// A caption above an edit field with its buttons on the right.
void AddPathRow(QGridLayout *grid, int &row, QLabel *caption, QLineEdit *edit,
                std::initializer_list<QToolButton *> buttons, bool spaced = true)
{
    grid->addWidget(caption, row++, 0, 1, 2);
    auto *line = new QHBoxLayout;
    line->setSpacing(2);
    line->addWidget(edit, 1);
    for (QToolButton *button : buttons)
        line->addWidget(button);
    grid->addLayout(line, row++, 0, 1, 2);
    if (spaced)
        grid->setRowMinimumHeight(row++, 4);
}

} // namespace

void TDosBoxSetDialog::CreateControls()
{
    setObjectName(QStringLiteral("DosBoxSetDialog"));
    setWindowTitle(N_("Global settings"));
    setSizeGripEnabled(true);
    auto *main = new QVBoxLayout(this);

    gbDosBox = new QGroupBox(N_("Settings for DOSBox"), this);
    auto *grid = new QGridLayout(gbDosBox);
    grid->setVerticalSpacing(3);
    int row = 0;
    const QIcon folder = StandardGlyph(this, QStyle::SP_DirOpenIcon);
    const QIcon file = FileGlyph();

    edRootPath = new QLineEdit(gbDosBox);
    btRootPath = GlyphButton(gbDosBox, folder, N_("Select root path to DOS applications"));
    AddPathRow(grid, row, Caption(N_("Root path to DOS applications:"), gbDosBox, edRootPath),
               edRootPath, {btRootPath});

    edPath = new QLineEdit(gbDosBox);
    btPath = GlyphButton(gbDosBox, folder, N_("Select DOSBox program directory"));
    AddPathRow(grid, row, Caption(N_("Path to DOSBox:"), gbDosBox, edPath), edPath, {btPath},
               false);
    laVersion = new QLabel(gbDosBox);
    laVersion->setTextFormat(Qt::PlainText);
    MarkUserData(laVersion);
    grid->addWidget(laVersion, row++, 0, 1, 2);
    grid->setRowMinimumHeight(row++, 4);

    edConfFile = new QLineEdit(gbDosBox);
    edConfFile->setReadOnly(true);
    btEditConf = GlyphButton(gbDosBox, EditGlyph(), N_("Edit configuration"));
    btConf = GlyphButton(gbDosBox, file, NP_("choose the file", "Select configuration"));
    AddPathRow(grid, row, Caption(N_("Primary configuration file:"), gbDosBox, edConfFile),
               edConfFile, {btEditConf, btConf});

    edMapperFile = new QLineEdit(gbDosBox);
    btEditMapper = GlyphButton(gbDosBox, EditGlyph(), N_("Edit keymapper file"));
    btMapper = GlyphButton(gbDosBox, file, N_("Select keymapper file"));
    AddPathRow(grid, row, Caption(N_("Default keymapper file:"), gbDosBox, edMapperFile),
               edMapperFile, {btEditMapper, btMapper});

    edLangFile = new QLineEdit(gbDosBox);
    btLang = GlyphButton(gbDosBox, file, N_("Select language file"));
    AddPathRow(grid, row, Caption(N_("Language file:"), gbDosBox, edLangFile), edLangFile,
               {btLang});

    gbKeyLayout = new QGroupBox(N_("Keyboard layout"), gbDosBox);
    auto *keys = new QGridLayout(gbKeyLayout);
    rbAutoKey = new QRadioButton(N_("Detect automatically"), gbKeyLayout);
    rbKeyLayout = new QRadioButton(N_("Set to"), gbKeyLayout);
    cbKeyLayout = new QComboBox(gbKeyLayout);
    cbKeyLayout->setEditable(true);
    cbKeyLayout->setInsertPolicy(QComboBox::NoInsert);
    cbKeyLayout->setMaxVisibleItems(20);
    cbKeyLayout->setMinimumContentsLength(24);
    MarkUserData(cbKeyLayout);
    keys->addWidget(rbAutoKey, 0, 0, 1, 2);
    keys->addWidget(rbKeyLayout, 1, 0);
    keys->addWidget(cbKeyLayout, 1, 1);
    keys->setColumnStretch(1, 1);

    gbCodePage = new QGroupBox(N_("Code page of DOS texts (manuals, conversion)"), gbDosBox);
    auto *pages = new QVBoxLayout(gbCodePage);
    cbCodePages = new QComboBox(gbCodePage);
    cbCodePages->setMaxVisibleItems(int(CodePageTable.size()));
    MarkUserData(cbCodePages);
    pages->addWidget(cbCodePages);
    laLayoutCodePage = new QLabel(gbCodePage);
    laLayoutCodePage->setObjectName(QStringLiteral("laLayoutCodePage"));
    laLayoutCodePage->setWordWrap(true);
    MarkUserData(laLayoutCodePage);
    pages->addWidget(laLayoutCodePage);
    pages->addStretch(1);

    auto *groups = new QHBoxLayout;
    groups->addWidget(gbKeyLayout, 1);
    groups->addWidget(gbCodePage, 1);
    grid->addLayout(groups, row++, 0, 1, 2);

    cbConsole = new QCheckBox(N_("Hide console"), gbDosBox);
    grid->addWidget(cbConsole, row++, 0, 1, 2);
    main->addWidget(gbDosBox);

    auto *below = new QGridLayout;
    below->setContentsMargins(ScaleByDpi(9, this), 0, ScaleByDpi(9, this), 0);
    below->setVerticalSpacing(3);
    row = 0;
    edEditor = new QLineEdit(this);
    btEditor = GlyphButton(this, file, N_("Select text editor"));
    AddPathRow(below, row, Caption(N_("Text editor:"), this, edEditor), edEditor, {btEditor});
    cbAutoStart = new QCheckBox(N_("Start Ravelin automatically"), this);
    below->addWidget(cbAutoStart, row++, 0, 1, 2);
    main->addLayout(below);
    main->addStretch(1);

    auto *buttons = new QHBoxLayout;
    OKBtn = new QPushButton(N_("OK"), this);
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);
    CancelBtn = new QPushButton(N_("Cancel"), this);
    CancelBtn->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    main->addLayout(buttons);

    QWidget *const order[] = {edRootPath,  btRootPath, edPath,       btPath,       edConfFile,
                              btEditConf,  btConf,     edMapperFile, btEditMapper, btMapper,
                              edLangFile,  btLang,     rbAutoKey,    rbKeyLayout,  cbKeyLayout,
                              cbCodePages, cbConsole,  edEditor,     btEditor,     cbAutoStart,
                              OKBtn,       CancelBtn};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setMinimumWidth(ScaleByDpi(520, this));
}
