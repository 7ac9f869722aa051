// Building the application settings dialog: controls, layout, tab order.

#include "appsettings/AppSettingsDlg.h"

#include "appsettings/AppSettingsRules.h"
#include "dialogs/ActionImages.h"
#include "dialogs/CheckBoxes.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *GlyphButton(QWidget *parent, const QIcon &glyph, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setIcon(glyph);
    button->setToolTip(hint);
    button->setAutoRaise(false);
    return button;
}

QToolButton *GlyphButton(QWidget *parent, QStyle::StandardPixmap glyph, const QString &hint)
{
    return GlyphButton(parent, parent->style()->standardIcon(glyph), hint);
}

QComboBox *ListBox(QWidget *parent, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QComboBox *DriveLetterBox(QWidget *parent)
{
    QStringList letters;
    for (char16_t c = u'A'; c <= u'Y'; ++c)
        letters.append(QString(QChar(c)));
    auto *box = ListBox(parent, letters);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    box->setMaxVisibleItems(13);
    return box;
}

QLabel *Label(const QString &text, QWidget *parent, QWidget *buddy = nullptr)
{
    auto *label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QStringList OnOffItems()
{
    return {N_("Default"), N_("On"), N_("Off")};
}

} // namespace

void TAppSettingsDialog::CreateControls()
{
    setWindowTitle(N_("Edit settings for DOS application"));
    setSizeGripEnabled(true);
    auto *main = new QVBoxLayout(this);

    // Picture, name and category.
    auto *top = new QHBoxLayout;
    imgIcon = new QLabel(this);
    imgIcon->setFixedSize(ScaleByDpi(32), ScaleByDpi(32));
    edAppName = new QLineEdit(this);
    cbCategory = new QComboBox(this);
    cbCategory->setEditable(true);
    cbCategory->setInsertPolicy(QComboBox::NoInsert);
    cbCategory->setMinimumContentsLength(16);
    top->addWidget(imgIcon);
    top->addSpacing(6);
    top->addWidget(Label(N_("Name:"), this, edAppName));
    top->addWidget(edAppName, 3);
    top->addSpacing(10);
    top->addWidget(Label(N_("Category:"), this, cbCategory));
    top->addWidget(cbCategory, 2);
    main->addLayout(top);

    // The folder mounted as hard drive.
    gbHardDrive = new QGroupBox(N_("Mount drive to path:"), this);
    auto *hard = new QGridLayout(gbHardDrive);
    cbHardDrive = DriveLetterBox(gbHardDrive);
    edAppPath = new QLineEdit(gbHardDrive);
    btPath = GlyphButton(gbHardDrive, QStyle::SP_DirOpenIcon, N_("Select path"));
    hard->addWidget(cbHardDrive, 0, 0);
    hard->addWidget(Label(QStringLiteral("=>"), gbHardDrive), 0, 1);
    hard->addWidget(edAppPath, 0, 2);
    hard->addWidget(btPath, 0, 3);
    hard->setColumnStretch(2, 1);
    main->addWidget(gbHardDrive);

    // The CD drive: a physical drive or image files.
    gbCdDrive = new TCheckGroupBox(N_("Mount CD drive:"), this);
    auto *cd = new QGridLayout(gbCdDrive);
    cbCdRomDrive = DriveLetterBox(gbCdDrive);
    rbDrive = new QRadioButton(N_("to physical drive"), gbCdDrive);
    rbIsoIMage = new QRadioButton(N_("to ISO image"), gbCdDrive);
    pnDrive = new QWidget(gbCdDrive);
    auto *drive = new QHBoxLayout(pnDrive);
    drive->setContentsMargins(0, 0, 0, 0);
    cbDrive = new QComboBox(pnDrive);
    btRebuild = GlyphButton(pnDrive, QStyle::SP_BrowserReload, N_("Read the CD drives again"));
    drive->addWidget(cbDrive, 1);
    drive->addWidget(btRebuild);
    pnIsoFile = new QWidget(gbCdDrive);
    auto *iso = new QHBoxLayout(pnIsoFile);
    iso->setContentsMargins(0, 0, 0, 0);
    edIsoFile = new QLineEdit(pnIsoFile);
    btIsoFile = GlyphButton(pnIsoFile, QStyle::SP_DirOpenIcon, N_("Select ISO image"));
    iso->addWidget(edIsoFile, 1);
    iso->addWidget(btIsoFile);
    auto *modes = new QHBoxLayout;
    modes->addWidget(rbDrive);
    modes->addSpacing(12);
    modes->addWidget(rbIsoIMage);
    modes->addStretch(1);
    cd->addWidget(cbCdRomDrive, 0, 0);
    cd->addWidget(Label(QStringLiteral("=>"), gbCdDrive), 0, 1);
    cd->addLayout(modes, 0, 2);
    cd->addWidget(pnDrive, 1, 2);
    cd->addWidget(pnIsoFile, 1, 2);
    cd->setColumnStretch(2, 1);
    main->addWidget(gbCdDrive);

    pcSettings = new QTabWidget(this);
    pcSettings->addTab(CreateGeneralPage(), N_("General"));
    pcSettings->addTab(CreateAudioPage(), N_("Audio mixer"));
    pcSettings->addTab(CreateEmulationPage(), N_("Emulation"));
    pcSettings->addTab(CreateOtherPage(), N_("Other"));
    main->addWidget(pcSettings, 1);

    // Configuration choice and run options.
    auto *options = new QHBoxLayout;
    rgConfig = new QGroupBox(NP_("which configuration is used", "Select configuration"), this);
    auto *config = new QVBoxLayout(rgConfig);
    rbGlobalConfig = new QRadioButton(N_("Global"), rgConfig);
    rbAppConfig = new QRadioButton(N_("Application specific"), rgConfig);
    config->addWidget(rbGlobalConfig);
    config->addWidget(rbAppConfig);
    config->addStretch(1);
    FConfigGroup = new QButtonGroup(this);
    FConfigGroup->addButton(rbGlobalConfig, 0);
    FConfigGroup->addButton(rbAppConfig, 1);
    gbOptions = new QGroupBox(N_("Options:"), this);
    auto *flags = new QVBoxLayout(gbOptions);
    cxFullScreen = new QCheckBox(N_("Full screen"), gbOptions);
    cxAutoEnd = new QCheckBox(N_("Close DOSBox automatically at end of execution"), gbOptions);
    cxAutoClose = new QCheckBox(N_("Close also Ravelin application automatically"), gbOptions);
    flags->addWidget(cxFullScreen);
    flags->addWidget(cxAutoEnd);
    flags->addWidget(cxAutoClose);
    options->addWidget(rgConfig);
    options->addWidget(gbOptions, 1);
    main->addLayout(options);

    auto *buttons = new QHBoxLayout;
    bbReset = new QPushButton(N_("Default options"), this);
    bbEditConfig = new QPushButton(N_("Edit configuration"), this);
    btbOK = new QPushButton(N_("OK"), this);
    btbOK->setDefault(true);
    btbCancel = new QPushButton(N_("Cancel"), this);
    buttons->addWidget(bbReset);
    buttons->addWidget(bbEditConfig);
    buttons->addStretch(1);
    buttons->addWidget(btbOK);
    buttons->addWidget(btbCancel);
    main->addLayout(buttons);

    // Pages first in page order, the run options after them: the order a
    // user reads the window in.
    const QList<QWidget *> order{
        edAppName,       cbCategory,     cbHardDrive,    edAppPath,     btPath,       gbCdDrive,
        cbCdRomDrive,    rbDrive,        rbIsoIMage,     cbDrive,       btRebuild,    edIsoFile,
        btIsoFile,       pcSettings,     edExeFile,      btExeFile,     edParam,      edCommands,
        btCommands,      edExitCommands, btExitCommands, edIconFile,    btIconFile,   edManFile,
        btManFile,       edDescription,  cbChannels,     tbLeft,        tbRight,      cbConnect,
        lbMixerSettings, bbAddMixer,     bbRemMixer,     bbUp,          bbDown,       bbClearMixer,
        cbCycles,        cbRealSpeed,    cbProtSpeed,    cbThrottling,  cbMemSize,    cbXms,
        cbEms,           cbUmb,          cbNoConsole,    cbDelConFiles, edMapperFile, btMapper,
        rbGlobalConfig,  rbAppConfig,    cxFullScreen,   cxAutoEnd,     cxAutoClose,  bbReset,
        bbEditConfig,    btbOK,          btbCancel,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

QWidget *TAppSettingsDialog::CreateGeneralPage()
{
    tsGeneral = new QWidget;
    auto *grid = new QGridLayout(tsGeneral);
    edExeFile = new QLineEdit(tsGeneral);
    btExeFile =
        GlyphButton(tsGeneral, QStyle::SP_DirOpenIcon, N_("Select executable to run on startup"));
    edParam = new QLineEdit(tsGeneral);
    edCommands = new QLineEdit(tsGeneral);
    btCommands = GlyphButton(tsGeneral, QStyle::SP_FileDialogDetailedView, N_("Edit commands"));
    edExitCommands = new QLineEdit(tsGeneral);
    btExitCommands = GlyphButton(tsGeneral, QStyle::SP_FileDialogDetailedView, N_("Edit commands"));
    edIconFile = new QLineEdit(tsGeneral);
    btIconFile = GlyphButton(tsGeneral, QStyle::SP_DirOpenIcon, N_("Select icon"));
    edManFile = new QLineEdit(tsGeneral);
    btManFile = GlyphButton(tsGeneral, QStyle::SP_DirOpenIcon, N_("Select manual"));
    edDescription = new QLineEdit(tsGeneral);

    struct TRow
    {
        QString caption;
        QLineEdit *edit;
        QToolButton *button;
    };
    const TRow rows[] = {
        {N_("Application to be started:"), edExeFile, btExeFile},
        {N_("Parameters:"), edParam, nullptr},
        {N_("Additional commands on startup:"), edCommands, btCommands},
        {N_("Additional commands before exit:"), edExitCommands, btExitCommands},
        {N_("Icon file:"), edIconFile, btIconFile},
        {N_("Manual:"), edManFile, btManFile},
        {N_("Description:"), edDescription, nullptr},
    };
    int r = 0;
    for (const TRow &row : rows) {
        grid->addWidget(Label(row.caption, tsGeneral, row.edit), r, 0);
        if (row.button) {
            grid->addWidget(row.edit, r, 1);
            grid->addWidget(row.button, r, 2);
        } else {
            grid->addWidget(row.edit, r, 1, 1, 2);
        }
        ++r;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(r, 1);
    return tsGeneral;
}

QWidget *TAppSettingsDialog::CreateAudioPage()
{
    tsAudio = new QWidget;
    auto *page = new QHBoxLayout(tsAudio);

    auto *left = new QVBoxLayout;
    auto *channel = new QHBoxLayout;
    cbChannels = new QComboBox(tsAudio);
    for (int i = 0; i < MixerChannelCount; ++i)
        cbChannels->addItem(MixerChannelName(i));
    channel->addWidget(Label(N_("Channel:"), tsAudio, cbChannels));
    channel->addWidget(cbChannels, 1);
    left->addLayout(channel);

    gbVolume = new QGroupBox(N_("Volume control:"), tsAudio);
    auto *volume = new QGridLayout(gbVolume);
    const auto slider = [this](int pageStep) {
        auto *s = new QSlider(Qt::Horizontal, gbVolume);
        s->setRange(0, 100);
        s->setSingleStep(5);
        s->setPageStep(pageStep);
        s->setTickInterval(10);
        s->setTickPosition(QSlider::TicksBelow);
        s->setValue(50);
        s->setMinimumWidth(160);
        return s;
    };
    tbLeft = slider(25);
    tbRight = slider(10);
    cbConnect = new QCheckBox(N_("Connect sliders"), gbVolume);
    cbConnect->setChecked(true);
    volume->addWidget(Label(N_("Left:"), gbVolume, tbLeft), 0, 0);
    volume->addWidget(Label(QStringLiteral("0"), gbVolume), 0, 1);
    volume->addWidget(tbLeft, 0, 2);
    volume->addWidget(Label(QStringLiteral("100%"), gbVolume), 0, 3);
    volume->addWidget(Label(N_("Right:"), gbVolume, tbRight), 1, 0);
    volume->addWidget(Label(QStringLiteral("0"), gbVolume), 1, 1);
    volume->addWidget(tbRight, 1, 2);
    volume->addWidget(Label(QStringLiteral("100%"), gbVolume), 1, 3);
    // The volume each slider stands at.
    for (QSlider *slider : {tbLeft, tbRight}) {
        auto *value = new QLabel(gbVolume);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("100 %")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        MarkUserData(value);
        const auto show = [value](int v) { value->setText(QString::number(v) + u'%'); };
        show(slider->value());
        connect(slider, &QSlider::valueChanged, value, show);
        volume->addWidget(value, slider == tbLeft ? 0 : 1, 4);
    }
    volume->setColumnMinimumWidth(4, ScaleByDpi(48, this));
    volume->addWidget(cbConnect, 2, 0, 1, 5);
    volume->setColumnStretch(2, 1);
    left->addWidget(gbVolume);
    left->addStretch(1);
    page->addLayout(left, 3);

    lbMixerSettings = new QListWidget(tsAudio);
    lbMixerSettings->setMinimumWidth(120);
    page->addWidget(lbMixerSettings, 2);

    auto *buttons = new QVBoxLayout;
    bbAddMixer = new QPushButton(N_("Add"), tsAudio);
    bbAddMixer->setToolTip(N_("Add channel"));
    bbRemMixer = new QPushButton(N_("Remove"), tsAudio);
    bbRemMixer->setToolTip(N_("Remove selected channel"));
    // The style's pale arrows read as disabled buttons.
    bbUp =
        GlyphButton(tsAudio, ThemeIcon({QStringLiteral("go-up-symbolic"), QStringLiteral("go-up")}),
                    N_("Move selected channel up"));
    bbDown = GlyphButton(tsAudio,
                         ThemeIcon({QStringLiteral("go-down-symbolic"), QStringLiteral("go-down")}),
                         N_("Move selected channel down"));
    bbClearMixer = GlyphButton(tsAudio, QStyle::SP_TrashIcon, N_("Remove all channels"));
    auto *moves = new QHBoxLayout;
    moves->addWidget(bbUp);
    moves->addWidget(bbDown);
    moves->addWidget(bbClearMixer);
    moves->addStretch(1);
    buttons->addWidget(bbAddMixer);
    buttons->addWidget(bbRemMixer);
    buttons->addLayout(moves);
    buttons->addStretch(1);
    page->addLayout(buttons);
    return tsAudio;
}

QWidget *TAppSettingsDialog::CreateEmulationPage()
{
    tsEmulation = new QWidget;
    auto *page = new QVBoxLayout(tsEmulation);
    auto *groups = new QHBoxLayout;

    gbCpu = new QGroupBox(N_("CPU cycles"), tsEmulation);
    auto *cpu = new QVBoxLayout(gbCpu);
    pcCycles = new QStackedWidget(gbCpu);
    tsNormal = new QWidget;
    auto *normal = new QGridLayout(tsNormal);
    normal->setContentsMargins(0, 0, 0, 0);
    // TRANSLATORS: Write the numbers as your language does (10.000, 10 000).
    cbCycles =
        ListBox(tsNormal, {N_("Use default value"), N_("Set automatically"), N_("5 000 cycles/ms"),
                           N_("10 000 cycles/ms"), N_("25 000 cycles/ms"), N_("50 000 cycles/ms"),
                           N_("Set to maximum")});
    normal->addWidget(Label(N_("Normal mode:"), tsNormal, cbCycles), 0, 0);
    normal->addWidget(cbCycles, 0, 1);
    normal->setColumnStretch(1, 1);
    normal->setRowStretch(1, 1);
    tsStaging = new QWidget;
    auto *staging = new QGridLayout(tsStaging);
    staging->setContentsMargins(0, 0, 0, 0);
    cbRealSpeed =
        ListBox(tsStaging, {N_("Use default value"), N_("3 000 cycles/ms"), N_("5 000 cycles/ms"),
                            N_("10 000 cycles/ms"), N_("25 000 cycles/ms"), N_("50 000 cycles/ms"),
                            N_("Set to maximum")});
    cbProtSpeed = ListBox(tsStaging,
                          {N_("Use default value"), N_("Set automatically"), N_("10 000 cycles/ms"),
                           N_("20 000 cycles/ms"), N_("60 000 cycles/ms"), N_("100 000 cycles/ms"),
                           N_("200 000 cycles/ms"), N_("Set to maximum")});
    cbThrottling = ListBox(tsStaging, OnOffItems());
    staging->addWidget(Label(N_("Real mode:"), tsStaging, cbRealSpeed), 0, 0);
    staging->addWidget(cbRealSpeed, 0, 1);
    staging->addWidget(Label(N_("Protected mode:"), tsStaging, cbProtSpeed), 1, 0);
    staging->addWidget(cbProtSpeed, 1, 1);
    staging->addWidget(Label(N_("Throttling:"), tsStaging, cbThrottling), 2, 0);
    staging->addWidget(cbThrottling, 2, 1);
    staging->setColumnStretch(1, 1);
    staging->setRowStretch(3, 1);
    pcCycles->addWidget(tsNormal);
    pcCycles->addWidget(tsStaging);
    cpu->addWidget(pcCycles);
    groups->addWidget(gbCpu, 3);

    gbMemory = new QGroupBox(N_("Memory"), tsEmulation);
    auto *memory = new QVBoxLayout(gbMemory);
    auto *size = new QGridLayout;
    cbMemSize = ListBox(gbMemory, {N_("Default"), N_("8 MB"), N_("16 MB"), N_("24 MB"), N_("32 MB"),
                                   N_("48 MB"), N_("64 MB")});
    FMemoryLabels.append(Label(N_("Size:"), gbMemory, cbMemSize));
    size->addWidget(FMemoryLabels.last(), 0, 0);
    size->addWidget(cbMemSize, 0, 1);
    size->setColumnStretch(1, 1);
    memory->addLayout(size);
    pnMemMan = new QWidget(gbMemory);
    auto *manage = new QGridLayout(pnMemMan);
    manage->setContentsMargins(0, 0, 0, 0);
    cbXms = ListBox(pnMemMan, OnOffItems());
    cbEms = ListBox(pnMemMan, OnOffItems());
    cbUmb = ListBox(pnMemMan, OnOffItems());
    FMemoryLabels.append(Label(N_("XMS:"), pnMemMan, cbXms));
    manage->addWidget(FMemoryLabels.last(), 0, 0);
    manage->addWidget(cbXms, 0, 1);
    FMemoryLabels.append(Label(N_("EMS:"), pnMemMan, cbEms));
    manage->addWidget(FMemoryLabels.last(), 1, 0);
    manage->addWidget(cbEms, 1, 1);
    FMemoryLabels.append(Label(N_("UMB:"), pnMemMan, cbUmb));
    manage->addWidget(FMemoryLabels.last(), 2, 0);
    manage->addWidget(cbUmb, 2, 1);
    manage->setColumnStretch(1, 1);
    memory->addWidget(pnMemMan);
    memory->addStretch(1);
    groups->addWidget(gbMemory, 2);

    page->addLayout(groups);
    page->addStretch(1);
    return tsEmulation;
}

QWidget *TAppSettingsDialog::CreateOtherPage()
{
    tsOther = new QWidget;
    auto *page = new QVBoxLayout(tsOther);
    gbConsole = new QGroupBox(N_("Console"), tsOther);
    auto *console = new QVBoxLayout(gbConsole);
    cbNoConsole = new QCheckBox(N_("Hide console"), gbConsole);
    cbDelConFiles =
        new QCheckBox(N_("Delete console output files when Ravelin is closed"), gbConsole);
    console->addWidget(cbNoConsole);
    console->addWidget(cbDelConFiles);
    page->addWidget(gbConsole);

    auto *mapper = new QHBoxLayout;
    edMapperFile = new QLineEdit(tsOther);
    btMapper = GlyphButton(tsOther, QStyle::SP_DirOpenIcon, N_("Select keymapper file"));
    mapper->addWidget(Label(N_("Keymapper file:"), tsOther, edMapperFile));
    mapper->addWidget(edMapperFile, 1);
    mapper->addWidget(btMapper);
    page->addLayout(mapper);
    page->addStretch(1);
    return tsOther;
}
