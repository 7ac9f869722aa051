#include "support/IniFileUtils.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/Errors.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16Le(const QString &text, bool bom = true)
{
    QByteArray data = bom ? QByteArray("\xFF\xFE", 2) : QByteArray();
    const qsizetype start = data.size();
    data.resize(start + 2 * text.size());
    qToLittleEndian<char16_t>(text.utf16(), text.size(), data.data() + start);
    return data;
}

QByteArray Utf16Be(const QString &text)
{
    QByteArray data("\xFE\xFF", 2);
    data.resize(2 + 2 * text.size());
    qToBigEndian<char16_t>(text.utf16(), text.size(), data.data() + 2);
    return data;
}

QString ToText(const QByteArray &data)
{
    return DecodeTextFile(data);
}

class IniFileTest : public testing::Test
{
protected:
    QString Path(const QString &name) const { return m_dir.filePath(name); }

    void Store(const QString &name, const QByteArray &data) const
    {
        WriteTestFile(Path(name), data);
    }
    QByteArray Load(const QString &name) const { return ReadTestFile(Path(name)); }

    QTemporaryDir m_dir;
};

// A hand-written catalogue: comments, blank lines and text before the first
// section go; everything else, known or not, comes back in its order.
const char16_t *const HandWritten = u"garbage before any section\r\n"
                                    u"; a comment\r\n"
                                    u"[Unicode]\r\n"
                                    u"Encoding=UTF-16LE\r\n"
                                    u"\r\n"
                                    u"  [ Config ]  \r\n"
                                    u"\tAppCount = 2 \r\n"
                                    u"Future=kept\r\n"
                                    u"a line without equals sign\r\n"
                                    u"Dup=first\r\n"
                                    u"Dup=second\r\n"
                                    u"[App001]\r\n"
                                    u"AppName=Game\r\n"
                                    u"Commands=#C:; CD \\games ## 1#\r\n"
                                    u"Mask=0x1F\r\n"
                                    u"[Unknown Section]\r\n"
                                    u"Anything=goes=here\r\n";

const char16_t *const HandWrittenSaved = u"[Unicode]\r\n"
                                         u"Encoding=UTF-16LE\r\n"
                                         u"\r\n"
                                         u"[Config]\r\n"
                                         u"AppCount=2\r\n"
                                         u"Future=kept\r\n"
                                         u"a line without equals sign\r\n"
                                         u"Dup=first\r\n"
                                         u"Dup=second\r\n"
                                         u"\r\n"
                                         u"[App001]\r\n"
                                         u"AppName=Game\r\n"
                                         u"Commands=#C:; CD \\games ## 1#\r\n"
                                         u"Mask=0x1F\r\n"
                                         u"\r\n"
                                         u"[Unknown Section]\r\n"
                                         u"Anything=goes=here\r\n"
                                         u"\r\n";

} // namespace

TEST_F(IniFileTest, HandWrittenCatalogueRoundTrips)
{
    Store(QStringLiteral("cat.ini"), Utf16Le(QString::fromUtf16(HandWritten)));
    {
        auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("cat.ini")));
        EXPECT_EQ(ini.ReadInteger(u"config", u"APPCOUNT", 0), 2);
        EXPECT_EQ(ini.ReadString(u"Config", u"Dup"), QStringLiteral("first"));
        EXPECT_EQ(ini.ReadEnclosedString(u"App001", u"Commands"),
                  QStringLiteral("C:; CD \\games # 1"));
        EXPECT_EQ(ini.ReadInteger(u"App001", u"Mask", 0), 31);
        EXPECT_EQ(ini.ReadString(u"unknown section", u"Anything"), QStringLiteral("goes=here"));
        ini.UpdateFile();
    }
    const QByteArray saved = Load(QStringLiteral("cat.ini"));
    EXPECT_EQ(saved, Utf16Le(QString::fromUtf16(HandWrittenSaved)));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("cat.ini")});
}

