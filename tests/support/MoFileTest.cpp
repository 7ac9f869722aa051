#include "support/MoFile.h"

#include "common/MoBuilder.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QMap<QByteArray, QByteArray> Sample{
    {"", Utf8Header}, {"Cancel", "Abbrechen"}, {"&Yes", "&Ja"}, {"Line\nbreak", "Zeilen\numbruch"}};

void ExpectSampleTranslations(const TMoFile &mo)
{
    EXPECT_EQ(mo.count(), 4u);
    EXPECT_EQ(mo.lookup("Cancel").value(), "Abbrechen");
    EXPECT_EQ(mo.lookup("&Yes").value(), "&Ja");
    EXPECT_EQ(mo.lookup("Line\nbreak").value(), "Zeilen\numbruch");
    EXPECT_FALSE(mo.lookup("cancel").has_value());
    EXPECT_FALSE(mo.lookup("Cancel ").has_value());
}

} // namespace

TEST(MoFile, ReadsBothByteOrders)
{
    ExpectSampleTranslations(*TMoFile::fromData(BuildMo(Sample, false), QStringLiteral("le")));
    ExpectSampleTranslations(*TMoFile::fromData(BuildMo(Sample, true), QStringLiteral("be")));
}

TEST(MoFile, MapsFilesAndNamesUnopenableOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.mo"));
    WriteTestFile(path, BuildMo(Sample));
    ExpectSampleTranslations(*TMoFile::fromFile(path));

    const QString missing = dir.filePath(QStringLiteral("missing.mo"));
    try {
        TMoFile::fromFile(missing);
        FAIL() << "no error for a missing file";
    } catch (const EGnuGettextError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot open file ") + missing);
    }
}

TEST(MoFile, UnsortedCataloguesAreSearchedToo)
{
    // Swap the first two id descriptors: the ids are no longer in order.
    QByteArray data = BuildMo(Sample);
    const QByteArray first = data.mid(28, 8), second = data.mid(36, 8);
    data.replace(28, 8, second).replace(36, 8, first);
    const QByteArray t1 = data.mid(28 + 32, 8), t2 = data.mid(36 + 32, 8);
    data.replace(28 + 32, 8, t2).replace(36 + 32, 8, t1);
    auto mo = TMoFile::fromData(data, QStringLiteral("unsorted"));
    EXPECT_EQ(mo->lookup("&Yes").value(), "&Ja");
    EXPECT_EQ(mo->lookup("Cancel").value(), "Abbrechen");
}

TEST(MoFile, PluralEntriesAnswerTheSingularAndEachForm)
{
    auto mo = TMoFile::fromData(
        BuildMo(
            {{"", Utf8Header}, {QByteArray("file\0files", 10), QByteArray("Datei\0Dateien", 13)}}),
        QStringLiteral("plural"));
    EXPECT_EQ(mo->lookup("file").value(), "Datei");
    EXPECT_EQ(mo->lookupPlural("file", 0).value(), "Datei");
    EXPECT_EQ(mo->lookupPlural("file", 1).value(), "Dateien");
    EXPECT_FALSE(mo->lookupPlural("file", 2).has_value());
    EXPECT_FALSE(mo->lookupPlural("files", 1).has_value());
}

TEST(MoFile, RejectsTruncatedAndGarbageData)
{
    const QByteArray good = BuildMo(Sample);
    QByteArray badRevision = good;
    badRevision[6] = 2; // major revision 2
    QByteArray countTooLarge = good;
    countTooLarge[11] = char(0x7f);
    QByteArray stringOutside = good;
    stringOutside[28 + 4 + 3] = char(0x7f); // offset of the first id far beyond the end
    QByteArray tableWraps = good;
    for (int i = 12; i < 16; ++i)
        tableWraps[i] = char(0xff);

    const QList<QByteArray> bad{QByteArray(),
                                QByteArray("\xde\x12\x04\x95", 4),
                                good.left(27),
                                good.left(good.size() - 8),
                                QByteArray(200, 'x'),
                                badRevision,
                                countTooLarge,
                                stringOutside,
                                tableWraps};
    for (const QByteArray &data : bad) {
        try {
            TMoFile::fromData(data, QStringLiteral("/x/bad.mo"));
            ADD_FAILURE() << "accepted " << data.toHex().constData();
        } catch (const EGnuGettextError &e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("This file is not a valid GNU gettext mo file: /x/bad.mo"));
        }
    }
}
