#include "launcher/RunCommand.h"

#include "catalogue/AppSettings.h"
#include "catalogue/BasicSettings.h"
#include "emulator/DosBoxInterface.h"
#include "launcher/ConfigList.h"
#include "launcher/WinExecute.h"
#include "support/FileCopy.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/Prompt.h"
#include "support/StringUtils.h"
#include "support/SystemDrives.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <climits>

using namespace DosBox;

namespace {

// "Mount CD drive" is on for every new entry; without an image or drive
// named there is nothing to mount, and the start goes on without a CD.
bool MountsCd(const TDosBoxApp &app)
{
    return app.MountCd && !app.CdPath.trimmed().isEmpty();
}

QString ConfOption(const QString &file)
{
    return OptConf + QuoteIfBlank(file);
}

void AddKeyboardLayout(TConfigList &conf, const TBasicSettings &settings)
{
    const TDosBoxVariant variant = settings.DosBoxVariant();
    conf.AddValue(variant.KeyboardLayoutKey(),
                  variant.KeyboardLayoutValue(settings.KeyLayout, settings.Codepage));
}

// The emulator language in the form the emulator loads; empty when there is
// none or the emulator cannot load the file.
QString LanguageValue(const TBasicSettings &settings)
{
    if (!IsFile(settings.LangFile))
        return {};
    return settings.DosBoxVariant().LanguageValue(settings.LangFile);
}

void AddLanguage(TConfigList &conf, const TBasicSettings &settings)
{
    const QString language = LanguageValue(settings);
    if (!language.isEmpty())
        conf.AddValue(KeyLanguage, language);
}

QString MountLine(QChar drive, const QString &path)
{
    return CmdMount + drive + u' ' + QuoteIfBlank(path);
}

// The emulator program, or empty after reporting that it is missing.
QString EmulatorProgram(const TLaunchContext &ctx)
{
    const QString program = JoinPath(ctx.Settings.DosBoxPath, ProgramName);
    if (IsFile(program))
        return program;
    ctx.Prompt.error(
        SafeFormat(_("%s not found! Please adjust your global settings!"), ProgramName));
    return {};
}

// The extension of a program on the DOS drive, whose folders may be
// separated either way.
QString DosExtension(const QString &file)
{
    const qsizetype slash = qMax(file.lastIndexOf(u'\\'), file.lastIndexOf(u'/'));
    return ExtensionOf(file.mid(slash + 1), PathStyle::Windows);
}

// A mounted volume at root whose label can be read. Any folder lies on some
// volume, so the root must be a mount point itself.
bool HasReadableMedium(const QString &root)
{
    if (root.isEmpty() || DriveRoot(root) != DirWithDelimiter(QFileInfo(root).absoluteFilePath()))
        return false;
    QString label;
    return VolumeName(root, label);
}

QString ApplicationLabel(const QString &format, const QString &appName, const QString &value)
{
    // TRANSLATORS: Names a catalogue entry in front of the messages that begin with ' "%s":'.
    return _("Application") + SafeFormat(format, appName, value);
}

// A host path that a mount command would carry wrongly: reported, false.
bool CheckMountable(const QString &path, const TLaunchContext &ctx)
{
    for (const QChar c : UnmountableChars) {
        if (path.contains(c)) {
            ctx.Prompt.error(SafeFormat(_("The path \"%s\" holds a double quote or a percent "
                                          "sign, which DOSBox cannot mount.\r\nRename the "
                                          "folder or file; the application was not started."),
                                        path));
            return false;
        }
    }
    return true;
}

// Every host path the [autoexec] mounts.
bool CheckMountPaths(const TDosBoxApp &app, const TLaunchContext &ctx)
{
    if (!CheckMountable(app.AppPath, ctx))
        return false;
    if (!MountsCd(app))
        return true;
    if (!app.IsoImage)
        return CheckMountable(CdDriveRoot(app.CdPath), ctx);
    QString images = app.CdPath.trimmed();
    while (!images.isEmpty()) {
        if (!CheckMountable(ReadNextQuotedItem(images, u' ', u'"'), ctx))
            return false;
        images = images.trimmed();
    }
    return true;
}

// The bytes of the [autoexec] lines of a configuration file, as the
// emulator counts them.
qint64 AutoexecSize(const QStringList &lines, QStringConverter::Encoding encoding)
{
    QStringEncoder encode(encoding);
    qint64 size = 0;
    bool inAutoexec = false;
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            inAutoexec = SameText(trimmed, u'[' + SecAutoexec + u']');
            continue;
        }
        if (inAutoexec)
            size += QByteArray(encode(line)).size() + 2;
    }
    return size;
}

