#include "mainwindow/FirstStartDlg.h"

#include "dialogs/ActionImages.h"
#include "dialogs/Application.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/ShellDirDlg.h"
#include "dialogs/WinUtils.h"
#include "emulator/DosBoxInfo.h"
#include "emulator/DosBoxInterface.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *FolderButton(QWidget *parent, const char *name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(ThemeIcon({QStringLiteral("folder-open"), QStringLiteral("document-open")}));
    button->setToolTip(N_("Choose folder"));
    return button;
}

// A folder as the user typed it, without the trailing delimiter that the
// chooser adds.
QString PlainDir(const QString &text)
{
    QString dir = text.trimmed();
    if (dir.size() > 1 && dir.endsWith(PathDelimiter()))
        dir.chop(1);
    return dir;
}

QString TypedDir(const QLineEdit *edit)
{
    return PlainDir(edit->text());
}

} // namespace

TFirstStartDialog::TFirstStartDialog(QWidget *parent, TShellDirDialog *dirChooser)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FDirChooser(dirChooser)
{
    CreateControls();
    TranslateComponent(this);
}

void TFirstStartDialog::CreateControls()
{
    setObjectName(QStringLiteral("FirstStartDialog"));
    setWindowTitle(N_("Welcome to Ravelin"));

    auto *icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(ScaleByDpi(48, this)));
    auto *heading = new QLabel(N_("Welcome to Ravelin"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    auto *intro = new QLabel(N_("Ravelin keeps a catalogue of your DOS games and programs and "
                                "starts each of them in DOSBox, with the drives, speed, keyboard "
                                "and commands you set for it."),
                             this);
    intro->setWordWrap(true);

    auto *gbEmulator = new QGroupBox(N_("Emulator"), this);
    laEmulator = new QLabel(gbEmulator);
    laEmulator->setObjectName(QStringLiteral("laEmulator"));
    laEmulator->setWordWrap(true);
    MarkUserData(laEmulator);
    edDosBoxPath = new QLineEdit(gbEmulator);
    edDosBoxPath->setObjectName(QStringLiteral("edDosBoxPath"));
    btDosBoxPath = FolderButton(gbEmulator, "btDosBoxPath");
    auto *emuCaption = new QLabel(N_("Folder of the &dosbox program:"), gbEmulator);
    emuCaption->setBuddy(edDosBoxPath);
    auto *emuRow = new QHBoxLayout;
    emuRow->addWidget(edDosBoxPath, 1);
    emuRow->addWidget(btDosBoxPath);
    auto *emuLayout = new QVBoxLayout(gbEmulator);
    emuLayout->addWidget(emuCaption);
    emuLayout->addLayout(emuRow);
    emuLayout->addWidget(laEmulator);

    auto *gbRoot = new QGroupBox(N_("Your DOS applications"), this);
    edRootPath = new QLineEdit(gbRoot);
    edRootPath->setObjectName(QStringLiteral("edRootPath"));
    btRootPath = FolderButton(gbRoot, "btRootPath");
    auto *rootCaption = new QLabel(
        N_("&Folder that holds (or will hold) the folders of your DOS applications:"), gbRoot);
    rootCaption->setWordWrap(true);
    rootCaption->setBuddy(edRootPath);
    cbCreateRoot = new QCheckBox(N_("&Create this folder"), gbRoot);
    cbCreateRoot->setObjectName(QStringLiteral("cbCreateRoot"));
    auto *rootRow = new QHBoxLayout;
    rootRow->addWidget(edRootPath, 1);
    rootRow->addWidget(btRootPath);
    auto *rootLayout = new QVBoxLayout(gbRoot);
    rootLayout->addWidget(rootCaption);
    rootLayout->addLayout(rootRow);
    rootLayout->addWidget(cbCreateRoot);

    auto *later = new QLabel(N_("Both can be changed later in Global → Settings."), this);
    later->setWordWrap(true);

    btStart = new QPushButton(N_("&Start"), this);
    btStart->setObjectName(QStringLiteral("btStart"));
    btStart->setDefault(true);
    btStart->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    btCancel = new QPushButton(N_("Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btStart);
    buttons->addWidget(btCancel);

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(intro);
    top->addLayout(texts, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(gbEmulator);
    layout->addWidget(gbRoot);
    layout->addWidget(later);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btDosBoxPath, &QToolButton::clicked, this, &TFirstStartDialog::btDosBoxPathClick);
    connect(btRootPath, &QToolButton::clicked, this, &TFirstStartDialog::btRootPathClick);
    connect(edDosBoxPath, &QLineEdit::textChanged, this, &TFirstStartDialog::UpdateEmulator);
    connect(edRootPath, &QLineEdit::textChanged, this, &TFirstStartDialog::UpdateRoot);
    connect(btStart, &QPushButton::clicked, this, [this] {
        if (AcceptControls())
            accept();
    });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(ScaleByDpi(520, this));
}

void TFirstStartDialog::LoadControls(const TFirstStartChoice &choice)
{
    FProgPath = choice.ProgPath;
    edDosBoxPath->setText(PlainDir(choice.DosBoxPath));
    edRootPath->setText(choice.RootPath);
    cbCreateRoot->setChecked(true);
    UpdateEmulator();
    UpdateRoot();
}

void TFirstStartDialog::UpdateEmulator()
{
    const QString dir = TypedDir(edDosBoxPath);
    QString desc;
    TDosBoxVariant variant;
    if (dir.isEmpty()) {
        laEmulator->setText(
            _("No DOSBox was found on this system. Install DOSBox or DOSBox Staging (on Debian: "
              "apt install dosbox), or choose the folder that holds the dosbox program."));
    } else if (!IsFile(JoinPath(dir, DosBox::ProgramName))) {
        laEmulator->setText(_("This folder holds no dosbox program."));
    } else {
        UpdateDosBoxInfo(dir, desc, variant);
        laEmulator->setText(
            SafeFormat(_("Found: %s"), desc.isEmpty() ? QString(DosBox::ProgramName) : desc));
    }
    btStart->setEnabled(IsDir(dir));
}

void TFirstStartDialog::UpdateRoot()
{
    const QString dir = TypedDir(edRootPath);
    cbCreateRoot->setVisible(!dir.isEmpty() && !IsDir(dir));
}

bool TFirstStartDialog::AcceptControls()
{
    if (!IsDir(TypedDir(edDosBoxPath)))
        return false;
    const QString root = TypedDir(edRootPath);
    if (root.isEmpty() || IsDir(root) || !cbCreateRoot->isChecked())
        return true;
    if (!IsAbsolutePath(root) || !QDir().mkpath(root)) {
        ErrorDialogAt(CenterPos, SafeFormat(D_("Could not create directory:\r\n%s!"), root));
        return false;
    }
    return true;
}

void TFirstStartDialog::StoreControls(TFirstStartChoice &choice) const
{
    choice.DosBoxPath = DirWithDelimiter(TypedDir(edDosBoxPath));
    const QString root = TypedDir(edRootPath);
    // A folder the user did not want created is no root folder; the global
    // default takes its place.
    choice.RootPath = IsDir(root) ? DirWithDelimiter(root) : QString();
}

bool TFirstStartDialog::Execute(TFirstStartChoice &choice)
{
    LoadControls(choice);
    adjustSize();
    PlaceFormAt(this, ScreenCenterPos, false);
    if (exec() != QDialog::Accepted)
        return false;
    StoreControls(choice);
    return true;
}

void TFirstStartDialog::btDosBoxPathClick()
{
    if (!FDirChooser)
        return;
    QString dir = TypedDir(edDosBoxPath);
    if (FDirChooser->Execute(_("Select DOSBox program directory"), false, true, false, FProgPath,
                             dir))
        edDosBoxPath->setText(PlainDir(dir));
}

void TFirstStartDialog::btRootPathClick()
{
    if (!FDirChooser)
        return;
    QString dir = TypedDir(edRootPath);
    if (FDirChooser->Execute(_("Select root path to DOS applications"), false, true, false,
                             QDir::homePath(), dir))
        edRootPath->setText(PlainDir(dir));
}
