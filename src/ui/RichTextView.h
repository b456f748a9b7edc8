#pragma once
// The rich-text box: loads an RTF file by name, takes a plain text, gives back its plain text with
// CR LF paragraph ends, and is placed and shown by the program. The reading pane moves inside its
// viewport by its top edge, kept in fractions of a pixel.
#include <QTextEdit>

namespace veltrin::ui {

class LongTextView;

class RichTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);

    // Replaces the content by the rendered document, shown from its top. A missing or unreadable
    // file leaves the view empty; nothing is reported.
    void LoadFile(const QString& path);
    // The same for a long generated document, such as the journal report: shown in a view that lays
    // out only the paragraphs on screen and scrolls by lines, so that a document of a quarter of a
    // million paragraphs is on screen at once. Only plain paragraphs with character formats show as
    // they would in the view itself; margins, alignment and pictures are left out. LoadFile and
    // SetText end it.
    void LoadLongFile(const QString& path);
    // The same for a long document held in memory only; the view then holds no file.
    void ShowLongDocument(const QByteArray& rtf);
    // Replaces the content by a plain text; an empty text clears the view and its file name.
    void SetText(const QString& text);
    // The plain text, each paragraph end given as CR LF.
    QString Text() const;
    QString FileName() const { return m_fileName; }

    // Top edge and height in the container's pixels; the top edge may hold fractions of a pixel.
    // The view itself reaches only a screen or so below the container's bottom edge (never past the
    // pane's height): what a view holds is laid out as far down as the view reaches, so a view as
    // tall as the pane would lay out the whole text before its first screen is shown.
    // The caret stands at the start of the line at the container's top edge, so that a screen
    // reader's "read the current line" reads the line the reading has reached.
    void setTopEdge(double top);
    double topEdge() const { return m_top; }
    void setPaneHeight(int height);
    int paneHeight() const { return m_paneHeight; }
    // The view shows its text from the top, always: neither the wheel, nor a selection dragged past
    // its edge, nor a key scrolls it. The reading pane is moved by its top edge alone.
    void lockScrolling();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void endLongView();
    void placePane(bool newPane);
    void followReadingLine();

    QString m_fileName;
    LongTextView* m_longView = nullptr;   // over the whole view while it shows a long document
    double m_top = 0;
    QPair<double, double> m_readingLine;   // top and bottom of the caret's line; empty when unknown
    int m_paneHeight = 0;
};

}   // namespace veltrin::ui