qint64 AutoexecSizeOfFile(const QString &fileName)
{
    QFile file(fileName);
    // A configuration file is small; a huge one is no concern of this check.
    if (!IsFile(fileName) || file.size() > 1024 * 1024 || !file.open(QIODevice::ReadOnly))
        return 0;
    return AutoexecSize(QString::fromUtf8(file.readAll()).split(u'\n'), QStringConverter::Utf8);
}

// Lines that would overflow the emulator's autoexec buffer: reported, false.
bool CheckAutoexecSize(const TConfigList &conf, const QString &config, const TDosBoxApp &app,
                       const TLaunchContext &ctx)
{
    const qint64 own = AutoexecSize(conf.lines(), QStringConverter::System);
    const qint64 available = AutoexecLimit - AutoexecSizeOfFile(config);
    if (own <= available)
        return true;
    ctx.Prompt.error(SafeFormat(_("The DOS commands of \"%s\" are too long for DOSBox: %d "
                                  "bytes, where %d fit.\r\nShorten the parameters or commands; "
                                  "the application was not started."),
                                app.AppName, int(qMin<qint64>(own, INT_MAX)),
                                int(qMax<qint64>(available, 0))));
    return false;
}

// Steps before anything is written: configuration files, folder, CD medium.
bool CheckRunPreconditions(const TDosBoxApp &app, const TLaunchContext &ctx)
{
    const TBasicSettings &settings = ctx.Settings;
    if (app.AppConfig && !IsFile(AppConfigPath(app)) &&
        !ctx.Prompt.confirm(_("Application specific configuration file not found!\n"
                              "Start application anyway?")))
        return false;
    if (!settings.IsStaging && !IsFile(settings.ConfFile) &&
        !ctx.Prompt.confirm(_("Primary configuration file not found! Start application anyway?")))
        return false;
    if (!IsDir(app.AppPath)) {
        ctx.Prompt.error(SafeFormat(_("Application path not found:\n%s"), app.AppPath));
        return false;
    }
    if (!CheckMountPaths(app, ctx))
        return false;
    if (!MountsCd(app))
        return true;
    if (app.IsoImage) {
        // The emulator resolves a relative image name in the application folder.
        const QString image = FirstQuotedItem(app.CdPath, u' ', u'"');
        if (!IsFile(MakeAbsolutePath(app.AppPath, image))) {
            ctx.Prompt.error(
                // TRANSLATORS: Follows the word "Application"; keep the blank in front.
                ApplicationLabel(_(" \"%s\": File \"%s\" not found!"), app.AppName, app.CdPath));
            return false;
        }
        return true;
    }
    const QString root = CdDriveRoot(app.CdPath);
    while (!HasReadableMedium(root)) {
        if (!ctx.Prompt.confirmRetry(
                // TRANSLATORS: Follows the word "Application"; keep the blank in front.
                ApplicationLabel(_(" \"%s\": Please insert the associated CD into drive \"%s\"!"),
                                 app.AppName, root)))
            return false;
    }
    return true;
}

void AddSpeedLines(TConfigList &conf, const TDosBoxApp &app, const TDosBoxVariant &variant)
{
    const TCpuSpeed &speed = app.Speed;
    if (!variant.HasCpuCyclesKeys()) {
        if (speed.RealSpeed == 0)
            conf.AddValue(KeyCycles, ValAuto);
        else if (speed.RealSpeed == MaxSpeed)
            conf.AddValue(KeyCycles, ValMax);
        else if (speed.RealSpeed > 0)
            conf.AddValue(KeyCycles, ValFixed + u' ' + QString::number(speed.RealSpeed));
        return;
    }
    if (speed.RealSpeed == 0)
        conf.AddValue(KeyCpuCycles, QStringLiteral("3000"));
    else if (speed.RealSpeed == MaxSpeed)
        conf.AddValue(KeyCpuCycles, ValMax);
    else if (speed.RealSpeed > 0)
        conf.AddValue(KeyCpuCycles, speed.RealSpeed);
    if (speed.ProtSpeed == 0)
        conf.AddValue(KeyCpuCyclesProtected, ValAuto);
    else if (speed.ProtSpeed == MaxSpeed)
        conf.AddValue(KeyCpuCyclesProtected, ValMax);
    else if (speed.ProtSpeed > 0)
        conf.AddValue(KeyCpuCyclesProtected, speed.ProtSpeed);
    if (speed.Throttle >= 0)
        conf.AddValue(KeyCpuThrottle, OnOffText(speed.Throttle));
}

