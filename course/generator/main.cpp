// veltrin-make-course OUTDIR [ICON]: writes the sample course (torch/, lessons/, sounds/) into
// OUTDIR and, when asked, the application icon as a PNG.
#include "CourseFiles.h"
#include "LevelLayout.h"
#include "Pictures.h"
#include "RtfWriter.h"
#include "Sounds.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <stdexcept>

using namespace veltrin::course;

namespace {

// The manual viewer is wider than the reading pane and holds reference text: smaller print.
const TextStyle manualStyle{QStringLiteral("DejaVu Serif"), 24, 36, 28, 360};

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
    }
}

void writeLevels(const QDir& lessons) {
    for (int level = 0; level < 8; ++level) {
        const QString name = QStringLiteral("veltrin%1").arg(level);
        const LevelSource source = parseLevel(readResource(QStringLiteral(":/texts/levels/%1.txt").arg(name)));
        try {
            const LaidOutLevel laidOut = layOutLevel(source, levelGeometry[level], readingStyle);
            writeFile(lessons.filePath(name + QStringLiteral(".rtf")), toRtf(laidOut.blocks, readingStyle));
            std::printf("%s: %d px (end %d)\n", qPrintable(name), int(laidOut.height), levelGeometry[level].levelEnd);
            for (const QString& warning : laidOut.warnings) std::printf("  %s\n", qPrintable(warning));
        } catch (const std::runtime_error& error) { throw std::runtime_error(name.toStdString() + ": " + error.what()); }
    }
}

void writeTorchDocuments(const QDir& torch) {
    QDirIterator it(QStringLiteral(":/texts/torch"), {QStringLiteral("*.txt")});
    while (it.hasNext()) {
        for (const NamedDocument& document : parseCollection(readResource(it.next()))) {
            writeFile(torch.filePath(document.fileName), toRtf(document.blocks, torchStyle));
        }
    }
}

void writeStartingFiles(const QDir& torch, const QDir& lessons) {
    writeFile(torch.filePath(QStringLiteral("info.ndx")), startingTopicIndex());
    writeFile(torch.filePath(QStringLiteral("mission.ndx")), startingSubjectIndex());
    writeFile(torch.filePath(QStringLiteral("status.ndx")), startingStageCounters());
    writeFile(torch.filePath(QStringLiteral("work.ndx")), startingSubjectCounts());
    writeFile(lessons.filePath(QStringLiteral("veltrin.sdb")), QByteArray());
}

void writePictures(const QDir& lessons) {
    for (const PictureSpec& spec : pictureSpecs()) {
        const QString path = lessons.filePath(spec.name);
        if (!spec.draw(spec.size).save(path, "JPG", 90)) throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void writeSounds(const QDir& sounds) {
    for (const SoundSpec& spec : soundSpecs()) {
        writeFile(sounds.filePath(spec.name + QStringLiteral(".wav")), wavFile(synthesise(spec)));
    }
}

QDir makeFolder(const QDir& parent, const QString& name) {
    if (!parent.mkpath(name)) throw std::runtime_error("cannot create " + parent.filePath(name).toStdString());
    return QDir(parent.filePath(name));
}

}   // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: veltrin-make-course OUTDIR [ICON.png]\n");
        return 2;
    }
    try {
        const QDir out(QString::fromLocal8Bit(argv[1]));
        const QDir lessons = makeFolder(out, lessonsFolder);
        const QDir torch = makeFolder(out, torchFolder);
        writePictures(lessons);
        writeSounds(makeFolder(out, soundsFolder));
        writeStartingFiles(torch, lessons);
        writeTorchDocuments(torch);
        writeFile(lessons.filePath(QStringLiteral("veltrin.rtf")),
                  toRtf(parseDocument(readResource(QStringLiteral(":/texts/manual.txt"))), manualStyle));
        writeLevels(lessons);
        if (argc > 2 && !appIcon(256).save(QString::fromLocal8Bit(argv[2]), "PNG")) throw std::runtime_error("cannot write the icon");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "veltrin-make-course: %s\n", error.what());
        return 1;
    }
    return 0;
}
