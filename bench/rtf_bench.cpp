// Throughput of the RTF reader over documents of 100 KB to 10 MB shaped like course texts:
// a word-processor header, formatted paragraphs with accents and Unicode, lists and a table.
// parseDocument measures the parser alone; readDocument also builds the QTextDocument. On a display
// (bench/on_display.sh), LoadOnScreen times what a user waits for: the file read into a shown view
// of the reading pane's width and laid out whole, for the largest level text and a 1 MB document.
#include "rtf/RtfParser.h"
#include "rtf/RtfReader.h"
#include "ui/RichTextView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const char* const header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                           "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\fmodern\\fcharset0 Courier New;}}\n"
                           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}\n"
                           "{\\stylesheet{\\s0\\snext0 Normal;}{\\s1\\sb240\\sa120\\b\\fs32 heading 1;}}\n"
                           "{\\*\\generator Bench;}{\\info{\\title Level text}}\\viewkind4\\uc1\n";

const char* const paragraphs[] = {
    "\\pard\\s1\\sb240\\sa120\\qc\\b\\fs32 The Inner Realm\\b0\\fs24\\par\n",
    "\\pard\\fi360\\sa120\\qj\\f0\\fs24 Each morning, sit quietly and notice the breath. {\\b Attention} is a "
    "muscle; it grows with {\\i gentle} and {\\ul regular} use. Caf\\'e9, na\\'efve and r\\'e9sum\\'e9 are words "
    "with accents, and \\ldblquote quotes\\rdblquote\\emdash like these\\emdash are common.\\par\n",
    "\\pard\\li720\\fi-360\\sa60{\\listtext\\f1 \\'b7\\tab}\\cf2 Write one line in the journal.\\cf0\\par\n",
    "\\pard\\li720\\fi-360\\sa60{\\listtext 2.\\tab}Breathe in for four counts, out for six.\\par\n",
    "\\pard\\sa120 Greek \\u945?\\u946?\\u947? and Cyrillic \\u1087?\\u1088?\\u1080? letters, "
    "{\\f2\\fs20 fixed width}, {\\cf1 red} and {\\cf3\\highlight2 blue on green}.\\par\n",
    "\\trowd\\cellx2000\\cellx4000\\pard\\intbl Day\\cell Minutes\\cell\\row"
    "\\trowd\\cellx2000\\cellx4000\\pard\\intbl Monday\\cell 20\\cell\\row\\pard\n",
};

QByteArray syntheticDocument(qsizetype size) {
    QByteArray rtf(header);
    for (std::size_t i = 0; rtf.size() < size; ++i) rtf += paragraphs[i % std::size(paragraphs)];
    rtf += "}";
    return rtf;
}

// Keeps the text and counts the paragraphs, so that parsing alone is measured.
class CountingSink final : public veltrin::rtf::RtfSink {
public:
    QString& textFor(const veltrin::rtf::CharStyle&, const veltrin::rtf::ParaStyle&) override { return text; }
    void endParagraph(const veltrin::rtf::ParaStyle&) override { ++paragraphs; }
    void endParagraphIfNotEmpty(const veltrin::rtf::ParaStyle&) override { ++paragraphs; }
    void insertImage(const QImage&, QSizeF, const veltrin::rtf::ParaStyle&) override {}
    void tablesChanged() override {}
    void finish() override {}

    QString text;
    int paragraphs = 0;
};

void parseDocument(benchmark::State& state) {
    const QByteArray rtf = syntheticDocument(state.range(0) * 1024);
    for (auto _ : state) {
        veltrin::rtf::DocumentTables tables;
        CountingSink sink;
        veltrin::rtf::parseRtf(rtf, tables, sink);
        benchmark::DoNotOptimize(sink.paragraphs);
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}

void readDocument(benchmark::State& state) {
    const QByteArray rtf = syntheticDocument(state.range(0) * 1024);
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        veltrin::rtf::readRtf(rtf, *document);
        benchmark::DoNotOptimize(document->characterCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}

QString largestLevelText() {
    const QDir lessons(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/veltrin/course/lessons"));
    const QStringList texts = lessons.entryList({QStringLiteral("veltrin?.rtf")}, QDir::Files, QDir::Size);
    return texts.isEmpty() ? QString() : lessons.filePath(texts.first());
}

// Argument 0: the largest level text of the sample course; otherwise a synthetic document of that many KB.
void LoadOnScreen(benchmark::State& state) {
    QTemporaryDir folder;
    QString path = largestLevelText();
    if (state.range(0) > 0) {
        path = folder.filePath(QStringLiteral("document.rtf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(syntheticDocument(state.range(0) * 1024)) < 0) state.SkipWithError("no file");
    }
    // Shaped as the reading pane: its width, no scroll bars, shown.
    veltrin::ui::RichTextView pane;
    pane.setGeometry(0, 0, 505, 344);
    pane.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane.show();
    for (auto _ : state) {
        pane.LoadFile(path);
        benchmark::DoNotOptimize(pane.document()->size());   // the whole document laid out
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    state.counters["bytes"] = double(QFile(path).size());
}

BENCHMARK(LoadOnScreen)->Arg(0)->Arg(1024)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(parseDocument)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(readDocument)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}   // namespace
