#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "journal/Journal.h"
#include "progress/Progress.h"
#include "reader/Reader.h"
#include "shell/Wire.h"
#include "torch/Torch.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace veltrin::test {

QByteArray rtfDocument(const QString& text) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " + text.toLatin1() + "\\par}";
}

CourseFixture::CourseFixture() {
    for (const QString& folder : {winDir(), appDir(), courseDir(), soundDir()}) QDir().mkpath(folder);
    sys.windowsDirectory = winDir();
    sys.dataFolder = m_root.path() + QStringLiteral("/data");
    sys.clock = QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15));
}

CourseFixture::~CourseFixture() { failWritesAfter(-1); }

QStringList CourseFixture::fileLines(const QString& path) const { return base::splitLines(readFile(path)); }

void CourseFixture::setFolders() {
    state().settings.AppDir = appDir();
    state().settings.CourseDir = courseDir();
    state().settings.SoundDir = soundDir();
}

void CourseFixture::writeSettings(int stage, int position, int delay, int muted) {
    auto number = [](int n) { return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n); };
    writeLines(settingsPath(), {appDir(), courseDir(), soundDir(), number(delay), number(stage), number(position), number(muted)});
}

void CourseFixture::writeStartingCourse(const QStringList& documents) {
    for (const char* name : {"info.ndx", "mission.ndx", "status.ndx", "work.ndx"}) {
        QFile::remove(appDir() + name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELTRIN_SAMPLE_COURSE "/torch/") + name, appDir() + name)) << name;
        QFile::setPermissions(appDir() + name, QFile::ReadOwner | QFile::WriteOwner);
    }
    writeFile(storePath(), {});
    for (int level = 0; level < 8; ++level)
        writeFile(courseDir() + QStringLiteral("veltrin%1.rtf").arg(level), rtfDocument(QStringLiteral("Level text %1").arg(level)));
    for (const QString& document : documents) writeFile(appDir() + document, rtfDocument(document));
}

void CourseFixture::markAllWorkDone() {
    writeLines(appDir() + QStringLiteral("status.ndx"), QStringList(45, QStringLiteral(" 99")));
    QStringList work = fileLines(appDir() + QStringLiteral("work.ndx"));
    for (qsizetype count = 1; count < work.size(); count += 2) work[count] = QStringLiteral("99");
    writeLines(appDir() + QStringLiteral("work.ndx"), work);
}

Program& CourseFixture::program() {
    if (!m_program) {
        m_form = std::make_unique<ui::MainWindow>();
        m_about = std::make_unique<ui::ContactWindow>();
        m_splash = std::make_unique<ui::SplashWindow>();
        m_program = std::make_unique<Program>(Program{{}, *m_form, *m_about, *m_splash, sys});
    }
    return *m_program;
}

Program& CourseFixture::restart() {
    m_program.reset();
    m_splash.reset();
    m_about.reset();
    m_form.reset();
    return start();
}

Program& CourseFixture::startAt(int stage, int position, const QStringList& documents, bool workDone) {
    writeStartingCourse(documents);
    if (workDone) markAllWorkDone();
    writeSettings(stage, position);
    Program& p = program();
    shell::WireReaderControls(p);
    shell::on(p, p.window.okButton, &QAbstractButton::clicked, torch::onOkClicked);
    shell::FindWindowsDir(p);
    reader::RestoreProgress(p);
    sys.timeline.clear();
    sys.sounds.commands.clear();
    return p;
}

void CourseFixture::openJournal() {
    writeStartingCourse({"er-1.rtf", "Openness.rtf", "Thought.rtf"});
    writeLines(appDir() + "mission.ndx", {"Journal Entry", "Openness", "Thought"});
    setFolders();
    Program& p = program();
    p.state.TitleText = Title;
    p.state.RankBars = {QString(), ".=        .", ".==      .", ".===    .", ".====  .", ".=====."};
    p.window.rankLabel->setText(Title);
    progress::FillRequirementTables(p);
    progress::LoadProgressFiles(p);
    progress::RefillLists(p);
    shell::WireJournalControls(p);
}

void CourseFixture::rankSnapshot(const std::array<int, 7>& ranks) {
    for (std::size_t category = 0; category < ranks.size(); ++category)
        if (ranks[category] != 0) window().rankOptions[category][std::size_t(ranks[category] - 1)]->setChecked(true);
}

bool CourseFixture::shows(const QString& document) {
    return !window().torchPanel->isHidden() && QFileInfo(window().torchPane->FileName()).fileName() == document;
}

void CourseFixture::pickFrom(QComboBox& box, const QString& text) {
    box.showPopup();
    QAbstractItemView& list = *box.view();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(box.model()->index(box.findText(text), 0)).center());
}

// The press goes through the window as the person's would, to whatever control is at the point; the
// release away from the button leaves it unclicked.
QStringList CourseFixture::coveredButtons() {
    ui::MainWindow& f = window();
    QStringList covered;
    for (QAbstractButton* button : f.findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || qobject_cast<QRadioButton*>(button)) continue;
        const QPoint centre = button->mapTo(&f, button->rect().center());
        const QSignalSpy pressed(button, &QAbstractButton::pressed);
        QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
        if (pressed.count() != 1) covered << (button->text().isEmpty() ? button->toolTip() : button->text());
    }
    return covered;
}

void CourseFixture::pressWhenVisible(QAbstractButton* button, const QString& what) {
    sys.script(
        what, [button] { return !button->isHidden() && button->isVisibleTo(button->window()); },
        [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

void CourseFixture::pressUnder(const QString& document, QAbstractButton* button) {
    sys.script(
        button->text() + " under " + document, [this, document] { return shows(document); },
        [button] {
            EXPECT_FALSE(button->isHidden()) << button->text().toStdString();
            QTest::mouseClick(button, Qt::LeftButton);
        });
}

QStringList CourseFixture::shownButtons() {
    QStringList shown;
    for (QPushButton* button : {window().yesButton, window().okButton, window().noButton})
        if (!button->isHidden()) shown << button->text();
    return shown;
}

void CourseFixture::afterPasses(long passes, std::function<void()> act) {
    Program& p = program();
    if (!act) act = [&p] { shell::onFocusLost(p); };
    sys.script(
        QStringLiteral("act after %1 passes").arg(passes), [this, passes] { return sys.scrollPasses >= passes; }, std::move(act));
}

void CourseFixture::expectScriptPlayed() {
    EXPECT_TRUE(sys.unplayedSteps().isEmpty()) << sys.unplayedSteps().join(QStringLiteral("; ")).toStdString();
}

}   // namespace veltrin::test
