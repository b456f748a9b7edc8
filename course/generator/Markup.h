// The course's plain-text markup: headings, paragraphs, bullets, emphasis and layout directives.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace veltrin::course {

struct Run {
    QString text;
    bool bold = false;
    bool italic = false;
};

enum class BlockKind { Title, Heading, Paragraph, Bullet };

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    QList<Run> runs;
    int mark = -1;   // reading mark (per mille of the level's length) the block should appear at
};

// A level text: the written sequence, where its closing part begins, and the pool of further
// paragraphs that the layout may place between sections to reach the marks.
struct LevelSource {
    QList<Block> body;
    qsizetype closingStart = -1;   // index in body of the first closing block, -1 when none
    QList<Block> pool;
};

// Parses markup lines: "# " title, "## " heading, "- " bullet, blank line ends a block,
// "*x*" italic, "**x**" bold; "@mark N" tags the next block, "@end" starts the closing part,
// "@pad" starts the pool of further paragraphs.
LevelSource parseLevel(const QString& text);

// Plain documents use the same markup without directives.
QList<Block> parseDocument(const QString& text);

// A collection file holds several documents, each started by a line "=== file name".
struct NamedDocument {
    QString fileName;
    QList<Block> blocks;
};
QList<NamedDocument> parseCollection(const QString& text);

QList<Run> parseInline(const QString& text);

}   // namespace veltrin::course
