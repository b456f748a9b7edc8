// The RTF reader of the rich-text view: formatting, encodings, skipped groups, pictures, bad input,
// and agreement with a word processor's plain-text export over a corpus of its RTF files.
#include "ui/rtf/RtfReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

using veltrin::ui::rtf::plainTextCrLf;
using veltrin::ui::rtf::readRtf;

namespace {

// The first line of every document the program generates, as it writes it.
const QByteArray generatedHeader =
    "{\\f26 {\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
    "\\red255\\green255\\blue0;\\red128\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
    "\\red128\\green0\\blue128;\\red192\\green192\\blue192;}\\ql\r\n";

QString textOf(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    return plainTextCrLf(document);
}

QByteArray hexOf(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data().toHex();
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document) {
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) images << it.fragment().charFormat().toImageFormat();
    return images;
}

class RtfReader : public ::testing::Test {
protected:
    void read(const QByteArray& rtf) { readRtf(rtf, document); }

    // The format of the first character of the first occurrence of needle.
    QTextCharFormat formatOf(const QString& needle) {
        QTextCursor cursor = document.find(needle);
        EXPECT_FALSE(cursor.isNull()) << needle.toStdString();
        cursor.setPosition(cursor.selectionStart() + 1);
        return cursor.charFormat();
    }

    QTextBlockFormat blockOf(const QString& needle) { return document.find(needle).blockFormat(); }

    QTextDocument document;
};

TEST_F(RtfReader, CharacterFormattingFollowsGroupsAndResets) {
    read("{\\rtf1 plain {\\b bold {\\i both}} {\\ul under\\ulnone over} \\strike gone\\strike0  "
         "\\fs40 big\\plain  reset}");
    EXPECT_EQ(formatOf("bold").fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatOf("bold").fontItalic());
    EXPECT_TRUE(formatOf("both").fontItalic());
    EXPECT_EQ(formatOf("both").fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf("plain").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf("under").fontUnderline());
    EXPECT_FALSE(formatOf("over").fontUnderline());
    EXPECT_TRUE(formatOf("gone").fontStrikeOut());
    EXPECT_DOUBLE_EQ(formatOf("big").fontPointSize(), 20.0);
    EXPECT_FALSE(formatOf("big").fontStrikeOut());
    EXPECT_FALSE(formatOf("reset").hasProperty(QTextFormat::FontPointSize));
}

// Colours come from the colour table in force; a later table restyles later text.
TEST_F(RtfReader, ColoursComeFromTheColourTable) {
    read("{\\rtf1{\\colortbl\\red10\\green20\\blue30;\\red200\\green100\\blue50;}"
         "zero\\cf1  one\\cf0  back {\\highlight1 marked} {\\cf7 missing}\\par{\\colortbl;\\red0\\green0\\blue255;}{\\cf1 second}}");
    EXPECT_EQ(formatOf("zero").foreground().color(), QColor(10, 20, 30));
    EXPECT_EQ(formatOf("one").foreground().color(), QColor(200, 100, 50));
    EXPECT_EQ(formatOf("back").foreground().color(), QColor(10, 20, 30));
    EXPECT_EQ(formatOf("marked").background().color(), QColor(200, 100, 50));
    EXPECT_FALSE(formatOf("missing").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf("second").foreground().color(), QColor(0, 0, 255));
}

