// veltrin-rtf2text FILE: prints the plain text that the rich-text view reads from an RTF file,
// in UTF-8, one line per paragraph.
#include "rtf/RtfReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: veltrin-rtf2text FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "veltrin-rtf2text: %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    QTextDocument document;
    veltrin::rtf::readRtf(file.readAll(), document);
    QString text = veltrin::rtf::plainTextCrLf(document).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!text.isEmpty() && !text.endsWith(u'\n')) text += u'\n';
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
    return 0;
}
