#pragma once
// A fresh program in a temporary folder: settings file, the three data folders with a small
// course, the windows, and the test platform. Each test builds what it needs from here.
#include "shell/Program.h"
#include "shell/Shell.h"
#include "support/TestPlatform.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace veltrin::test {

class CourseFixture : public ::testing::Test {
protected:
    CourseFixture();
    ~CourseFixture() override;

    // Writes the settings file: the three folders, then delay, stage, position and mute.
    void writeSettings(int stage, int position = 0, int delay = 0, int muted = 0);
    // Writes a file of CR LF lines into one of the folders.
    void writeLines(const QString& path, const QStringList& lines);
    void writeFile(const QString& path, const QByteArray& bytes);
    QByteArray readFile(const QString& path) const;
    // The bytes of a file of CR LF lines.
    static QByteArray crlfLines(const QStringList& lines);
    // Every file under the temporary folder, by path.
    std::map<QString, QByteArray> allFiles() const;
    // The paths whose content differs from `before`, and those that came or went since.
    QStringList changedFiles(const std::map<QString, QByteArray>& before) const;
    // The starting index and progress files of a fresh course, an empty journal store, eight short
    // level texts and a document for every name in `documents`.
    void writeStartingCourse(const QStringList& documents = {});
    // Fills every stage counter and journal subject count of the stored files beyond any requirement.
    void markAllWorkDone();

    // Builds the program over the folders (without running the start-up sequence).
    Program& program();
    ui::Form1& form() { return program().form; }
    shell::ProgramState& state() { return program().state; }
    // Sets the program's three data folders to the fixture's.
    void setFolders();
    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // Connects every control to its handler, as the running program does. (Inline, so that a test
    // that wires one subsystem only, with shell::Wire...Controls, links without the others.)
    void wireControls() { shell::WireControls(program()); }
    // Builds, wires and runs the start-up sequence.
    Program& start() {
        wireControls();
        shell::Form_Load(program());
        return program();
    }

    // The scripted user presses a button once it is visible.
    void pressWhenVisible(QAbstractButton* button, const QString& what);
    // The scripted user presses OK once the Torch panel shows it.
    void pressOkWhenTorchOpens();
    // Fails the test when scripted steps were never played.
    void expectScriptPlayed();

    QString winDir() const { return m_root.path() + QStringLiteral("/windows/"); }
    QString appDir() const { return m_root.path() + QStringLiteral("/torch/"); }
    QString courseDir() const { return m_root.path() + QStringLiteral("/lessons/"); }
    QString soundDir() const { return m_root.path() + QStringLiteral("/sounds/"); }
    QString settingsPath() const { return winDir() + QStringLiteral("veltrin3.ini"); }

    TestPlatform sys;

private:
    QTemporaryDir m_root;
    std::unique_ptr<ui::Form1> m_form;
    std::unique_ptr<ui::frmAbout> m_about;
    std::unique_ptr<ui::frmSplash> m_splash;
    std::unique_ptr<Program> m_program;
};

// Names a parameterised case by its `name` member.
inline auto caseName = [](const auto& info) { return std::string(info.param.name); };

// A short RTF document whose plain text is `text`.
QByteArray rtfDocument(const QString& text);

} // namespace veltrin::test