TEST_F(RtfReader, ParagraphPropertiesApplyToTheirParagraph) {
    read("{\\rtf1\\qc centred\\par\\pard\\qr\\li1500\\ri300\\fi-150\\sb150\\sa300 right\\par"
         "\\pard\\qj justified\\par\\pard left}");
    EXPECT_EQ(blockOf("centred").alignment(), Qt::AlignHCenter);
    const QTextBlockFormat right = blockOf("right");
    EXPECT_EQ(right.alignment(), Qt::AlignRight);
    EXPECT_EQ(QList<qreal>({right.leftMargin(), right.rightMargin(), right.textIndent(), right.topMargin(), right.bottomMargin()}),
              QList<qreal>({100, 20, -10, 10, 20}));   // twips to pixels
    EXPECT_EQ(blockOf("justified").alignment(), Qt::AlignJustify);
    EXPECT_EQ(blockOf("left").alignment(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(blockOf("left").leftMargin(), 0.0);
}

TEST_F(RtfReader, GeneratedDocumentsShowTheirColours) {
    read(generatedHeader + "\\cf2 Green subject\\par\r\n\\cf1 Red line\\par\r\n\\ql\\cf0 Plain\\par\r\n}\r\n");
    EXPECT_EQ(formatOf("Green").foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(formatOf("Red").foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatOf("Plain").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(formatOf("Plain").hasProperty(QTextFormat::FontFamilies));
    EXPECT_EQ(plainTextCrLf(document), "Green subject\r\nRed line\r\nPlain\r\n");
}

TEST_F(RtfReader, WindowsFacesFallBackToTheirKind) {
    read("{\\rtf1\\deff1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}"
         "\\f2\\fnil Courier New;\\f3\\fmodern Unheard Mono{\\*\\falt Other};}"
         "default \\f0 times \\f2 courier \\f3 unheard}");
    EXPECT_EQ(formatOf("default").fontFamilies().toStringList(), QStringList({"Arial", "sans-serif"}));
    EXPECT_EQ(formatOf("times").fontFamilies().toStringList(), QStringList({"Times New Roman", "serif"}));
    EXPECT_EQ(formatOf("courier").fontFamilies().toStringList(), QStringList({"Courier New", "monospace"}));
    EXPECT_EQ(formatOf("unheard").fontFamilies().toStringList(), QStringList({"Unheard Mono", "monospace"}));
}

TEST_F(RtfReader, PngAndJpegPicturesAreShownAtTheirGoalSize) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    read("{\\rtf1 a{\\pict\\pngblip\\picw30\\pich20\\picwgoal900\\pichgoal600 " + hexOf(image, "png") +
         "}b{\\*\\shppict{\\pict\\jpegblip " + hexOf(image, "jpeg") + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}"
         "{\\pict\\emfblip 0102}c}");
    const auto images = imagesOf(document);
    ASSERT_EQ(images.size(), 2);
    EXPECT_DOUBLE_EQ(images[0].width(), 60.0);
    EXPECT_DOUBLE_EQ(images[0].height(), 40.0);
    EXPECT_DOUBLE_EQ(images[1].width(), 30.0);
    const QImage shown = document.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(plainTextCrLf(document), "abc");
}

TEST_F(RtfReader, PictureDeclaringAbsurdSizeIsLeftOut) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    QByteArray png = buffer.data();
    // Width and height in the IHDR chunk, which starts at byte 16, become 100000 x 100000.
    const QByteArray huge = QByteArray::fromHex("000186a0000186a0");
    png.replace(16, 8, huge);
    read("{\\rtf1 before{\\pict\\pngblip\\picwgoal2000000000\\pichgoal2000000000 " + png.toHex() + "}after}");
    EXPECT_TRUE(imagesOf(document).isEmpty());
    EXPECT_EQ(plainTextCrLf(document), "beforeafter");
}

struct TextCase {
    const char* name;
    QByteArray rtf;
    QString text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

std::string caseName(const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; }

class RtfReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfReaderText, ReadsAsExpected) {
    EXPECT_EQ(textOf(GetParam().rtf), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(CodePages, RtfReaderText, ::testing::Values(
    TextCase{"Windows1252ByDefault", "{\\rtf1 \\'80\\'93\\'e9\\'9f}", QString::fromUtf8("€“éŸ")},
    TextCase{"Cyrillic1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", QString::fromUtf8("При")},
    TextCase{"FontCharsetWins", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Greek;}}\\f1 \\'e1\\f0 \\'e1}",
             QString::fromUtf8("αá")},
    TextCase{"ShiftJisPairs", "{\\rtf1\\ansicpg932 \\'82\\'a0\\'83\\'41}", QString::fromUtf8("あア")},
    TextCase{"SymbolFontBullet", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\f1 \\'b7}x}",
             QString::fromUtf8("•x")}), caseName);

