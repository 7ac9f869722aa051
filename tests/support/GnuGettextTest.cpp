#include "support/GnuGettextInstance.h"

#include "support/GnuGettext.h"
#include "support/PluralForms.h"

#include "common/MoBuilder.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class GnuGettextEngine : public testing::Test
{
protected:
    void SetUp() override
    {
        programDir = dir.path() + u'/';
        engine = std::make_unique<TGnuGettextInstance>(programDir);
        engine->SetProblemHandler([this](const QString &title, const QString &text) {
            problems.append(title + QStringLiteral(": ") + text);
        });
        engine->AddResourceStringDomain(QStringLiteral("runtime"));
        engine->AddResourceStringDomain(QStringLiteral("units"));
    }

    QString writeCatalogue(const QString &lang, const QString &domain,
                           QMap<QByteArray, QByteArray> entries, bool withHeader = true)
    {
        const QString folder =
            programDir + QStringLiteral("locale/") + lang + QStringLiteral("/LC_MESSAGES");
        QDir().mkpath(folder);
        if (withHeader && !entries.contains(""))
            entries.insert("", Utf8Header);
        const QString path = folder + u'/' + domain + QStringLiteral(".mo");
        WriteTestFile(path, BuildMo(entries));
        return path;
    }

    QTemporaryDir dir;
    QString programDir;
    std::unique_ptr<TGnuGettextInstance> engine;
    QStringList problems;
};

} // namespace

TEST_F(GnuGettextEngine, BuiltInCataloguesAreKnownBelowTheProgramFolder)
{
    const QList<TLanguageTableEntry> table = BuiltInCatalogues(programDir);
    QStringList files;
    for (const TLanguageTableEntry &e : table)
        files.append(e.FileName.mid(programDir.size()));
    for (const char *lang : {"de", "fr"}) {
        for (const char *domain : {"default", "dialogs", "runtime", "units", "languages"})
            EXPECT_TRUE(files.contains(QStringLiteral("locale/%1/LC_MESSAGES/%2.mo")
                                           .arg(QLatin1String(lang), QLatin1String(domain))))
                << lang << " " << domain;
    }
}

