#include "common/TestUtils.h"
#include "dialogs/InputString.h"
#include "dialogs/SelectDlg.h"
#include "dialogs/Show.h"
#include "dialogs/ShowMessageDlg.h"
#include "localisation/LanguageSelection.h"
#include "support/GnuGettext.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

class DialogLanguage : public testing::Test
{
protected:
    void use(const char *code)
    {
        GnuGettext::InitLanguage({S("runtime"), S("units")}, S(code), QString());
    }
    void TearDown() override { GnuGettext::UseLanguage(S("C")); }
};
} // namespace

TEST_F(DialogLanguage, GermanCaptionsAndTitles)
{
    use("de");
    TShowMsgDialog message;
    message.Prepare(CenterPos, S("Weiter?"), 0, mdtConfirmYesNo, mbYes, dmActiveForm);
    EXPECT_EQ(message.btLeft->text(), S("&Ja"));
    EXPECT_EQ(message.btCenter->text(), S("&Nein"));
    EXPECT_EQ(message.btClose->text(), S("Abbrechen"));
    EXPECT_EQ(message.windowTitle(), S("Bestätigung"));
    message.Prepare(CenterPos, S("Kaputt"), 0, mdtConfirmRetry, mbRetry, dmActiveForm);
    EXPECT_EQ(message.btCenter->text(), S("&Wiederholen"));
    EXPECT_GE(message.btCenter->width(), message.btCenter->sizeHint().width());
    EXPECT_EQ(message.windowTitle(), S("Fehler"));

    TInputStringDialog input;
    EXPECT_EQ(input.windowTitle(), S("Text bearbeiten"));
    EXPECT_EQ(input.CancelBtn->text(), S("Abbrechen"));

    TSelectDialog select;
    EXPECT_EQ(select.windowTitle(), S("Dialog"));
    select.Prepare(CenterPos, QString(), S("?"), mdtInformation, TFontStyles(), {S("Eins")},
                   QString(), 0, -1, QString());
    EXPECT_EQ(select.Buttons.last()->text(), S("Abbrechen"));
    EXPECT_EQ(select.windowTitle(), S("Information"));

    TfrmShow show;
    show.Prepare(S("t"), S("x"), 0);
    EXPECT_EQ(show.btnOK->text(), S("OK"));
}

TEST_F(DialogLanguage, FrenchCaptions)
{
    use("fr");
    TShowMsgDialog message;
    message.Prepare(CenterPos, S("Fini"), 0, mdtInformation, mbClose, dmActiveForm);
    EXPECT_EQ(message.btClose->text(), S("&Fermer"));
    TInputStringDialog input;
    EXPECT_EQ(input.windowTitle(), S("Modifier le texte"));
}