INSTANTIATE_TEST_SUITE_P(Unicode, RtfReaderText, ::testing::Values(
    TextCase{"SkipsHexFallbacks", "{\\rtf1\\uc2 \\u8364\\'80\\'80b}", QString::fromUtf8("€b")},
    TextCase{"SurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}", QString::fromUtf8("😀")},
    TextCase{"GroupEndStopsSkipping", "{\\rtf1\\uc3 {\\u233}abc}", QString::fromUtf8("éabc")},
    TextCase{"UcIsScopedToItsGroup", "{\\rtf1 {\\uc2 \\u233??}\\u233?x}", QString::fromUtf8("ééx")}), caseName);

INSTANTIATE_TEST_SUITE_P(Symbols, RtfReaderText, ::testing::Values(
    TextCase{"Escapes", "{\\rtf1 \\{a\\}\\\\}", "{a}\\"},
    TextCase{"NonBreakingSpaceAndHyphens", "{\\rtf1 a\\~b\\-c\\_d}", QString::fromUtf8("a\u00A0b\u00ADc\u2011d")},
    TextCase{"BackslashLineEndIsAParagraph", "{\\rtf1 a\\\r\nb}", "a\r\nb"},
    TextCase{"DelimitingSpaceIsEaten", "{\\rtf1\\b  two\\b0 x}", " twox"}), caseName);

INSTANTIATE_TEST_SUITE_P(Structure, RtfReaderText, ::testing::Values(
    TextCase{"TableCellsInOrder", "{\\rtf1\\trowd\\cellx100\\cellx200 \\intbl a\\cell b\\cell\\row\\pard after}",
             "a\r\nb\r\nafter"},
    TextCase{"ListTextIsShown", "{\\rtf1{\\*\\pn\\pnlvlblt{\\pntxtb X}}{\\pntext 1.\\tab}one\\par"
             "{\\listtext\\'95\\tab}two}", QString::fromUtf8("1.\tone\r\n•\ttwo")},
    TextCase{"FieldResultOnly", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}}", "shown"},
    TextCase{"BinarySkipsRawBytes", "{\\rtf1 a{\\bin4 }{\\}b}c}", "abc"},
    TextCase{"BinaryInsideSkippedGroup", "{\\rtf1 a{\\*\\unknown\\bin3 }}{x}b}", "ab"},
    TextCase{"ReadingStopsAtTheOutermostClose", "{\\rtf1 in}out", "in"}), caseName);

INSTANTIATE_TEST_SUITE_P(SkippedDestinations, RtfReaderText, ::testing::Values(
    TextCase{"UnknownStarred", "{\\rtf1 a{\\*\\mystery hidden {nested}}b}", "ab"},
    TextCase{"Footnote", "{\\rtf1 body{\\footnote note}.}", "body."},
    TextCase{"ThemeAndDataStore", "{\\rtf1{\\*\\themedata 504b}{\\*\\datastore 0105}{\\*\\latentstyles{\\lsdlockedexcept x}}body}",
             "body"}), caseName);

INSTANTIATE_TEST_SUITE_P(BadInput, RtfReaderText, ::testing::Values(
    TextCase{"TruncatedGroup", "{\\rtf1 abc", "abc"},
    TextCase{"TruncatedHex", "{\\rtf1 abc\\'4", "abc\x04"},
    TextCase{"StrayCloseBraceFirst", "}{\\rtf1 a}", "a"},
    TextCase{"BinLongerThanInput", "{\\rtf1 a\\bin999999999 xyz", "a"},
    TextCase{"HugeParameters", "{\\rtf1\\fs99999999999999\\li-99999999999\\u99999999999?a}", "a"},
    TextCase{"HugeUnicodeSkip", "{\\rtf1\\uc2147483647\\u65?abc}", "A"}), caseName);

// Random documents built together with the text they must show: words, encoded characters,
// escapes, formatting groups, skipped groups with binary data, and paragraph breaks.
class RandomDocument {
public:
    explicit RandomDocument(unsigned seed) : m_random(seed) {}

    void build() {
        m_rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
                "{\\colortbl;\\red255\\green0\\blue0;}";
        for (int i = 0; i < 40; ++i) piece(0);
        m_rtf += "}";
    }

