#include "mainwindow/MainWindow.h"

#include "catalogue/IniFileUtils.h"
#include "localisation/GnuGettext.h"
#include "localisation/ui/TranslateComponent.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace {

constexpr int DesignedWidth = 554;
constexpr int DesignedHeight = 390;

} // namespace

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(N_("Manage DOSBox applications"));
    FormCreate();
}

void TfrmMain::FormCreate()
{
    TranslateComponent(this);
    const TProgramPaths paths = GetProgramPaths(true);
    AppDataPath = paths.AppDataPath;
    UserPath = paths.UserPath;
    ProgPath = paths.ProgPath;
    FVersion = GetProgramVersion();
    ProgVersName = FVersion.ProgVersName;
    ProgVersDate = FVersion.ProgVersDate;
    IniName = IniFileName(QCoreApplication::arguments().mid(1), AppDataPath, ExeBaseName());
    ReadPlacement();
}

// Left and Top place the frame, Width and Height size the client area, as
// the closing main window stores them.
void TfrmMain::ReadPlacement()
{
    const TUnicodeIniFile ini = TUnicodeIniFile::CreateForRead(IniName);
    const QString config = QStringLiteral("Config");
    const QPoint pos(ini.ReadInteger(config, u"Left", 50), ini.ReadInteger(config, u"Top", 50));
    const QSize size(ini.ReadInteger(config, u"Width", DesignedWidth),
                     ini.ReadInteger(config, u"Height", DesignedHeight));
    resize(size.expandedTo(minimumSizeHint()).expandedTo(QSize(200, 150)));
    // A position from another monitor set-up must not hide the window.
    bool visible = false;
    for (const QScreen *screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(QRect(pos, this->size()));
    move(visible ? pos : QPoint(50, 50));
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    setWindowTitle(_("Run DOSBox applications") + QStringLiteral(" (") + FVersion.VersionText +
                   u')');
    LocPath = LocalAppDataPath();
}
