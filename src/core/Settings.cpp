#include "core/Settings.h"

#include "base/Numbers.h"

#include <QFileInfo>

#include <algorithm>

namespace veltrin::core {

namespace {

constexpr int SettingsLines = 7;

// Lines 1 to 6 may be written as key=value; the key is ignored.
QString afterEquals(const QString& value) {
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    return equals < 0 ? value : value.mid(equals + 1);
}

void requireFolder(const QString& path, int line, const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        throw SettingsError(path, line, QStringLiteral("the folder \"%1\" does not exist").arg(folder));
}

std::int32_t toLong(const QString& text) {
    return static_cast<std::int32_t>(std::clamp<qint64>(base::readNumber(text), INT32_MIN, INT32_MAX));
}

std::int16_t toInteger(const QString& text) { return base::readInteger16(text); }

}   // namespace

SettingsError::SettingsError(const QString& path, int line, const QString& problem)
    : base::FileError(path, line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(problem) : problem), m_line(line) {}

Settings parseSettings(const QStringList& lines, const QString& path) {
    if (lines.size() < SettingsLines)
        throw SettingsError(path, int(lines.size()) + 1, QStringLiteral("the line is missing (the file needs seven lines)"));
    QStringList values;
    for (int line = 0; line < SettingsLines - 1; ++line) values << afterEquals(base::readField(lines[line]));
    values << base::readField(lines[SettingsLines - 1]);
    for (int line = 0; line < 3; ++line) requireFolder(path, line + 1, values[line]);
    return {values[0], values[1], values[2], toLong(values[3]), toInteger(values[4]), toLong(values[5]), toInteger(values[6])};
}

QStringList settingsLines(const Settings& s) {
    return {s.AppDir,
            s.CourseDir,
            s.SoundDir,
            base::numberText(s.ScrollDelay),
            base::numberText(s.CourseStage),
            base::numberText(s.ScrollPos),
            base::numberText(s.SoundsMuted)};
}

}   // namespace veltrin::core