TEST_F(IniFileTest, EncodingsAndLineBreaks)
{
    const QString text = QStringLiteral("[Sect]\nName=Müller ☺\rNext=1\r\n\r\nLast=\u20ac");
    const QString expected = QStringLiteral("Müller ☺");
    const QByteArray variants[] = {
        Utf16Le(text),
        Utf16Be(text),
        QByteArray("\xEF\xBB\xBF") + text.toUtf8(),
        text.toUtf8(),
    };
    for (const QByteArray &data : variants) {
        auto ini = TUnicodeIniFile::FromData(data);
        EXPECT_EQ(ini.ReadString(u"sect", u"name"), expected);
        EXPECT_EQ(ini.ReadInteger(u"sect", u"next", 0), 1);
        EXPECT_EQ(ini.ReadString(u"sect", u"last"), QStringLiteral("€"));
    }
    // Without a byte-order mark, bytes that are not UTF-8 are Windows-1252,
    // mixed freely with valid UTF-8 in the same file.
    auto ansi =
        TUnicodeIniFile::FromData(QByteArray("[S]\nA=M\xfcller \x80 \xc3\xa4\x81\nB=\xe2\x82"));
    EXPECT_EQ(ansi.ReadString(u"S", u"A"), QStringLiteral(u"Müller € ä\u0081"));
    EXPECT_EQ(ansi.ReadString(u"S", u"B"), QStringLiteral(u"\u00e2\u201a"));
}

TEST_F(IniFileTest, LookUpRules)
{
    auto ini = TUnicodeIniFile::FromData(
        Utf16Le(QStringLiteral("[Äpfel]\nGRÖßE=1\nEmpty=\n\x01"
                               "Ctl\x02=\x1f trimmed \x7f\nNbsp=\u00a0x\u00a0\n"
                               "[äpfel]\ngröße=2\nOther=3\n")));
    EXPECT_EQ(ini.ReadInteger(u"äPFEL", u"größe", 0), 1); // first section, case folded
    EXPECT_FALSE(ini.ValueExists(u"Äpfel", u"Other"));    // the duplicate section is hidden
    EXPECT_EQ(ini.ReadString(u"Äpfel", u"Empty", QStringLiteral("def")), QString());
    EXPECT_EQ(ini.ReadString(u"Äpfel", u"Absent", QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(ini.ReadString(u"Äpfel", u"Ctl"), QStringLiteral("trimmed \x7f"));
    EXPECT_EQ(ini.ReadString(u"Äpfel", u"Nbsp"), QStringLiteral("\u00a0x\u00a0"));
    EXPECT_EQ(ini.ReadSection(u"ÄPFEL"),
              (QStringList{QStringLiteral("GRÖßE"), QStringLiteral("Empty"), QStringLiteral("Ctl"),
                           QStringLiteral("Nbsp")}));
    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("Äpfel"), QStringLiteral("äpfel")}));
    EXPECT_TRUE(ini.SectionExists(u"ÄPFEL"));
    EXPECT_FALSE(ini.SectionExists(u"Apfel"));
}