void AddCommandLines(TConfigList &conf, QString commands)
{
    while (!commands.isEmpty())
        conf.append(ReadNextItem(commands, u';'));
}

void AddAutoexecLines(TConfigList &conf, const TDosBoxApp &app, const TDosBoxVariant &variant)
{
    QString mixer = app.MixerChannels;
    while (!mixer.isEmpty())
        conf.append(CmdMixer + ReadNextQuotedItem(mixer, u';', u'"'));
    conf.append(MountLine(app.HardDrv, app.AppPath));
    if (MountsCd(app)) {
        const QString drive = QString(app.CdDrv);
        if (!app.IsoImage)
            conf.append(MountLine(app.CdDrv, CdDriveRoot(app.CdPath)) +
                        QStringLiteral(" -t cdrom"));
        else
            conf.append(variant.ImageMountCommand() + drive + u' ' + app.CdPath +
                        QStringLiteral(" -t cdrom"));
    }
    AddCommandLines(conf, app.Commands);
    if (!app.AppFile.isEmpty()) {
        const QString program = SameText(DosExtension(app.AppFile), QStringLiteral("bat"))
                                    ? CmdCall + app.AppFile
                                    : app.AppFile;
        conf.append(program + u' ' + app.Parameters);
    }
    AddCommandLines(conf, app.ExitCommands);
    if (app.AutoEnd)
        conf.append(CmdExit);
}

// The configuration file the emulator reads before the launch file.
QString EmulatorConfig(const TDosBoxApp &app, const TBasicSettings &settings)
{
    return app.AppConfig ? AppConfigPath(app) : settings.ConfFile;
}

// False, after a message, when the commands do not fit the emulator.
bool WriteRunConfig(const QString &fileName, const TDosBoxApp &app, const TLaunchContext &ctx)
{
    const TBasicSettings &settings = ctx.Settings;
    const TDosBoxVariant variant = settings.DosBoxVariant();
    TConfigList conf(fileName);
    conf.AddSection(SecSdl);
    conf.AddValue(KeyFullScreen, app.FullScreen ? ValTrue : QStringLiteral("false"));
    if (IsFile(app.AppMapper))
        conf.AddValue(KeyMapperFile, app.AppMapper);
    conf.AddSection(SecDosBox);
    AddLanguage(conf, settings);
    if (app.MemSize > 0)
        conf.AddValue(KeyMemSize, app.MemSize);
    conf.AddSection(SecCpu);
    AddSpeedLines(conf, app, variant);
    conf.AddSection(SecDos);
    if (variant.Staging) {
        const TMemManage &mem = app.MemManage;
        if (mem.XMS >= 0)
            conf.AddValue(KeyXms, OnOffText(mem.XMS));
        if (mem.EMS >= 0)
            conf.AddValue(KeyEms, OnOffText(mem.EMS));
        if (mem.UMB >= 0)
            conf.AddValue(KeyUmb, OnOffText(mem.UMB));
    }
    AddKeyboardLayout(conf, settings);
    conf.AddSection(SecAutoexec);
    AddAutoexecLines(conf, app, variant);
    if (!CheckAutoexecSize(conf, EmulatorConfig(app, settings), app, ctx))
        return false;
    conf.Save();
    return true;
}

} // namespace

QString OnOffText(int Value)
{
    return Value == 0 ? ValOn : ValOff;
}

QString CdDriveRoot(const QString &CdPath)
{
    const QString item = CdPath.trimmed();
    if (!item.endsWith(u')'))
        return item;
    // The label may hold parentheses itself: find the one that opens it.
    int depth = 0;
    for (qsizetype i = item.size() - 1; i > 0; --i) {
        if (item.at(i) == u')')
            ++depth;
        else if (item.at(i) == u'(' && --depth == 0)
            return item.at(i - 1) == u' ' ? item.left(i - 1).trimmed() : item;
    }
    return item;
}

