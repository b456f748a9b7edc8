#include "shell/Shell.h"

#include "base/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>

namespace veltrin::shell {

namespace {

// A comfortable reading speed: about seven pixels a second.
constexpr std::int32_t FirstRunScrollDelay = 700;

struct CourseFolder {
    const char* name;
    QString core::Settings::*prefix;
};

constexpr std::array<CourseFolder, 3> CourseFolders{{
    {"torch", &core::Settings::AppDir},
    {"lessons", &core::Settings::CourseDir},
    {"sounds", &core::Settings::SoundDir},
}};

void makeFolder(const QString& path) {
    if (!QDir().mkpath(path)) throw base::FileError(path, QStringLiteral("The folder cannot be created."));
}

// Copies the files the user does not have yet; a file already there (a journal, say) is kept.
void copyMissingFiles(const QString& from, const QString& to) {
    makeFolder(to);
    QDirIterator files(from, QDir::Files);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + QLatin1Char('/') + files.fileName();
        if (!base::fileExists(target)) base::rewriteBytes(target, base::readBytes(source));
    }
}

}   // namespace

QString SampleCourseFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/veltrin/course"));
}

bool InstallSampleCourseIfFirstRun(Program& p, const QString& sampleCourse) {
    if (base::fileExists(p.state.WinDir + core::SettingsFileName)) return false;
    if (!QDir(sampleCourse).exists())
        throw base::FileError(sampleCourse, QStringLiteral("The sample course that comes with Veltrin is not there."));
    const QString data = QDir::cleanPath(p.sys.userDataFolder());
    state::ProgramState& s = p.state;
    for (const CourseFolder& folder : CourseFolders) {
        const QString target = data + QLatin1Char('/') + QLatin1String(folder.name);
        copyMissingFiles(sampleCourse + QLatin1Char('/') + QLatin1String(folder.name), target);
        s.settings.*folder.prefix = QDir::toNativeSeparators(target) + QDir::separator();
    }
    s.settings.ScrollDelay = FirstRunScrollDelay;
    s.settings.ScrollPos = 0;
    s.settings.SoundsMuted = 0;
    makeFolder(s.WinDir);
    state::SaveSettings(p, -1);
    return true;
}

}   // namespace veltrin::shell