    QByteArray m_rtf;
    QString m_text;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    void piece(int depth) {
        static const char* const words[] = {"calm", "Torch", "inner", "realm", "x", "42"};
        switch (pick(depth < 3 ? 9 : 6)) {
        case 0: { const char* w = words[pick(6)]; m_rtf += w; m_text += QLatin1String(w); break; }
        case 1: m_rtf += " "; m_text += u' '; break;
        case 2: {
            static const std::pair<const char*, char16_t> encoded[] = {
                {"\\'e9", 0xE9}, {"\\'80", 0x20AC}, {"\\'93", 0x201C}, {"\\{", u'{'}, {"\\\\", u'\\'},
                {"\\tab ", u'\t'}, {"\\emdash ", 0x2014}, {"\\~", 0xA0}};
            const auto& [rtf, c] = encoded[pick(8)];
            m_rtf += rtf;
            m_text += QChar(c);
            break;
        }
        case 3: {
            // Greek up to the Latin supplements, short of the general punctuation block whose
            // separators the plain text turns into line ends.
            const int code = 0x391 + pick(0x1C00);
            m_rtf += "\\u" + QByteArray::number(code > 32767 ? code - 65536 : code) + "?";
            m_text += QChar(char16_t(code));
            break;
        }
        case 4: m_rtf += "\\par "; m_text += "\r\n"; break;
        case 5: m_rtf += "{\\*\\junk skipped {\\bin3 }}}more} text}"; break;
        default: {
            static const char* const formats[] = {"\\b ", "\\i\\cf1 ", "\\ul\\fs30 ", "\\plain "};
            m_rtf += QByteArray("{") + formats[pick(4)];
            for (int n = pick(4); n >= 0; --n) piece(depth + 1);
            m_rtf += "}";
        }
        }
    }

    std::mt19937 m_random;
};

class RtfReaderRandom : public ::testing::TestWithParam<unsigned> {};

TEST_P(RtfReaderRandom, ShowsTheTextTheDocumentWasBuiltFrom) {
    RandomDocument document(GetParam());
    document.build();
    EXPECT_EQ(textOf(document.m_rtf).toStdString(), document.m_text.toStdString()) << document.m_rtf.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Seeds, RtfReaderRandom, ::testing::Range(1u, 21u));

TEST(RtfReaderDepth, HundredThousandOpenGroupsReadWithoutOverflow) {
    const QByteArray rtf = QByteArray("{\\rtf1 start") + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " end}";
    EXPECT_EQ(textOf(rtf), "startdeep end");
}


// Whitespace around list labels differs by design: the word processor lays out its own labels,
// while the view shows the label text the file carries, followed by its tab.
QString normalised(QString text) {
    text.remove(QChar(0xFEFF));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) line = line.simplified();
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines.join(u'\n');
}

QString readUtf8(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

std::vector<std::string> corpusNames() {
    std::vector<std::string> names;
    const QDir dir(QStringLiteral(VELTRIN_TEST_DATA "/rtf"));
    for (const QString& file : dir.entryList({"*.rtf"}, QDir::Files, QDir::Name))
        if (dir.exists(file.chopped(4) + ".txt")) names.push_back(file.chopped(4).toStdString());
    return names;
}

class RtfCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(RtfCorpus, PlainTextMatchesTheWordProcessorsExport) {
    const QString base = QStringLiteral(VELTRIN_TEST_DATA "/rtf/") + QString::fromStdString(GetParam());
    QFile rtf(base + ".rtf");
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    EXPECT_EQ(normalised(textOf(rtf.readAll())), normalised(readUtf8(base + ".txt")));
}

TEST(RtfCorpusContent, CorpusIsPresentAndThePicturesDocumentShowsBothPictures) {
    EXPECT_GE(corpusNames().size(), 6u);
    QFile rtf(QStringLiteral(VELTRIN_TEST_DATA "/rtf/pictures.rtf"));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    QTextDocument document;
    readRtf(rtf.readAll(), document);
    const auto images = imagesOf(document);
    ASSERT_EQ(images.size(), 2);
    EXPECT_NEAR(images[0].width(), 48.0, 1.0);
    EXPECT_NEAR(images[1].width(), 20.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(WrittenByRealPrograms, RtfCorpus, ::testing::ValuesIn(corpusNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
