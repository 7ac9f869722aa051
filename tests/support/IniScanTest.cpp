#include "support/IniScan.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/IniFileUtils.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16(const QString &text)
{
    QByteArray data("\xFF\xFE", 2);
    data.resize(2 + 2 * text.size());
    qToLittleEndian<char16_t>(text.utf16(), text.size(), data.data() + 2);
    return data;
}

} // namespace

// The scan must read what the full reader reads, whatever the file's form.
TEST(IniScan, FindsTheSameSectionsAndValuesAsTheFullReader)
{
    const QString text =
        QStringLiteral("key=before any section\r\n"
                       "  [ Config ]  \r\n; [NotASection]\r\nAppCount = 2\r\nappcount=3\r\n"
                       "[App001]\rAppName=First [1]\r[x=y]\nAppName=other section\n"
                       "a[b]=c\r\n[App002]=no section\r\n  [app001]\r\nAppName=Second\r\n"
                       "[Empty]\r\n[Last]\r\nk = v = w\r\n=empty key\r\nno equals\r\nK=again");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.ini"));
    for (const QByteArray &data : {Utf16(text), text.toUtf8()}) {
        WriteTestFile(file, data);
        const auto ini = TUnicodeIniFile::CreateForRead(file);
        const TIniScan scan(file);
        ASSERT_TRUE(scan.CompletelyRead());
        QStringList names;
        for (const TIniScan::TSection &section : scan.Sections())
            names.append(section.Name.toString());
        EXPECT_EQ(names, ini.ReadSections());
        EXPECT_EQ(names, (QStringList{QStringLiteral("Config"), QStringLiteral("App001"),
                                      QStringLiteral("x=y"), QStringLiteral("app001"),
                                      QStringLiteral("Empty"), QStringLiteral("Last")}));
        for (const QString &section : ini.ReadSections()) {
            const TIniScan::TSection *scanned = scan.FindSection(section);
            ASSERT_NE(scanned, nullptr);
            for (const QString &key : ini.ReadSection(section))
                EXPECT_EQ(TIniScan::Value(scanned->Body, key).value_or(u"<none>").toString(),
                          ini.ReadString(section, key))
                    << section.toStdString() << " " << key.toStdString();
        }
        EXPECT_FALSE(TIniScan::Value(scan.FindSection(u"last")->Body, u"no equals"));
    }
}
