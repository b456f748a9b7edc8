#pragma once
// A fresh program in a temporary folder: settings file, the three data folders with a small
// course, the windows, and the test platform. Each test builds what it needs from here.
#include "shell/Shell.h"
#include "state/State.h"
#include "support/Files.h"
#include "support/TestPlatform.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace veltrin::test {

// Public, so that the free functions of a case table can drive it.
class CourseFixture : public ::testing::Test {
public:
    CourseFixture();
    ~CourseFixture() override;
    // Every test fails when scripted steps were never played.
    void TearDown() override { expectScriptPlayed(); }

    // Writes the settings file: the three folders, then delay, stage, position and mute.
    void writeSettings(int stage, int position = 0, int delay = 0, int muted = 0);
    // Writes a file of CR LF lines into one of the folders.
    static void writeLines(const QString& path, const QStringList& lines) { test::writeFile(path, crlfLines(lines)); }
    static void writeFile(const QString& path, const QByteArray& bytes) { test::writeFile(path, bytes); }
    static QByteArray readFile(const QString& path) { return test::readFile(path); }
    // Every file under the temporary folder, by path, and those changed, come or gone since `before`.
    Files allFiles() const { return filesUnder(m_root.path()); }
    QStringList changedFiles(const Files& before) const { return test::changedFiles(m_root.path(), before); }
    // The sample course's starting index and progress files, an empty journal store, eight short
    // level texts and a document for every name in `documents`.
    void writeStartingCourse(const QStringList& documents = {});
    // Fills every stage counter and journal subject count of the stored files beyond any requirement.
    void markAllWorkDone();

    // Builds the program over the folders (without running the start-up sequence).
    Program& program();
    ui::MainWindow& window() { return program().window; }
    state::ProgramState& state() { return program().state; }
    // Sets the program's three data folders to the fixture's.
    void setFolders();
    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // Builds, wires every control as the running program does, and runs the start-up sequence.
    Program& start() {
        shell::WireControls(program());
        shell::StartProgram(program());
        return program();
    }
    // The program built again over the same folders and started, as the next run of it would be:
    // a new window, nothing kept in memory, everything read from the stored files.
    Program& restart();

    // The starting course (every counter past its requirement when `workDone`), the settings file
    // at `stage` and `position`, RestoreProgress, and the reading controls and OK wired.
    Program& startAt(int stage, int position, const QStringList& documents = {}, bool workDone = false);
    void clickUp() { click(window().upArrow); }
    // Whether the Torch panel is open on `document` (its file name as written).
    bool shows(const QString& document);
    // Opens the drop-down list of `box` and clicks its item `text`.
    void pickFrom(QComboBox& box, const QString& text);
    // The buttons on show (option buttons aside) that a press at their centre on the shown window
    // does not reach, by caption or tooltip: those another control covers.
    QStringList coveredButtons();
    void clickDown() { click(window().downArrow); }
    // The journal's controls wired over a small course, with a title and the rank bars.
    void openJournal();
    static constexpr const char* Title = "Level One Operative of the Inner Realm";
    // Selects, for each category from Power to Being Awake, the option of the given rank (0: none).
    void rankSnapshot(const std::array<int, 7>& ranks);

    // The scripted user presses a button once it is visible.
    void pressWhenVisible(QAbstractButton* button, const QString& what);
    // The scripted user presses `button`, which must be on show, once `document` is in the Torch panel.
    void pressUnder(const QString& document, QAbstractButton* button);
    // The captions of the Torch panel's buttons on show, from left to right.
    QStringList shownButtons();
    // The scripted user runs `act` once the loops have run `passes` passes (focus lost if none).
    void afterPasses(long passes, std::function<void()> act = {});
    // Fails the test when scripted steps were never played.
    void expectScriptPlayed();

    // Line `number` (from 1) of the settings file, and the lines of a file of CR LF lines.
    QString settingsLine(int number) const { return fileLines(settingsPath()).value(number - 1); }
    QStringList fileLines(const QString& path) const;

    QString winDir() const { return m_root.path() + QStringLiteral("/windows/"); }
    QString appDir() const { return m_root.path() + QStringLiteral("/torch/"); }
    QString courseDir() const { return m_root.path() + QStringLiteral("/lessons/"); }
    QString soundDir() const { return m_root.path() + QStringLiteral("/sounds/"); }
    QString settingsPath() const { return winDir() + QStringLiteral("veltrin3.ini"); }
    QString storePath() const { return courseDir() + QStringLiteral("veltrin.sdb"); }

    TestPlatform sys;

private:
    QTemporaryDir m_root;
    std::unique_ptr<ui::MainWindow> m_form;
    std::unique_ptr<ui::ContactWindow> m_about;
    std::unique_ptr<ui::SplashWindow> m_splash;
    std::unique_ptr<Program> m_program;
};

// A short RTF document whose plain text is `text`.
QByteArray rtfDocument(const QString& text);

}   // namespace veltrin::test
