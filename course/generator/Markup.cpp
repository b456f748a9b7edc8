#include "Markup.h"

#include <QStringList>

namespace veltrin::course {

namespace {

struct Builder {
    LevelSource source;
    QList<Block>* target = &source.body;
    QString pending;
    BlockKind pendingKind = BlockKind::Paragraph;
    int nextMark = -1;

    void flush() {
        if (pending.isEmpty()) return;
        Block block{pendingKind, parseInline(pending), nextMark};
        target->append(block);
        nextMark = -1;
        pending.clear();
        pendingKind = BlockKind::Paragraph;
    }

    void startBlock(BlockKind kind, const QString& text) {
        flush();
        pendingKind = kind;
        pending = text;
    }

    void continueBlock(const QString& text) { pending = pending.isEmpty() ? text : pending + QLatin1Char(' ') + text; }

    void directive(const QString& line) {
        flush();
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words[0] == QLatin1String("@mark") && words.size() > 1) {
            nextMark = words[1].toInt();
        } else if (words[0] == QLatin1String("@end")) {
            source.closingStart = source.body.size();
        } else if (words[0] == QLatin1String("@pad")) {
            target = &source.pool;
        }
    }

    void line(const QString& raw) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            flush();
        } else if (line.startsWith(QLatin1Char('@'))) {
            directive(line);
        } else if (line.startsWith(QLatin1String("## "))) {
            startBlock(BlockKind::Heading, line.mid(3));
            flush();
        } else if (line.startsWith(QLatin1String("# "))) {
            startBlock(BlockKind::Title, line.mid(2));
            flush();
        } else if (line.startsWith(QLatin1String("- "))) {
            startBlock(BlockKind::Bullet, line.mid(2));
        } else {
            continueBlock(line);
        }
    }
};

LevelSource parseLines(const QString& text) {
    Builder builder;
    for (const QString& line : text.split(QLatin1Char('\n'))) builder.line(line);
    builder.flush();
    return builder.source;
}

}   // namespace

QList<Run> parseInline(const QString& text) {
    QList<Run> runs;
    Run current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool doubleStar = text.mid(i, 2) == QLatin1String("**");
        if (text[i] != QLatin1Char('*')) {
            current.text += text[i];
            continue;
        }
        if (!current.text.isEmpty()) runs.append(current);
        current.text.clear();
        if (doubleStar) {
            current.bold = !current.bold;
            ++i;
        } else {
            current.italic = !current.italic;
        }
    }
    if (!current.text.isEmpty()) runs.append(current);
    return runs;
}

LevelSource parseLevel(const QString& text) { return parseLines(text); }

QList<Block> parseDocument(const QString& text) { return parseLines(text).body; }

QList<NamedDocument> parseCollection(const QString& text) {
    QList<NamedDocument> documents;
    QString current;
    auto close = [&] {
        if (!documents.isEmpty()) documents.last().blocks = parseDocument(current);
        current.clear();
    };
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("=== "))) {
            close();
            documents.append(NamedDocument{line.mid(4).trimmed(), {}});
        } else {
            current += line + QLatin1Char('\n');
        }
    }
    close();
    return documents;
}

}   // namespace veltrin::course
