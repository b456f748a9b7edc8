#include "core/JournalPdf.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QPageLayout>
#include <QTextLayout>

#include <deque>
#include <optional>

namespace veltrin::core {

namespace {

constexpr int Resolution = 288;   // four units a point: fine enough for the glyphs' places
constexpr double MarginPoints = 48;
constexpr double BodyPoints = 10;
constexpr double SmallPoints = 8;
constexpr qsizetype FlushBytes = 64 * 1024;

// The journal report's colours: navy, maroon and green for the entry's fields, red for the
// Inner Snapshot, blue for the entry's heading.
const QColor Navy(0, 0, 128);
const QColor Maroon(128, 0, 0);
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Grey(128, 128, 128);

// Without ligatures: the text taken from the PDF (a search, a copy) reads "fi", not "ﬁ".
QFont bodyFont(double points, bool bold = false) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The rank bars are text whose blanks must be as wide as their "=": a fixed-pitch face.
QFont barFont() {
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(BodyPoints);
    return font;
}

// Lays the text out in lines no wider than `width`, from the top of the layout; returns its height.
double layOut(QTextLayout& layout, double width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// "Chronology: 12/7/2026 2:35:43 PM", the caption in bold.
void captioned(QTextLayout& layout, const QString& caption, const QString& value) {
    layout.setText(caption + QLatin1Char(' ') + value);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    layout.setFormats({{0, int(caption.size()), bold}});
}

}   // namespace

// Passes the writer's bytes on in large pieces through the file rules, and keeps the first refusal:
// an error must not be thrown through the toolkit's writer, so it is thrown after it returns.
class JournalPdf::Sink : public QIODevice {
public:
    Sink(QIODevice& output, QString name) : m_output(output), m_name(std::move(name)) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }
    void flushPending() {
        if (m_refused || m_pending.isEmpty()) return;
        try {
            base::writeAll(m_output, m_pending, m_name);
        } catch (const base::FileError& error) { m_refused = error; }
        m_pending.clear();
    }
    const std::optional<base::FileError>& refused() const { return m_refused; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (m_refused) return -1;
        m_pending.append(data, length);
        if (m_pending.size() >= FlushBytes) flushPending();
        return length;
    }

private:
    QIODevice& m_output;
    QString m_name;
    QByteArray m_pending;
    std::optional<base::FileError> m_refused;
};

// The fields and the snapshot of an entry, laid out side by side; kept on one page.
struct JournalPdf::Block {
    std::deque<QTextLayout> fields;   // chronology, rank, subject; a layout cannot be moved
    std::array<double, 3> fieldHeights{};
    QStringList snapshotNames;
    QStringList snapshotBars;
};

JournalPdf::JournalPdf(QIODevice& output, const QString& outputName)
    : m_sink(std::make_unique<Sink>(output, outputName)), m_writer(m_sink.get()) {
    m_writer.setResolution(Resolution);
    m_writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    m_writer.setTitle(QStringLiteral("Veltrin Journal"));
    m_writer.setCreator(QStringLiteral("Veltrin"));
    m_point = Resolution / 72.0;
    const double margin = MarginPoints * m_point;
    m_page = QRectF(0, 0, m_writer.width(), m_writer.height()).adjusted(margin, margin, -margin, -margin);
    m_painter.begin(&m_writer);
    newPage();
}

JournalPdf::~JournalPdf() = default;

void JournalPdf::write(const ExportedEntry& entry) {
    throwWhenRefused();
    Block block;
    const QString captions[] = {QStringLiteral("Chronology:"), QStringLiteral("Rank:"), QStringLiteral("Subject:")};
    const QString values[] = {entry.chronology, entry.rank, entry.subject};
    for (std::size_t field = 0; field < block.fieldHeights.size(); ++field) {
        block.fields.emplace_back(QString(), bodyFont(BodyPoints), &m_writer);
        captioned(block.fields[field], captions[field], values[field]);
        block.fieldHeights[field] = layOut(block.fields[field], m_page.width() / 2 - 12 * m_point);
    }
    for (std::size_t category = 0; category < entry.ratings.size(); ++category) {
        if (!entry.ratings[category]) continue;   // as in the report, a category without a rating has no line
        block.snapshotNames << QLatin1String(SnapshotCategories[category]) + QLatin1Char(':');
        block.snapshotBars << QLatin1String(RankBarTexts[std::size_t(*entry.ratings[category] - 1)]);
    }
    room(blockHeight(block) + 3 * BodyPoints * m_point);   // the block, and the text's first line with it
    drawBlock(block);
    drawText(entry.text);
    m_painter.setPen(QPen(Grey, 0.5 * m_point));
    m_y += 6 * m_point;
    m_painter.drawLine(QPointF(m_page.left(), m_y), QPointF(m_page.right(), m_y));
    m_y += 12 * m_point;
}

void JournalPdf::end() {
    if (m_painter.isActive()) m_painter.end();
    m_sink->flushPending();
    throwWhenRefused();
}

double JournalPdf::blockHeight(const Block& block) const {
    double fields = 0;
    for (const double height : block.fieldHeights) fields += height;
    const double snapshot = double(block.snapshotBars.size()) * QFontMetricsF(barFont(), &m_writer).height();
    return std::max(fields, snapshot);
}

void JournalPdf::drawBlock(const Block& block) {
    const QColor colours[] = {Navy, Maroon, Green};
    double y = m_y;
    for (std::size_t field = 0; field < block.fields.size(); ++field) {
        m_painter.setPen(colours[field]);
        block.fields[field].draw(&m_painter, QPointF(m_page.left(), y));
        y += block.fieldHeights[field];
    }
    m_painter.setPen(Red);
    const QFontMetricsF bars(barFont(), &m_writer);
    const double nameRight = m_page.left() + m_page.width() * 0.72;
    for (qsizetype line = 0; line < block.snapshotBars.size(); ++line) {
        const QRectF row(m_page.center().x(), m_y + double(line) * bars.height(), nameRight - m_page.center().x() - 6 * m_point,
                         bars.height());
        m_painter.setFont(bodyFont(BodyPoints));
        m_painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, block.snapshotNames[line]);
        m_painter.setFont(barFont());
        m_painter.drawText(QPointF(nameRight, row.top() + bars.ascent()), block.snapshotBars[line]);
    }
    m_y += blockHeight(block) + 4 * m_point;
}

