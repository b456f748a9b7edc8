#include "rtf/RtfReader.h"

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfParser.h"

#include <QTextBlock>
#include <QTextDocument>

namespace veltrin::rtf {

void readRtf(const QByteArray& rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    DocumentTables tables;
    RtfDocumentBuilder builder(document, tables);
    parseRtf(rtf, tables, builder);
    document.setUndoRedoEnabled(undo);
}

QString plainTextCrLf(const QTextDocument& document) {
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) text += QLatin1String("\r\n");
        QString paragraph = block.text();
        paragraph.remove(QChar::ObjectReplacementCharacter);
        paragraph.replace(QChar::LineSeparator, QLatin1String("\r\n"));
        text += paragraph;
    }
    return text;
}

}   // namespace veltrin::rtf