TEST(IniNumbers, IntegersAndBooleans)
{
    auto ini = TUnicodeIniFile::FromData(QByteArray("[N]\n"
                                                    "dec=-42\nplus=+7\nhex=0x1f\nHex2=0XFF\n"
                                                    "x=0x\nbad=12a\nspace=1 2\nbig=2147483648\n"
                                                    "min=-2147483648\nallbits=0xFFFFFFFF\n"
                                                    "toolong=0x100000000\nb2=2\nb0=0x0\nyes=yes\n"
                                                    "huge=99999999999999999999999999\n"));
    EXPECT_EQ(ini.ReadInteger(u"N", u"dec", 0), -42);
    EXPECT_EQ(ini.ReadInteger(u"N", u"plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger(u"N", u"hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger(u"N", u"HEX2", 0), 255);
    EXPECT_EQ(ini.ReadInteger(u"N", u"x", 5), 5);
    EXPECT_EQ(ini.ReadInteger(u"N", u"bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger(u"N", u"space", 5), 5);
    EXPECT_EQ(ini.ReadInteger(u"N", u"big", 5), 5);
    EXPECT_EQ(ini.ReadInteger(u"N", u"min", 5), std::numeric_limits<int>::min());
    EXPECT_EQ(ini.ReadInteger(u"N", u"allbits", 5), -1);
    EXPECT_EQ(ini.ReadInteger(u"N", u"toolong", 5), 5);
    EXPECT_EQ(ini.ReadInteger(u"N", u"huge", 5), 5);
    EXPECT_EQ(ini.ReadInt64(u"N", u"big", 5), 2147483648LL);
    EXPECT_EQ(ini.ReadInt64(u"N", u"allbits", 5), 4294967295LL);
    EXPECT_EQ(ini.ReadInt64(u"N", u"toolong", 5), 4294967296LL);
    EXPECT_EQ(ini.ReadInt64(u"N", u"huge", 5), 5);
    EXPECT_TRUE(ini.ReadBool(u"N", u"b2", false));
    EXPECT_FALSE(ini.ReadBool(u"N", u"b0", true));
    EXPECT_TRUE(ini.ReadBool(u"N", u"yes", true));
    EXPECT_FALSE(ini.ReadBool(u"N", u"yes", false));
    EXPECT_TRUE(ini.ReadBool(u"N", u"absent", true));
}

TEST(IniEnclosedValues, KeepBlanksAndHashes)
{
    const QString values[] = {QStringLiteral("  C:;CD \\  "), QStringLiteral("#"),
                              QStringLiteral("a##b # c"), QString(), QStringLiteral("##")};
    for (const QString &v : values)
        EXPECT_EQ(UnencloseValue(EncloseValue(v)), v);
    EXPECT_EQ(EncloseValue(QStringLiteral("a#b")), QStringLiteral("#a##b#"));
    // Only a value enclosed in "#" is unwrapped.
    EXPECT_EQ(UnencloseValue(QStringLiteral("#")), QStringLiteral("#"));
    EXPECT_EQ(UnencloseValue(QStringLiteral("a##b")), QStringLiteral("a##b"));
    EXPECT_EQ(UnencloseValue(QStringLiteral("#a#b")), QStringLiteral("#a#b"));
}

TEST_F(IniFileTest, WritingKeepsOrderAndReplacesInPlace)
{
    Store(QStringLiteral("a.ini"), QByteArray("[One]\nA=1\nB=2\n[Two]\nC=3\n"));
    {
        auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("a.ini")));
        ini.WriteInteger(u"one", u"a", 10); // replaced where it is, name as in the file
        ini.WriteString(u"One", u"New", QStringLiteral("  padded  "));
        ini.WriteString(u"Three", u"D", QStringLiteral("line\r\nbreak"));
        ini.WriteBool(u"Two", u"Flag", true);
        ini.WriteInt64(u"Two", u"Big", 1LL << 40);
        ini.WriteProgramInfo(u"Version", QStringLiteral("1.0"));
        ini.UpdateFile();
    }
    EXPECT_EQ(ToText(Load(QStringLiteral("a.ini"))),
              QStringLiteral("[One]\r\nA=10\r\nB=2\r\nNew=  padded  \r\n\r\n"
                             "[Two]\r\nC=3\r\nFlag=1\r\nBig=1099511627776\r\n\r\n"
                             "[Unicode]\r\nEncoding=UTF-16LE\r\nVersion=1.0\r\n\r\n"
                             "[Three]\r\nD=line  break\r\n\r\n"));
    auto back = TUnicodeIniFile::CreateForRead(Path(QStringLiteral("a.ini")));
    EXPECT_EQ(back.ReadString(u"One", u"New"), QStringLiteral("padded"));
    EXPECT_EQ(back.ReadSections().size(), 4);
}

TEST_F(IniFileTest, UnicodeSectionRules)
{
    // A new file starts with [Unicode]; an existing Encoding is not changed.
    {
        auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("new.ini")));
        ini.WriteInteger(u"Config", u"AppCount", 0);
    }
    EXPECT_EQ(
        ToText(Load(QStringLiteral("new.ini"))),
        QStringLiteral("[Unicode]\r\nEncoding=UTF-16LE\r\n\r\n[Config]\r\nAppCount=0\r\n\r\n"));
    Store(QStringLiteral("old.ini"), QByteArray("[Unicode]\nEncoding=Other\n[X]\nK=V\n"));
    {
        auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("old.ini")));
        EXPECT_EQ(ini.ReadString(u"Unicode", u"Encoding"), QStringLiteral("Other"));
    }
    EXPECT_EQ(ToText(Load(QStringLiteral("old.ini"))),
              QStringLiteral("[Unicode]\r\nEncoding=Other\r\n\r\n[X]\r\nK=V\r\n\r\n"));
    {
        auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("old.ini")), true);
        EXPECT_FALSE(ini.SectionExists(u"X"));
    }
    EXPECT_EQ(ToText(Load(QStringLiteral("old.ini"))),
              QStringLiteral("[Unicode]\r\nEncoding=UTF-16LE\r\n\r\n"));
}

