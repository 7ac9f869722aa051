#include "localisation/LanguageSelection.h"
#include "support/GnuGettext.h"

#include "common/TestUtils.h"
#include "localisation/LanguageFile.h"
#include "support/IniFileUtils.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LanguageSelection : public testing::Test
{
protected:
    void SetUp() override
    {
        GnuGettext::SetRetranslateHandler([this]() { ++retranslations; });
    }
    void TearDown() override
    {
        GnuGettext::SetRetranslateHandler({});
        GnuGettext::InitLanguage({}, QStringLiteral("C"), QString());
    }
    QString storedLanguage() const { return ReadLanguageFile(languageFile); }

    QTemporaryDir dir;
    QString languageFile = dir.filePath(QStringLiteral("ravelin.cfg"));
    int retranslations = 0;
};

} // namespace

TEST_F(LanguageSelection, CommandLineLanguageIsNeverStored)
{
    WriteLanguageFile(languageFile, QStringLiteral("fr"));
    GnuGettext::InitLanguage({QStringLiteral("runtime"), QStringLiteral("units")},
                             QStringLiteral("de"), languageFile);
    EXPECT_TRUE(GnuGettext::LanguageFromCommandLine());
    EXPECT_EQ(GnuGettext::GetCurrentLanguage(), QStringLiteral("de"));
    EXPECT_EQ(R_("&Close"), QStringLiteral("&Schließen"));

    EXPECT_EQ(GnuGettext::ChangeLanguage(QStringLiteral("en")), QStringLiteral("en"));
    EXPECT_EQ(R_("&Close"), QStringLiteral("&Close"));
    EXPECT_EQ(retranslations, 1);
    EXPECT_EQ(storedLanguage(), QStringLiteral("fr"));

    // The next start without the option uses the stored language.
    GnuGettext::InitLanguage({}, QString(), languageFile);
    EXPECT_FALSE(GnuGettext::LanguageFromCommandLine());
    EXPECT_EQ(GnuGettext::GetCurrentLanguage(), QStringLiteral("fr"));
    EXPECT_EQ(R_("&Close"), QStringLiteral("&Fermer"));
}

TEST_F(LanguageSelection, ChosenLanguageIsStoredAndApplied)
{
    GnuGettext::InitLanguage({}, QString(), languageFile);
    EXPECT_FALSE(QFile::exists(languageFile));
    EXPECT_EQ(GnuGettext::ChangeLanguage(QStringLiteral("fr")), QStringLiteral("fr"));
    EXPECT_EQ(storedLanguage(), QStringLiteral("fr"));
    EXPECT_EQ(_("Manage DOSBox applications"), QStringLiteral("Gérer les applications DOSBox"));
    EXPECT_EQ(retranslations, 1);

    // "System default": the platform's language, and the empty code stored.
    const QByteArray saved = qgetenv("LANG");
    qputenv("LANG", "de_AT.UTF-8");
    const QString effective = GnuGettext::ChangeLanguage(QString());
    qputenv("LANG", saved);
    EXPECT_EQ(effective, QStringLiteral("de"));
    EXPECT_EQ(GnuGettext::GetCurrentLanguage(), QStringLiteral("de_AT"));
    EXPECT_TRUE(storedLanguage().isEmpty());
    EXPECT_TRUE(TUnicodeIniFile::CreateForRead(languageFile)
                    .ValueExists(QStringLiteral("Language"), QStringLiteral("LangID")));
}

TEST_F(LanguageSelection, UnreadableLanguageFileMeansThePlatformLanguage)
{
    WriteLanguageFile(languageFile, QStringLiteral("fr"));
    QFile::setPermissions(languageFile, QFileDevice::WriteOwner);
    const bool unreadable = !QFile(languageFile).open(QIODevice::ReadOnly);
    GnuGettext::InitLanguage({}, QString(),
                             unreadable ? languageFile : dir.filePath(QStringLiteral("none.cfg")));
    EXPECT_EQ(GnuGettext::GetCurrentLanguage(), QStringLiteral("C"));
    QFile::setPermissions(languageFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