// The heading, then the text line by line, going on to the next page where one fills.
void JournalPdf::drawText(const QString& text) {
    QTextLayout heading(QStringLiteral("Entry:"), bodyFont(BodyPoints, true), &m_writer);
    const double headingHeight = layOut(heading, m_page.width());
    m_painter.setPen(Blue);
    heading.draw(&m_painter, QPointF(m_page.left(), m_y));
    m_y += headingHeight;
    m_painter.setPen(Qt::black);
    if (text.isEmpty()) return;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, bodyFont(BodyPoints), &m_writer);
        layOut(layout, m_page.width());
        for (int at = 0; at < layout.lineCount(); ++at) {
            const QTextLine line = layout.lineAt(at);
            room(line.height());
            line.draw(&m_painter, QPointF(m_page.left(), m_y - line.y()));
            m_y += line.height();
        }
        if (layout.lineCount() == 0) m_y += QFontMetricsF(bodyFont(BodyPoints), &m_writer).height();   // an empty line
    }
}

// Starts a new page unless `height` fits below what is on this one.
void JournalPdf::room(double height) {
    if (m_y + height > m_page.bottom() && m_y > m_page.top()) newPage();
}

// Each page names the journal and its number above the margin.
void JournalPdf::newPage() {
    if (m_pageNumber > 0) m_writer.newPage();
    ++m_pageNumber;
    m_y = m_page.top();
    m_painter.setPen(Grey);
    m_painter.setFont(bodyFont(SmallPoints));
    const QRectF top(m_page.left(), m_page.top() - 24 * m_point, m_page.width(), 12 * m_point);
    m_painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Veltrin Journal"));
    m_painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1").arg(m_pageNumber));
}

void JournalPdf::throwWhenRefused() const {
    if (m_sink->refused()) throw *m_sink->refused();
}

}   // namespace veltrin::core
