#include "LevelLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <stdexcept>

namespace veltrin::course {

namespace {

// Where a marked section's first line should stand below the top of the view at its mark.
constexpr int sectionLead = 60;
// Safety distance from both ends of the allowed range, for rounding in other layouts.
constexpr int endSlack = 40;

QTextCharFormat charFormat(const TextStyle& style, int halfPoints, bool bold, bool italic) {
    QTextCharFormat format;
    format.setFontFamilies({style.family});
    format.setFontPointSize(halfPoints / 2.0);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    return format;
}

int blockSize(const Block& block, const TextStyle& style) {
    switch (block.kind) {
    case BlockKind::Title: return style.titleSize;
    case BlockKind::Heading: return style.headingSize;
    default: return style.bodySize;
    }
}

QTextBlockFormat blockFormat(const Block& block, const TextStyle& style) {
    QTextBlockFormat format;
    format.setBottomMargin(style.blockSpace / 15.0);
    if (block.kind == BlockKind::Title) format.setAlignment(Qt::AlignHCenter);
    if (block.kind == BlockKind::Bullet) {
        format.setLeftMargin(style.bulletIndent / 15.0);
        format.setTextIndent(-style.bulletIndent / 30.0);
    }
    return format;
}

void insertRuns(QTextCursor& cursor, const Block& block, const TextStyle& style) {
    const int halfPoints = blockSize(block, style);
    const bool headingBold = block.kind == BlockKind::Title || block.kind == BlockKind::Heading;
    if (block.kind == BlockKind::Bullet) { cursor.insertText(QStringLiteral("\u2022 "), charFormat(style, halfPoints, false, false)); }
    for (const Run& run : block.runs) { cursor.insertText(run.text, charFormat(style, halfPoints, run.bold || headingBold, run.italic)); }
}

void appendBlock(QTextCursor& cursor, const Block& block, const TextStyle& style) {
    const QTextCharFormat body = charFormat(style, style.bodySize, false, false);
    if (!cursor.atStart()) {
        if (style.blockSpace == 0) cursor.insertBlock(QTextBlockFormat(), body);   // the empty paragraph between blocks
        cursor.insertBlock(blockFormat(block, style), body);
    } else {
        cursor.setBlockFormat(blockFormat(block, style));
        cursor.setBlockCharFormat(body);
    }
    insertRuns(cursor, block, style);
}

struct Placer {
    const TextStyle& style;
    const QList<Block>& pool;
    LaidOutLevel level;
    qsizetype nextPad = 0;
    QList<bool> used = QList<bool>(pool.size(), false);
    double spacer = 0;

    double height(const Block& block) const { return documentHeight({block}, style, readingWidth); }

    void add(const Block& block, double blockHeight) {
        if (!level.blocks.isEmpty()) level.height += spacer;
        level.height += blockHeight;
        level.blocks.append(block);
    }

    // Adds pool paragraphs while the next block still starts no lower than top.
    void padUntil(double top) {
        while (nextPad < pool.size()) {
            const double h = height(pool[nextPad]);
            if (level.height + spacer + h + spacer > top) return;
            used[nextPad] = true;
            add(pool[nextPad++], h);
        }
    }

    // Adds pool paragraphs until the closing part would end in [low, high].
    void padToEnd(double closing, double low, double high) {
        for (qsizetype i = nextPad; i < pool.size() && level.height + closing < low; ++i) {
            const double h = height(pool[i]);
            if (used[i] || level.height + spacer + h + closing > high) continue;
            used[i] = true;
            add(pool[i], h);
        }
        if (level.height + closing < low) {
            throw std::runtime_error("pool too small by " + std::to_string(int(low - level.height - closing)) + " px");
        }
    }
};

double closingHeight(const Placer& placer, const QList<Block>& closing) {
    double total = 0;
    for (const Block& block : closing) total += placer.spacer + placer.height(block);
    return total;
}

}   // namespace

double documentHeight(const QList<Block>& blocks, const TextStyle& style, int width) {
    QTextDocument document;
    document.setDocumentMargin(0);
    QFont font(QStringLiteral("serif"), 12);
    font.setStyleHint(QFont::Serif);
    document.setDefaultFont(font);
    document.setTextWidth(width);
    QTextCursor cursor(&document);
    for (const Block& block : blocks) appendBlock(cursor, block, style);
    return document.documentLayout()->documentSize().height();
}

LaidOutLevel layOutLevel(const LevelSource& source, LevelGeometry geometry, const TextStyle& style) {
    Placer placer{style, source.pool, {}};
    const Block line{BlockKind::Paragraph, {Run{QStringLiteral("x")}}, -1};
    placer.spacer = documentHeight({line, line}, style, readingWidth) - documentHeight({line}, style, readingWidth) * 2;
    const qsizetype closingStart = source.closingStart < 0 ? source.body.size() : source.closingStart;
    for (qsizetype i = 0; i < closingStart; ++i) {
        const Block& block = source.body[i];
        if (block.mark >= 0) {
            const double top = block.mark * geometry.levelEnd / 1000.0 + sectionLead;
            placer.padUntil(top);
            const double late = placer.level.height + placer.spacer - top;
            if (late > 150) placer.level.warnings << QStringLiteral("mark %1 lands %2 px late").arg(block.mark).arg(int(late));
        }
        placer.add(block, placer.height(block));
    }
    const QList<Block> closing = source.body.mid(closingStart);
    placer.padToEnd(closingHeight(placer, closing), geometry.levelEnd + minimumOverrun + endSlack,
                    geometry.levelEnd + geometry.margin - endSlack);
    for (const Block& block : closing) placer.add(block, placer.height(block));
    placer.level.height = documentHeight(placer.level.blocks, style, readingWidth);
    return placer.level;
}

}   // namespace veltrin::course