TLaunchResult RunApplication(const TDosBoxApp &app, const TLaunchContext &ctx)
{
    const TBasicSettings &settings = ctx.Settings;
    if (!CheckRunPreconditions(app, ctx))
        return {};
    const QString launchConfig = JoinPath(app.AppPath, LaunchConfigName);
    if (!WriteRunConfig(launchConfig, app, ctx))
        return {};

    const QString program = EmulatorProgram(ctx);
    if (program.isEmpty())
        return {};
    QString commandLine = QuoteIfBlank(program);
    if (app.ConsoleMode.contains(TConsoleMode::cmHide))
        commandLine += OptNoConsole;
    if (!app.AppConfig)
        commandLine += settings.DosBoxVariant().NoLocalConfigOption();
    if (!settings.IsStaging) {
        const QString config = EmulatorConfig(app, settings);
        if (IsFile(config))
            commandLine += ConfOption(config);
    } else if (app.AppConfig && !app.AppConfigFile.isEmpty() && IsFile(app.AppConfigFile) &&
               !SameFileName(app.AppConfigFile, JoinPath(app.AppPath, AppConfigName))) {
        // DOSBox Staging loads "dosbox.conf" of its working folder by itself,
        // a file of another name only when named.
        commandLine += ConfOption(app.AppConfigFile);
    }
    commandLine += ConfOption(launchConfig);
    const qint64 pid = ctx.Starter.StartProcess(commandLine, app.AppPath);
    return {true, app.AutoClose, pid};
}

bool RunKeymapper(TDosBoxApp &app, const TLaunchContext &ctx)
{
    const TBasicSettings &settings = ctx.Settings;
    const QString config = EmulatorConfig(app, settings);
    if (!IsFile(config) &&
        !ctx.Prompt.confirm(_("Primary configuration file not found! Start application anyway?")))
        return false;
    const QString launchConfig = JoinPath(app.AppPath, LaunchConfigName);
    if (IsDir(app.AppPath) && !CheckMountable(app.AppPath, ctx))
        return false;

    app.AppMapper = JoinPath(app.AppPath, AppMapperName);
    if (!settings.MapperFile.isEmpty()) {
        // Every keymapper start begins from a copy of the global key map.
        const QString global =
            MakeAbsolutePath(ExtractFilePath(settings.ConfFile), settings.MapperFile);
        if (!SameFileName(global, app.AppMapper) && IsFile(global))
            SafeCopyFile(global, app.AppMapper);
    }

    TConfigList conf(launchConfig);
    conf.AddSection(SecSdl);
    conf.AddValue(KeyMapperFile, app.AppMapper);
    conf.AddSection(SecDosBox);
    AddLanguage(conf, settings);
    conf.AddSection(SecDos);
    AddKeyboardLayout(conf, settings);
    conf.AddSection(SecAutoexec);
    if (IsDir(app.AppPath))
        conf.append(MountLine(app.HardDrv, app.AppPath));
    conf.append(CmdExit);
    conf.Save();

    const QString program = EmulatorProgram(ctx);
    if (program.isEmpty())
        return false;
    QString commandLine = QuoteIfBlank(program) + OptStartMapper;
    if (!app.AppConfig)
        commandLine += settings.DosBoxVariant().NoLocalConfigOption();
    if (IsFile(config))
        commandLine += ConfOption(config);
    commandLine += ConfOption(launchConfig);
    ctx.Starter.StartProcess(commandLine, app.AppPath);
    return true;
}

bool RunDosBox(const TLaunchContext &ctx)
{
    const TBasicSettings &settings = ctx.Settings;
    const QString program = EmulatorProgram(ctx);
    if (program.isEmpty())
        return false;
    // The plain run is the global configuration's: a "dosbox.conf" that
    // happens to lie in the root folder has no say.
    QString commandLine = QuoteIfBlank(program) + settings.DosBoxVariant().NoLocalConfigOption();
    const QString language = LanguageValue(settings);
    if (!language.isEmpty())
        commandLine += OptLang + QuoteIfBlank(language);
    if (IsFile(settings.ConfFile))
        commandLine += ConfOption(settings.ConfFile);
    if (!settings.KeyLayout.trimmed().isEmpty())
        commandLine +=
            OptCommand + QuoteIfBlank(KeybCommand(settings.KeyLayout, settings.Codepage));
    // The root folder as drive C:, so that DOS starts among the applications
    // rather than on the emulator's empty Z:.
    if (IsDir(settings.RootPath))
        commandLine +=
            OptCommand +
            QuoteIfBlank(CmdMount + QStringLiteral("C ") + QuoteIfBlank(settings.RootPath)) +
            OptCommand + QStringLiteral("C:");
    ctx.Starter.StartProcess(commandLine, settings.RootPath);
    return true;
}
