#include "localisation/LanguageFile.h"

#include "support/IniFileUtils.h"

namespace {
const QString Section = QStringLiteral("Language");
const QString Key = QStringLiteral("LangID");
} // namespace

QString ReadLanguageFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return QString();
    return TUnicodeIniFile::CreateForRead(fileName).ReadString(Section, Key).trimmed();
}

void WriteLanguageFile(const QString &fileName, const QString &code)
{
    if (fileName.isEmpty())
        return;
    TUnicodeIniFile ini(fileName, TUnicodeIniFile::TAccess::Write);
    ini.WriteString(Section, Key, code);
    ini.UpdateFile();
}