TEST(IniEditing, EraseAndDelete)
{
    auto ini = TUnicodeIniFile::FromData(QByteArray("[A]\nK=1\nK=2\nL=3\n[B]\nM=4\n[a]\nK=5\n"));
    ini.DeleteKey(u"A", u"k");
    EXPECT_EQ(ini.ReadInteger(u"A", u"K", 0), 2); // the duplicate takes over
    ini.DeleteKey(u"A", u"K");
    EXPECT_FALSE(ini.ValueExists(u"A", u"K"));
    ini.DeleteKey(u"A", u"missing");
    ini.WriteInteger(u"A", u"K", 6);
    EXPECT_EQ(ini.ReadSection(u"A"), (QStringList{QStringLiteral("L"), QStringLiteral("K")}));
    ini.EraseSectionValues(u"B");
    EXPECT_TRUE(ini.SectionExists(u"B"));
    EXPECT_FALSE(ini.ValueExists(u"B", u"M"));
    ini.EraseSection(u"A");
    EXPECT_EQ(ini.ReadInteger(u"A", u"K", 0), 5); // the later [a] is found now
    EXPECT_EQ(ToText(ini.ToData()), QStringLiteral("[B]\r\n\r\n[a]\r\nK=5\r\n\r\n"));
}

TEST_F(IniFileTest, FailedWriteKeepsOldFileAndReportsIt)
{
    const QString missing = Path(QStringLiteral("no/such/dir/cat.ini"));
    auto ini = TUnicodeIniFile::CreateForWrite(missing);
    try {
        ini.UpdateFile();
        FAIL() << "no write error";
    } catch (const EWriteError &e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("Error writing to \"%1\"\r\nThe folder does not exist.").arg(missing));
    }

    // An existing file in a folder we may not write to.
    QDir(m_dir.path()).mkdir(QStringLiteral("ro"));
    Store(QStringLiteral("ro/cat.ini"), QByteArray("[K]\nA=1\n"));
    QFile::setPermissions(Path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(Path(QStringLiteral("ro/probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(Path(QStringLiteral("ro")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with permissions that ignore a read-only folder";
    }
    {
        auto ro = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("ro/cat.ini")));
        ro.WriteInteger(u"K", u"A", 2);
        EXPECT_THROW(ro.UpdateFile(), EWriteError);
    } // the destructor tries again and must not throw
    QFile::setPermissions(Path(QStringLiteral("ro")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Load(QStringLiteral("ro/cat.ini")), QByteArray("[K]\nA=1\n"));
}

TEST_F(IniFileTest, DestructorSavesAndReadOnlyNeverWrites)
{
    Store(QStringLiteral("r.ini"), QByteArray("[K]\nA=1\n"));
    {
        auto ini = TUnicodeIniFile::CreateForRead(Path(QStringLiteral("r.ini")));
        ini.WriteInteger(u"K", u"A", 2);
        ini.UpdateFile();
    }
    EXPECT_EQ(Load(QStringLiteral("r.ini")), QByteArray("[K]\nA=1\n"));
    {
        auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("r.ini")));
        ini.WriteInteger(u"K", u"A", 3);
    }
    EXPECT_EQ(
        TUnicodeIniFile::CreateForRead(Path(QStringLiteral("r.ini"))).ReadInteger(u"K", u"A", 0),
        3);
}

TEST_F(IniFileTest, WhatCannotBeReadIsNeverOverwritten)
{
    // A folder where the file should be: read as empty, never replaced.
    QDir(m_dir.path()).mkdir(QStringLiteral("cat.ini"));
    auto ini = TUnicodeIniFile::CreateForWrite(Path(QStringLiteral("cat.ini")));
    EXPECT_FALSE(ini.CompletelyRead());
    EXPECT_THROW(ini.UpdateFile(), EWriteError);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("cat.ini"))).isDir());
}

