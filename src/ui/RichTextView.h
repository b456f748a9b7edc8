#pragma once
// The rich-text box: loads an RTF file by name, takes a plain text, gives back its plain text with
// CR LF paragraph ends, and is placed and shown by the program. The reading pane moves inside its
// viewport by its top edge, kept in fractions of a pixel.
#include <QTextEdit>

namespace veltrin::ui {

class RichTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);

    // Replaces the content by the rendered document, shown from its top. A missing or unreadable
    // file leaves the view empty; nothing is reported.
    void LoadFile(const QString& path);
    // Replaces the content by a plain text; an empty text clears the view and its file name.
    void SetText(const QString& text);
    // The plain text, each paragraph end given as CR LF.
    QString Text() const;
    QString FileName() const { return m_fileName; }

    // Top edge and height in the container's pixels; the top edge may hold fractions of a pixel.
    void setTopEdge(double top);
    double topEdge() const { return m_top; }
    void setPaneHeight(int height);

private:
    QString m_fileName;
    double m_top = 0;
};

} // namespace veltrin::ui
