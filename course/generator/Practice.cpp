#include "Practice.h"

#include <QSet>

namespace veltrin::course {

PracticeText parsePractice(const QString& text) {
    PracticeText practice;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("@opening "))) practice.openings << line.mid(9);
        if (line.startsWith(QLatin1String("@closing "))) practice.closings << line.mid(9);
    }
    return practice;
}

QList<Block> extendPool(const QList<Block>& written, const QStringList& tasks, const PracticeText& shared) {
    QList<Block> pool = written;
    if (tasks.isEmpty() || shared.openings.isEmpty() || shared.closings.isEmpty()) return pool;
    const qsizetype nt = tasks.size();
    const qsizetype no = shared.openings.size();
    const qsizetype nc = shared.closings.size();
    QSet<QString> seen;
    // Walk the combinations so that consecutive paragraphs differ in every sentence.
    for (qsizetype k = 0; k < nt * no; ++k) {
        const QString text = shared.openings[(k * 7 + k / nt) % no] + QLatin1Char(' ') + tasks[k % nt]
                           + QLatin1Char(' ') + shared.closings[(k * 5 + k / no) % nc];
        if (seen.contains(text)) continue;
        seen.insert(text);
        pool.append(Block{BlockKind::Paragraph, parseInline(text), -1});
    }
    return pool;
}

}  // namespace veltrin::course
