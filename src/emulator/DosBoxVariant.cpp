#include "emulator/DosBoxVariant.h"

#include "emulator/DosBoxInterface.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

using namespace DosBox;

namespace {

bool IsLanguageCode(const QString &name)
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z]{2}$"));
    return code.match(name).hasMatch();
}

} // namespace

bool TDosBoxVariant::AtLeast(int major, int minor) const
{
    if (!Version.Known)
        return true;
    return Version.Major != major ? Version.Major > major : Version.Minor >= minor;
}

bool TDosBoxVariant::HasCpuCyclesKeys() const
{
    return Staging && AtLeast(0, 82);
}

QString TDosBoxVariant::KeyboardLayoutKey() const
{
    return Staging && AtLeast(0, 83) ? KeyKeyboardLayout : KeyKeyboardLayoutClassic;
}

QString TDosBoxVariant::KeyboardLayoutValue(const QString &layout, int codePage) const
{
    const QString code = layout.trimmed().toLower();
    if (code.isEmpty())
        return ValAuto;
    if (Staging && AtLeast(0, 83) && codePage > 0)
        return code + u' ' + QString::number(codePage);
    return code;
}

QString TDosBoxVariant::ImageMountCommand() const
{
    return Staging && AtLeast(0, 83) ? CmdMount : CmdImgMount;
}

QString TDosBoxVariant::LanguageValue(const QString &langFile) const
{
    const QFileInfo file(langFile);
    const QString suffix = file.suffix().toLower();
    const QString name = file.completeBaseName();
    if (!Staging)
        return suffix == QLatin1String("po") ? QString() : langFile;
    if (suffix == QLatin1String("lng") && IsLanguageCode(name))
        return name.toLower();
    if (suffix == QLatin1String("po") && AtLeast(0, 83))
        return langFile;
    return {};
}

QString TDosBoxVariant::NoLocalConfigOption() const
{
    return Staging ? OptNoLocalConf : QString();
}

QString KeybCommand(const QString &layout, int codePage)
{
    QString command = CmdKeyb + layout.trimmed().toLower();
    if (codePage > 0)
        command += u' ' + QString::number(codePage);
    return command;
}

std::optional<TDosBoxVersionLine> ParseDosBoxVersionLine(const QString &output)
{
    static const QRegularExpression line(
        QStringLiteral("^\\s*(dosbox[\\w\\- ()]*?)\\s*,?\\s+version\\b[\\s:]*(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    // "0.74-3" is release 3 of 0.74 (Debian's numbering); "0.83.0-RC1" a
    // pre-release of 0.83.0.
    static const QRegularExpression number(
        QStringLiteral("^[vV]?(\\d+)\\.(\\d+)(?:\\.(\\d+))?(-[A-Za-z][\\w.]*|-(\\d+))?(?![\\w.])"));

    const QStringList lines = output.split(u'\n');
    for (const QString &text : lines) {
        const QRegularExpressionMatch m = line.match(QString(text).remove(u'\r'));
        if (!m.hasMatch())
            continue;
        TDosBoxVersionLine result;
        const QString product = m.captured(1).simplified();
        result.Staging = product.contains(QLatin1String("staging"), Qt::CaseInsensitive);
        if (result.Staging)
            result.Product = QStringLiteral("DOSBox Staging");
        else if (product.compare(QLatin1String("dosbox"), Qt::CaseInsensitive) == 0)
            result.Product = QStringLiteral("DOSBox");
        else
            result.Product = product;
        const QRegularExpressionMatch v = number.match(m.captured(2).trimmed());
        if (v.hasMatch()) {
            TDosBoxVersion &version = result.Version;
            version.Known = true;
            version.Major = v.captured(1).toInt();
            version.Minor = v.captured(2).toInt();
            version.Release = v.hasCaptured(5) ? v.captured(5).toInt() : v.captured(3).toInt();
            if (!v.hasCaptured(5))
                version.Suffix = v.captured(4);
        }
        return result;
    }
    return std::nullopt;
}

std::optional<bool> ParseConfigSwitch(const QString &value)
{
    static const QStringList onWords{QStringLiteral("on"), QStringLiteral("true"),
                                     QStringLiteral("yes"), QStringLiteral("1")};
    static const QStringList offWords{QStringLiteral("off"), QStringLiteral("false"),
                                      QStringLiteral("no"), QStringLiteral("0")};
    const QString word = value.trimmed();
    if (onWords.contains(word, Qt::CaseInsensitive))
        return true;
    if (offWords.contains(word, Qt::CaseInsensitive))
        return false;
    return std::nullopt;
}
