#include "dialogs/InputString.h"
#include "common/ModalDriver.h"
#include "common/TestUtils.h"
#include "dialogs/WinUtils.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(InputStringDialog, EnterConfirmsEscapeCancels)
{
    QString text = S("old");
    WhenModal([](QWidget *w) {
        auto *edit = w->findChild<QLineEdit *>(QStringLiteral("TextFeld"));
        edit->clear();
        QTest::keyClicks(edit, S("new entry"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_TRUE(InputText(CenterPos, S("Add item"), S("Folder:"), text));
    EXPECT_EQ(text, S("new entry"));

    WhenModal([](QWidget *w) {
        auto *edit = w->findChild<QLineEdit *>(QStringLiteral("TextFeld"));
        QTest::keyClicks(edit, S("typed"));
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    EXPECT_FALSE(InputText(CenterPos, S("Edit item"), S("Folder:"), text));
    EXPECT_EQ(text, S("new entry"));

    WhenModal([](QWidget *w) { w->close(); });
    EXPECT_FALSE(InputText(CenterPos, S("Edit item"), S("Folder:"), text));
    EXPECT_EQ(text, S("new entry"));
}

TEST(InputStringDialog, EmptyTextIsAnAnswer)
{
    QString text = S("something");
    WhenModal([](QWidget *w) {
        w->findChild<QLineEdit *>(QStringLiteral("TextFeld"))->clear();
        w->findChild<QPushButton *>(QStringLiteral("OKBtn"))->click();
    });
    EXPECT_TRUE(InputText(CenterPos, S("Edit item"), S("Name:"), text));
    EXPECT_TRUE(text.isEmpty());
}

TEST(InputStringDialog, TextsAndWidth)
{
    TInputStringDialog d;
    EXPECT_EQ(d.windowTitle(), S("Edit text"));
    d.Prepare(CenterPos, QString(), S("Description"), S(".exe"), S("short"));
    EXPECT_EQ(d.windowTitle(), S("Edit text"));
    EXPECT_EQ(d.Descriptor->text(), S("Description"));
    EXPECT_EQ(d.SuffixText->text(), S(".exe"));
    EXPECT_EQ(d.TextFeld->toolTip(), S("Description"));
    EXPECT_EQ(d.TextFeld->text(), S("short"));
    EXPECT_EQ(d.width(), d.defWidth);

    const QString longText(40, u'm');
    d.Prepare(CenterPos, S("Title"), S("Description"), QString(), longText);
    EXPECT_EQ(d.windowTitle(), S("Title"));
    EXPECT_GT(d.width(), d.defWidth);
    EXPECT_GE(d.width(), TextWidthInFont(longText, d.TextFeld->font()) + ScaleByDpi(20));

    // Never wider than the work area.
    d.Prepare(CenterPos, S("Title"), S("Description"), QString(), QString(500, u'm'));
    EXPECT_LE(d.width(), WorkAreaOf(d.screen()).width());
}

TEST(InputTextScript, AnswersWithoutAWindow)
{
    TInputTextScript script;
    script.answer(S("typed"));
    script.answer(std::nullopt);
    QString text = S("start");
    EXPECT_TRUE(InputTextWithSuffix(QPoint(5, 5), S("Add item"), S("Desc"), S("MB"), text));
    EXPECT_EQ(text, S("typed"));
    EXPECT_FALSE(InputText(CenterPos, S("Edit item"), S("Desc"), text));
    EXPECT_EQ(text, S("typed"));
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_EQ(script.asked().at(0).suffix, S("MB"));
    EXPECT_EQ(script.asked().at(0).text, S("start"));
    EXPECT_EQ(script.asked().at(1).title, S("Edit item"));
}
