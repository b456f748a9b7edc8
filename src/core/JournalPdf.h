#pragma once
// The journal as a printable PDF: A4 pages, each entry with its chronology, rank and subject, its
// Inner Snapshot drawn as the journal report's rank bars, and its text, written one entry at a
// time by Qt's own PDF writer (Qt Gui, no widgets; the text needs a QGuiApplication for its fonts).
#include "core/JournalExport.h"

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>

#include <memory>

namespace veltrin::core {

class JournalPdf {
public:
    // Writes to `output` as the pages fill; `outputName` names it in errors.
    JournalPdf(QIODevice& output, const QString& outputName);
    ~JournalPdf();
    // Throws FileError once the output has refused a write.
    void write(const ExportedEntry& entry);
    // Ends the document. Throws FileError when the output refused a write.
    void end();

private:
    class Sink;
    struct Block;
    double blockHeight(const Block& block) const;
    void drawBlock(const Block& block);
    void drawText(const QString& text);
    void room(double height);
    void newPage();
    void throwWhenRefused() const;

    std::unique_ptr<Sink> m_sink;
    QPdfWriter m_writer;
    QPainter m_painter;
    QRectF m_page;    // the area inside the margins, in the writer's units
    double m_point;   // the writer's units in a point
    double m_y;       // where the next line starts
    int m_pageNumber = 0;
};

}   // namespace veltrin::core
