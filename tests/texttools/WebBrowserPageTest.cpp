#include "texttools/WebBrowserPage.h"

#include "common/TestUtils.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

QString Address(const char *url, PathStyle style)
{
    return AddressText(BrowserUrl(S(url), style));
}

} // namespace

TEST(WebBrowserPageTest, FilePathsBecomeFileAddresses)
{
    // Blanks stay blanks in the address the box shows.
    EXPECT_EQ(Address("C:\\Old Games\\Ultima\\manual.html", PathStyle::Windows),
              S("file:///C:/Old Games/Ultima/manual.html"));
    EXPECT_EQ(Address("C:\\Games\\Doom\\manual.htm", PathStyle::Windows),
              S("file:///C:/Games/Doom/manual.htm"));
    EXPECT_EQ(Address("/home/me/Old Games/Ultima/manual.html", PathStyle::Posix),
              S("file:///home/me/Old Games/Ultima/manual.html"));
    EXPECT_EQ(BrowserUrl(S("/home/me/Old Games/manual.html"), PathStyle::Posix).toLocalFile(),
              S("/home/me/Old Games/manual.html"));
    // A relative path is taken from the working directory.
    EXPECT_EQ(BrowserUrl(S("docs/m.htm"), PathStyle::Posix).toLocalFile(),
              QDir::current().absoluteFilePath(S("docs/m.htm")));
    // "#" and "?" in a file name are part of the name, not of the address.
    const QUrl odd = BrowserUrl(S("/games/C#/what?.html"), PathStyle::Posix);
    EXPECT_EQ(odd.toLocalFile(), S("/games/C#/what?.html"));
    EXPECT_FALSE(odd.hasFragment());
    EXPECT_FALSE(odd.hasQuery());
}

TEST(WebBrowserPageTest, AddressesWithSchemeStayAsTheyAre)
{
    for (const char *url : {"https://www.dosbox.com/wiki/Main_Page", "file:///C:/Games/x.htm",
                            "file:///home/me/Old Games/m.html#keys"}) {
        EXPECT_EQ(Address(url, PathStyle::Windows), S(url));
        EXPECT_EQ(Address(url, PathStyle::Posix), S(url));
    }
    EXPECT_EQ(BrowserUrl(S("file:///home/me/m.html#keys")).fragment(), S("keys"));
}

TEST(WebBrowserPageTest, SameAddressIgnoresCaseExceptForPosixFiles)
{
    const QUrl a = BrowserUrl(S("/games/Manual.html"), PathStyle::Posix);
    const QUrl b = BrowserUrl(S("/games/manual.html"), PathStyle::Posix);
    EXPECT_FALSE(SameAddress(a, b, PathStyle::Posix));
    EXPECT_TRUE(SameAddress(a, b, PathStyle::Windows));
    EXPECT_TRUE(SameAddress(QUrl(S("https://Example.org/A")), QUrl(S("https://example.org/a")),
                            PathStyle::Posix));
}

TEST(WebBrowserPageTest, TheViewerShowsLocalHtmlAndTextOnly)
{
    EXPECT_EQ(PageKindOf(QUrl(S("file:///g/MANUAL.HTM"))), TPageKind::pkHtml);
    EXPECT_EQ(PageKindOf(QUrl(S("file:///g/manual.xhtml#a"))), TPageKind::pkHtml);
    EXPECT_EQ(PageKindOf(QUrl(S("file:///g/readme.TXT"))), TPageKind::pkText);
    EXPECT_EQ(PageKindOf(QUrl(S("file:///g/manual.pdf"))), TPageKind::pkOther);
    EXPECT_EQ(PageKindOf(QUrl(S("file:///g/cover.png"))), TPageKind::pkOther);
    EXPECT_EQ(PageKindOf(QUrl(S("file:///g/folder/"))), TPageKind::pkOther);
    EXPECT_EQ(PageKindOf(QUrl(S("https://example.org/page.html"))), TPageKind::pkOther);
    EXPECT_EQ(PageKindOf(QUrl(S("mailto:someone@example.org"))), TPageKind::pkOther);
}

TEST(WebBrowserPageTest, PagesAreDecodedByWhatTheyDeclare)
{
    // Latin-1 declared: read as Windows-1252, as browsers do (0x93/0x94 are quotes).
    const QByteArray latin = "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                             "charset=ISO-8859-1\"><p>Gr\xF6\xDF"
                             "e \x93q\x94</p>";
    EXPECT_EQ(DecodeHtmlPage(latin), S("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                       "charset=ISO-8859-1\"><p>Größe “q”</p>"));
    // A DOS code page named in the page.
    EXPECT_EQ(DecodeHtmlPage("<meta charset='ibm850'>\x84\x94"), S("<meta charset='ibm850'>äö"));
    // UTF-8 without a declaration, and old pages without one in 8-bit text.
    EXPECT_EQ(DecodeHtmlPage("<p>Größe</p>"), S("<p>Größe</p>"));
    EXPECT_EQ(DecodeHtmlPage("<p>Gr\xF6\xDF"
                             "e</p>"),
              S("<p>Größe</p>"));
    // A byte-order mark wins over the declaration.
    EXPECT_EQ(DecodeHtmlPage("\xEF\xBB\xBF<meta charset=\"iso-8859-1\">ä"),
              S("<meta charset=\"iso-8859-1\">ä"));
    // An unknown character set does no harm.
    EXPECT_EQ(DecodeHtmlPage("<meta charset=\"no-such-set\">ok"),
              S("<meta charset=\"no-such-set\">ok"));
    EXPECT_EQ(DecodeHtmlPage(QByteArray()), QString());
}

TEST(WebBrowserPageTest, TextPagesKeepTheirLinesAndShowMarkupAsText)
{
    const QString page = PlainTextPage("A <b> & C\r\n  indented");
    EXPECT_TRUE(page.contains(S("<pre>A &lt;b&gt; &amp; C\r\n  indented</pre>")))
        << page.toStdString();
}
