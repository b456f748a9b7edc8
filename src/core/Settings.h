#pragma once
// The settings file veltrin3.ini: seven lines, the three folders, the scroll delay, the stage, the
// scroll position and the sound switch.
#include "base/FileError.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace veltrin::core {

// The values kept in the settings file, in its line order. The three folders are prefixes, each
// ending in a path separator.
struct Settings {
    QString AppDir;
    QString CourseDir;
    QString SoundDir;
    std::int32_t ScrollDelay = 0;
    std::int16_t CourseStage = 0;
    std::int32_t ScrollPos = 0;
    std::int16_t SoundsMuted = 0;
    bool operator==(const Settings&) const = default;
};

// The settings file is wrong in a way the user must mend by hand: names the file and the line.
class SettingsError : public base::FileError {
public:
    SettingsError(const QString& path, int line, const QString& problem);
    int line() const { return m_line; }

private:
    int m_line;
};

inline const QString SettingsFileName = QStringLiteral("veltrin3.ini");

// Reads the settings file's lines (from `path`, named in errors). Throws SettingsError naming the
// line when a value is missing or a folder does not exist.
Settings parseSettings(const QStringList& lines, const QString& path);
// The file's seven lines for the settings.
QStringList settingsLines(const Settings& settings);

}   // namespace veltrin::core
