// The RTF reader of the rich-text view: encodings, skipped groups, pictures, bad input,
// and agreement with a word processor's plain-text export over a corpus of its RTF files.
#include "rtf/RtfReader.h"
#include "support/Files.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <gtest/gtest.h>

using veltrin::rtf::plainTextCrLf;
using veltrin::rtf::readRtf;
using veltrin::test::readFile;

namespace {

QString textOf(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    return plainTextCrLf(document);
}

QByteArray encoded(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document) {
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) images << it.fragment().charFormat().toImageFormat();
    return images;
}

// PNG and JPEG are shown at their goal size; metafiles and a picture declaring an absurd size are left out.
TEST(RtfReader, PicturesAreShownAtTheirGoalSizeOrLeftOut) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray huge = encoded(image, "png");
    huge.replace(16, 8, QByteArray::fromHex("000186a0000186a0"));   // IHDR: 100000 x 100000
    QTextDocument document;
    readRtf("{\\rtf1 a{\\pict\\pngblip\\picw30\\pich20\\picwgoal900\\pichgoal600 " + encoded(image, "png").toHex() +
                "}b{\\*\\shppict{\\pict\\jpegblip " + encoded(image, "jpeg").toHex() +
                "}}{\\nonshppict{\\pict\\wmetafile8 0102}}"
                "{\\pict\\emfblip 0102}c{\\pict\\pngblip\\picwgoal2000000000\\pichgoal2000000000 " +
                huge.toHex() + "}d}",
            document);
    const auto images = imagesOf(document);
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(QSizeF(images[0].width(), images[0].height()), QSizeF(60, 40));
    EXPECT_DOUBLE_EQ(images[1].width(), 30.0);
    const QImage shown = document.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(plainTextCrLf(document), "abcd");
}

TEST(RtfReader, ReadsEncodingsControlWordsAndBadInput) {
    const struct {
        const char* name;
        QByteArray rtf;
        QString text;
    } cases[] = {
        {"GeneratedDocumentWithoutSignature",
         "{\\f26 {\\colortbl ;\\red255\\green0\\blue0;}\\ql\r\n\\cf1 Red\\par\r\n\\cf0 Plain\\par\r\n}\r\n", "Red\r\nPlain\r\n"},
        {"Windows1252ByDefault", "{\\rtf1 \\'80\\'93\\'e9\\'9f}", QString::fromUtf8("€“éŸ")},
        {"Cyrillic1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", QString::fromUtf8("При")},
        {"FontCharsetWins", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Greek;}}\\f1 \\'e1\\f0 \\'e1}", QString::fromUtf8("αá")},
        {"ShiftJisPairs", "{\\rtf1\\ansicpg932 \\'82\\'a0\\'83\\'41}", QString::fromUtf8("あア")},
        {"SymbolFontBullet", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\f1 \\'b7}x}", QString::fromUtf8("•x")},
        {"UnicodeSkipsHexFallbacks", "{\\rtf1\\uc2 \\u8364\\'80\\'80b}", QString::fromUtf8("€b")},
        {"SurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}", QString::fromUtf8("😀")},
        {"NonBreakingSpaceAndHyphens", "{\\rtf1 a\\~b\\-c\\_d}", QString::fromUtf8("a\u00A0b\u00ADc\u2011d")},
        {"BackslashLineEndIsAParagraph", "{\\rtf1 a\\\r\nb}", "a\r\nb"},
        {"BinaryInsideSkippedGroup", "{\\rtf1 a{\\*\\unknown\\bin3 }}{x}b}", "ab"},
        {"ReadingStopsAtTheOutermostClose", "{\\rtf1 in}out", "in"},
        {"TruncatedHex", "{\\rtf1 abc\\'4", "abc\x04"},
        {"BinLongerThanInput", "{\\rtf1 a\\bin999999999 xyz", "a"},
        {"HugeParameters", "{\\rtf1\\fs99999999999999\\li-99999999999\\u99999999999?a}", "a"},
        {"HugeUnicodeSkip", "{\\rtf1\\uc2147483647\\u65?abc}", "A"},
        {"HundredThousandOpenGroups", "{\\rtf1 start" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " end}",
         "startdeep end"}};
    for (const auto& c : cases) EXPECT_EQ(textOf(c.rtf), c.text) << c.name;
}

// Whitespace around list labels differs by design: the word processor lays out its own labels,
// while the view shows the label text the file carries, followed by its tab.
QString normalised(QString text) {
    text.remove(QChar(0xFEFF));
    QStringList lines = text.replace(QLatin1String("\r\n"), QLatin1String("\n")).split(u'\n');
    for (QString& line : lines) line = line.simplified();
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines.join(u'\n');
}

std::vector<std::string> corpusNames() {
    std::vector<std::string> names;
    const QDir dir(QStringLiteral(VELTRIN_TEST_DATA "/rtf"));
    for (const QString& file : dir.entryList({"*.rtf"}, QDir::Files, QDir::Name))
        if (dir.exists(file.chopped(4) + ".txt")) names.push_back(file.chopped(4).toStdString());
    return names;
}

class RtfCorpus : public ::testing::TestWithParam<std::string> {};

// The corpus's pictures document shows both its pictures.
TEST_P(RtfCorpus, PlainTextMatchesTheWordProcessorsExport) {
    const QString name = QStringLiteral(VELTRIN_TEST_DATA "/rtf/") + QString::fromStdString(GetParam());
    QTextDocument document;
    readRtf(readFile(name + ".rtf"), document);
    EXPECT_EQ(normalised(plainTextCrLf(document)), normalised(QString::fromUtf8(readFile(name + ".txt"))));
    if (name.endsWith("/pictures")) { EXPECT_EQ(imagesOf(document).size(), 2); }
}

INSTANTIATE_TEST_SUITE_P(WrittenByRealPrograms, RtfCorpus, ::testing::ValuesIn(corpusNames()), [](const auto& info) { return info.param; });

TEST(RtfCorpusContent, IsPresent) { EXPECT_GE(corpusNames().size(), 6u); }

}   // namespace
