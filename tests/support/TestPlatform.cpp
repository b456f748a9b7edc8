#include "support/TestPlatform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

namespace veltrin::test {

void RecordingSoundDevice::command(const QString& name) {
    commands << name;
    if (name == QLatin1String("Play")) m_timeline << QStringLiteral("sound ") + QFileInfo(m_file).completeBaseName();
}

void TestPlatform::script(const QString& what, std::function<bool()> when, std::function<void()> act) {
    m_steps.push_back({what, std::move(when), std::move(act)});
}

QStringList TestPlatform::unplayedSteps() const {
    QStringList steps;
    for (const Step& step : m_steps) steps << step.what;
    return steps;
}

void TestPlatform::playScript() {
    if (m_playing || m_steps.empty() || !m_steps.front().when()) return;
    m_playing = true;   // a step's action may wait again; the next step plays only from there on
    Step step = std::move(m_steps.front());
    m_steps.erase(m_steps.begin());
    m_looksWithoutProgress = 0;
    m_playing = false;
    step.act();
}

void TestPlatform::Yield() {
    ++yields;
    QCoreApplication::processEvents();
    playScript();
}

void TestPlatform::waitForUser() {
    const std::size_t before = m_steps.size();
    Yield();
    if (m_steps.size() != before) return;
    if (++m_looksWithoutProgress < mostLooksWithoutProgress) return;
    m_looksWithoutProgress = 0;
    ADD_FAILURE() << "The program waits for the user, and no scripted step can end the wait";
    throw std::runtime_error("waiting for the user with nothing scripted");   // ends the test
}

void TestPlatform::scrollPass() {
    ++scrollPasses;
    Yield();
}

void TestPlatform::Pause(double seconds) {
    timeline << QStringLiteral("pause %1").arg(seconds);
    pausedSeconds += seconds;
}

QStringList TestPlatform::playedSounds() const {
    QStringList names;
    QString file;
    for (const QString& command : sounds.commands) {
        if (command.startsWith(QLatin1String("FileName "))) file = command.mid(9);
        else if (command == QLatin1String("Play")) names << QFileInfo(file).completeBaseName();
    }
    return names;
}

}   // namespace veltrin::test
