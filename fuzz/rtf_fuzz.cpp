// Fuzz target: any input must read without a crash, a memory error or undefined behaviour.
#include "rtf/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Broken pictures are expected here; Qt's warnings about them would drown the fuzzer's log.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    veltrin::rtf::readRtf(rtf, document);
    veltrin::rtf::plainTextCrLf(document);
    return 0;
}