TEST_F(GnuGettextEngine, RegionalCodeFallsBackToTheLanguage)
{
    engine->UseLanguage(QStringLiteral("de-DE"));
    EXPECT_EQ(engine->GetCurrentLanguage(), QStringLiteral("de-DE"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Manage DOSBox applications")),
              QStringLiteral("DOSBox-Anwendungen verwalten"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Schließen"));
    engine->UseLanguage(QStringLiteral("fr_FR"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Fermer"));
    EXPECT_EQ(engine->dgettext(QStringLiteral("languages"), QStringLiteral("German")),
              QStringLiteral("Allemand"));
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

TEST_F(GnuGettextEngine, LanguageWithoutCataloguesStaysEnglishSilently)
{
    for (const char *code : {"es", "es-ES", "C", "x", ""}) {
        engine->UseLanguage(QString::fromLatin1(code));
        EXPECT_EQ(engine->gettext(QStringLiteral("Manage DOSBox applications")),
                  QStringLiteral("Manage DOSBox applications"));
        EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Close"));
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

TEST_F(GnuGettextEngine, EmptyCodeTakesLangUpToTheDot)
{
    const QByteArray saved = qgetenv("LANG");
    qputenv("LANG", "fr_CA.UTF-8");
    engine->UseLanguage(QString());
    qputenv("LANG", saved);
    EXPECT_EQ(engine->GetCurrentLanguage(), QStringLiteral("fr_CA"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("Cancel")), QStringLiteral("Annuler"));
}

TEST_F(GnuGettextEngine, DiskCataloguesServeOtherLanguagesButNotBuiltInOnes)
{
    writeCatalogue(QStringLiteral("it"), QStringLiteral("default"), {{"Cancel", "Annulla"}});
    writeCatalogue(QStringLiteral("de"), QStringLiteral("default"),
                   {{"Manage DOSBox applications", "From the disk"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Annulla"));
    engine->UseLanguage(QStringLiteral("de"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Manage DOSBox applications")),
              QStringLiteral("DOSBox-Anwendungen verwalten"));
    // A catalogue for the full code wins over the one of the language.
    writeCatalogue(QStringLiteral("it-CH"), QStringLiteral("default"),
                   {{"Cancel", "Interrompere"}});
    engine->UseLanguage(QStringLiteral("it-CH"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Interrompere"));
    // A code is never a path out of the locale folder.
    engine->UseLanguage(QStringLiteral("../locale/it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Cancel"));
}

TEST_F(GnuGettextEngine, CrLfIdsFindLfEntriesAndGetCrLfBack)
{
    writeCatalogue(QStringLiteral("it"), QStringLiteral("default"),
                   {{"First line\nSecond line", "Prima riga\nSeconda riga"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("First line\r\nSecond line")),
              QStringLiteral("Prima riga\r\nSeconda riga"));
    EXPECT_EQ(engine->gettext(QStringLiteral("First line\nSecond line")),
              QStringLiteral("Prima riga\nSeconda riga"));
    // Untranslated texts come back exactly as given.
    EXPECT_EQ(engine->gettext(QStringLiteral("Other\r\ntext\n")),
              QStringLiteral("Other\r\ntext\n"));
}

TEST_F(GnuGettextEngine, ContextsSeparateMeaningsAndFallBackToTheText)
{
    const QString column =
        GnuGettext::WithContext(QStringLiteral("column"), QStringLiteral("Name"));
    const QString other = GnuGettext::WithContext(QStringLiteral("other"), QStringLiteral("Name"));
    writeCatalogue(QStringLiteral("it"), QStringLiteral("default"),
                   {{"column\004Name", "Nome"}, {"Name", "Denominazione"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(column), QStringLiteral("Nome"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Name")), QStringLiteral("Denominazione"));
    // Untranslated, the text comes back without its context, in every kind of lookup.
    EXPECT_EQ(engine->gettext(other), QStringLiteral("Name"));
    EXPECT_EQ(engine->LoadResString(other), QStringLiteral("Name"));
    EXPECT_EQ(engine->ComponentGettext(column), QStringLiteral("Nome"));
    engine->UseLanguage(QStringLiteral("es"));
    EXPECT_EQ(engine->ComponentGettext(column), QStringLiteral("Name"));
}

TEST_F(GnuGettextEngine, CountedMessagesTakeTheFormOfTheLanguage)
{
    writeCatalogue(
        QStringLiteral("it"), QStringLiteral("dialogs"),
        {{QByteArray("%u file\0%u files", 16), QByteArray("%u documento\0%u documenti", 25)}});
    const auto forms = [this](const char *lang) {
        engine->UseLanguage(QString::fromLatin1(lang));
        QStringList result;
        for (quint64 n : {0, 1, 2})
            result.append(engine->dngettext(QStringLiteral("dialogs"), QStringLiteral("%u file"),
                                            QStringLiteral("%u files"), n));
        return result.join(u',');
    };
    // French counts zero as one, German and Italian do not; without a
    // catalogue the English rule holds.
    EXPECT_EQ(forms("fr"), QStringLiteral("%u fichier,%u fichier,%u fichiers"));
    EXPECT_EQ(forms("de"), QStringLiteral("%u Dateien,%u Datei,%u Dateien"));
    EXPECT_EQ(forms("it"), QStringLiteral("%u documenti,%u documento,%u documenti"));
    EXPECT_EQ(forms("es"), QStringLiteral("%u files,%u file,%u files"));
}

TEST_F(GnuGettextEngine, ResourceStringsTryDefaultThenRuntimeThenUnits)
{
    writeCatalogue(QStringLiteral("it"), QStringLiteral("default"), {{"OK", "Va bene"}});
    writeCatalogue(QStringLiteral("it"), QStringLiteral("runtime"),
                   {{"&Close", "&Chiudi"}, {"OK", "OK (runtime)"}});
    writeCatalogue(QStringLiteral("it"), QStringLiteral("units"),
                   {{"&Close", "&Chiudi (units)"}, {"Version", "Versione"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("OK")), QStringLiteral("Va bene"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Chiudi"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("Version")), QStringLiteral("Versione"));
    EXPECT_EQ(engine->LoadResString(QStringLiteral("Unknown")), QStringLiteral("Unknown"));
    // The domains are listed once however often they are added.
    engine->AddResourceStringDomain(QStringLiteral("runtime"));
    EXPECT_EQ(engine->ResourceStringDomains(),
              QStringList(
                  {QStringLiteral("default"), QStringLiteral("runtime"), QStringLiteral("units")}));
}

TEST_F(GnuGettextEngine, CatalogueWithoutUtf8IsReportedAndSwitchedOff)
{
    const QString path = writeCatalogue(
        QStringLiteral("it"), QStringLiteral("default"),
        {{"", "Content-Type: text/plain; charset=ISO-8859-1\n"}, {"Cancel", "Annulla"}});
    writeCatalogue(QStringLiteral("it"), QStringLiteral("runtime"), {{"&Close", "&Chiudi"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Cancel"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Cancel"));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(
        problems.at(0),
        QStringLiteral("Localization problem: The translation for the language code it (in ") +
            path +
            QStringLiteral(") does not have charset=utf-8 in its Content-Type. "
                           "Translations are turned off."));
    // Other domains go on; the broken one stays off for the rest of the run.
    EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Chiudi"));
    engine->UseLanguage(QStringLiteral("de"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Manage DOSBox applications")),
              QStringLiteral("Manage DOSBox applications"));
    EXPECT_EQ(problems.size(), 1);
}

TEST_F(GnuGettextEngine, HeaderNameAndCharsetCompareWithoutCase)
{
    writeCatalogue(QStringLiteral("it"), QStringLiteral("default"),
                   {{"", "content-type: text/plain; CHARSET=Utf-8\n"}, {"Cancel", "Annulla"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Annulla"));
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(GnuGettextEngine, BrokenDiskCatalogueIsReportedAndLeavesEnglish)
{
    const QString folder = programDir + QStringLiteral("locale/it/LC_MESSAGES");
    QDir().mkpath(folder);
    WriteTestFile(folder + QStringLiteral("/default.mo"), QByteArray("garbage, not a catalogue"));
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Cancel"));
    EXPECT_EQ(engine->gettext(QStringLiteral("OK")), QStringLiteral("OK"));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(
        problems.at(0),
        QStringLiteral("Localization problem: This file is not a valid GNU gettext mo file: ") +
            folder + QStringLiteral("/default.mo"));
    // Repaired while running: the next change of language opens it again.
    writeCatalogue(QStringLiteral("it"), QStringLiteral("default"), {{"Cancel", "Annulla"}});
    engine->UseLanguage(QStringLiteral("it"));
    EXPECT_EQ(engine->gettext(QStringLiteral("Cancel")), QStringLiteral("Annulla"));
}

TEST_F(GnuGettextEngine, SwitchedOffEngineTranslatesNothing)
{
    engine->UseLanguage(QStringLiteral("de"));
    engine->Enabled = false;
    EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Close"));
    engine->Enabled = true;
    EXPECT_EQ(engine->LoadResString(QStringLiteral("&Close")), QStringLiteral("&Schließen"));
}

TEST(PluralForms, StandardRulesByLanguage)
{
    const auto indices = [](const char *lang) {
        QString result;
        for (quint64 n : {0, 1, 2, 5, 12, 22, 101, 111})
            result += QString::number(PluralFormIndex(QString::fromLatin1(lang), n));
        return result;
    };
    EXPECT_EQ(indices("de-DE"), QStringLiteral("10111111"));
    EXPECT_EQ(indices("fr"), QStringLiteral("00111111"));
    EXPECT_EQ(indices("pt_BR"), QStringLiteral("00111111"));
    EXPECT_EQ(indices("pt"), QStringLiteral("10111111"));
    EXPECT_EQ(indices("pl"), QStringLiteral("20122122"));
    EXPECT_EQ(indices("ru"), QStringLiteral("20122102"));
    EXPECT_EQ(indices("ja"), QStringLiteral("00000000"));
    EXPECT_EQ(PluralFormCount(QStringLiteral("fr_CA")), 2);
    EXPECT_EQ(PluralFormCount(QStringLiteral("sl")), 4);
    EXPECT_EQ(PluralFormCount(QString()), 2);
}