TEST(IniHostileInput, GarbageNeverBreaksReading)
{
    // Binary noise, odd UTF-16, lone surrogates, NULs, endless lines.
    QRandomGenerator rng(4711);
    for (int round = 0; round < 200; ++round) {
        QByteArray data(int(rng.bounded(4000)), Qt::Uninitialized);
        for (char &c : data)
            c = char(rng.bounded(256));
        if (round % 3 == 0)
            data.prepend("\xFF\xFE");
        else if (round % 3 == 1)
            data.prepend("[S]\n");
        auto ini = TUnicodeIniFile::FromData(data);
        const QByteArray once = ini.ToData();
        // What we write reads back to the same content.
        EXPECT_EQ(TUnicodeIniFile::FromData(once).ToData(), once);
    }
    auto odd = TUnicodeIniFile::FromData(Utf16Le(QStringLiteral("[S]\r\nA=1\r\n")) + "x");
    EXPECT_EQ(odd.ReadInteger(u"S", u"A", 0), 1);

    QString lone = QStringLiteral("[S]\r\nA=x\r\n");
    lone.insert(lone.size() - 2, QChar(0xD800));
    auto surrogate = TUnicodeIniFile::FromData(Utf16Le(lone));
    EXPECT_EQ(surrogate.ReadString(u"S", u"A"), QString(QStringLiteral("x") + QChar(0xD800)));
    EXPECT_EQ(surrogate.ToData(), Utf16Le(lone + QStringLiteral("\r\n")));

    // Many lone CRs and no LF: linear, not quadratic.
    QByteArray crs("[S]");
    crs.append(QByteArray(4'000'000, '\r'));
    crs.append("\rK=V");
    EXPECT_EQ(TUnicodeIniFile::FromData(crs).ReadString(u"S", u"K"), QStringLiteral("V"));
}

// Random edits against a plain model of sections and keys (first match,
// case-insensitive): the index must never disagree with a linear search.
TEST(IniEditing, AgreesWithASimpleModel)
{
    struct ModelSection
    {
        QString name;
        QList<std::pair<QString, QString>> keys;
    };
    QList<ModelSection> model;
    auto findSection = [&](const QString &name) -> qsizetype {
        for (qsizetype i = 0; i < model.size(); ++i) {
            if (model[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };
    auto findKey = [&](qsizetype s, const QString &key) -> qsizetype {
        for (qsizetype i = 0; i < model[s].keys.size(); ++i) {
            if (model[s].keys[i].first.compare(key, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };

    auto ini = TUnicodeIniFile::FromData(QByteArray());
    QRandomGenerator rng(12345);
    const QStringList sections = {QStringLiteral("Alpha"), QStringLiteral("beta"),
                                  QStringLiteral("GAMMA"), QStringLiteral("Äther")};
    for (int step = 0; step < 60000; ++step) {
        QString section = sections[int(rng.bounded(4))];
        if (rng.bounded(2))
            section = section.toUpper();
        const QString key = QStringLiteral("Key%1").arg(rng.bounded(300));
        const QString value = QString::number(step);
        const int op = int(rng.bounded(100));
        qsizetype s = findSection(section);
        if (op < 70) {
            ini.WriteString(section, key, value);
            if (s < 0) {
                model.append({section, {}});
                s = model.size() - 1;
            }
            const qsizetype k = findKey(s, key);
            if (k < 0)
                model[s].keys.append({key, value});
            else
                model[s].keys[k].second = value;
        } else if (op < 97) {
            ini.DeleteKey(section, key);
            if (s >= 0 && findKey(s, key) >= 0)
                model[s].keys.removeAt(findKey(s, key));
        } else if (op < 99) {
            ini.EraseSectionValues(section);
            if (s >= 0)
                model[s].keys.clear();
        } else {
            ini.EraseSection(section);
            if (s >= 0)
                model.removeAt(s);
        }
        const QString probe = QStringLiteral("key%1").arg(rng.bounded(300));
        const qsizetype ps = findSection(section);
        const qsizetype pk = ps < 0 ? -1 : findKey(ps, probe);
        ASSERT_EQ(ini.ReadString(section, probe, QStringLiteral("-")),
                  pk < 0 ? QStringLiteral("-") : model[ps].keys[pk].second)
            << "step " << step;
    }
    QString expected;
    for (const ModelSection &s : model) {
        expected += u'[' + s.name + QStringLiteral("]\r\n");
        for (const auto &[k, v] : s.keys)
            expected += k + u'=' + v + QStringLiteral("\r\n");
        expected += QStringLiteral("\r\n");
    }
    EXPECT_EQ(DecodeTextFile(ini.ToData()), expected);
}
