#include "shell/Shell.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "progress/Progress.h"
#include "reader/Reader.h"
#include "torch/Torch.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

namespace veltrin::shell {

namespace {

enum ResetAnswers : std::int16_t { NoAnswer = 0, AnsweredNo = 1, AnsweredYes = 2 };

const QString BackupEnding = QStringLiteral(".bak");

// What the index files hold in a fresh course.
const QStringList StartingTopics{QStringLiteral("Greetings"), QStringLiteral("Status")};
const QStringList StartingSubjects{QStringLiteral("Journal Entry")};

struct ErasedFile {
    QString core::Settings::*folder;
    const char* name;
};

// The files a reset empties or rewrites; each is kept as <name>.bak beside it first. The settings
// file is left out: the reset keeps its folders, speed and mute, and the stage is the user's choice.
constexpr std::array<ErasedFile, 5> ErasedFiles{{
    {&core::Settings::CourseDir, "veltrin.sdb"},
    {&core::Settings::AppDir, "info.ndx"},
    {&core::Settings::AppDir, "mission.ndx"},
    {&core::Settings::AppDir, "status.ndx"},
    {&core::Settings::AppDir, "work.ndx"},
}};

QString pathOf(const Program& p, const ErasedFile& file) { return p.state.settings.*file.folder + QLatin1String(file.name); }

QString appFile(const Program& p, const char* name) { return p.state.settings.AppDir + QLatin1String(name); }

QString storeFile(const Program& p) { return p.state.settings.CourseDir + QStringLiteral("veltrin.sdb"); }

// What each erased file holds in a fresh course.
std::map<QString, QByteArray> freshFiles(const Program& p) {
    std::map<QString, QByteArray> fresh{{storeFile(p), {}},
                                        {appFile(p, "info.ndx"), base::lineBytes(StartingTopics)},
                                        {appFile(p, "mission.ndx"), base::lineBytes(StartingSubjects)}};
    for (const base::FileBytes& file : progress::freshProgressFiles(p)) fresh[file.path] = file.bytes;
    return fresh;
}

// The first free name <file>.<n>.bak, for a copy an earlier reset kept.
QString numberedCopy(const QString& path) {
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("%1.%2%3").arg(path).arg(n).arg(BackupEnding);
        if (!QFileInfo(name).exists() && !QFileInfo(name).isSymLink()) return name;
    }
}

// The copies one reset makes, and how to take them back when one of them fails.
struct Copies {
    QStringList added;
    std::vector<std::pair<QString, QString>> setAside;   // from, to
    void takeBack() {
        for (const QString& copy : added) QFile::remove(copy);
        for (const auto& [from, to] : setAside) QFile::rename(to, from);
    }
};

// A copy kept by an earlier reset is never overwritten: it goes to a numbered name, so that
// <file>.bak always holds the newest copy and no older one is lost.
void setAsideOlderCopy(Copies& copies, const QString& path, const QByteArray& bytes) {
    const QString copy = path + BackupEnding;
    base::refuseAnythingButAFile(copy);
    if (!base::fileExists(copy) || base::readBytes(copy) == bytes) return;
    const QString numbered = numberedCopy(path);
    if (!QFile::rename(copy, numbered)) throw base::FileError(copy, QStringLiteral("It could not be renamed to %1.").arg(numbered));
    copies.setAside.emplace_back(copy, numbered);
}

// Copies every file the reset will erase, before anything is erased. Throws FileError. A file that
// does not exist has nothing to lose and gets no copy; nor does one that already holds what a fresh
// course holds while a copy stands beside it (a reset that stopped part way has erased it): the
// copy of what it held before stays. When a copy fails, the copies this call made are taken back
// and the older ones return to their names.
void keepCopies(Program& p) {
    const std::map<QString, QByteArray> fresh = freshFiles(p);
    Copies copies;
    try {
        for (const ErasedFile& file : ErasedFiles) {
            const QString path = pathOf(p, file);
            if (!base::fileExists(path)) continue;
            const QByteArray bytes = base::readBytes(path);
            const QString copy = path + BackupEnding;
            if (bytes == fresh.at(path) && base::fileExists(copy)) continue;
            setAsideOlderCopy(copies, path, bytes);
            const bool existed = base::fileExists(copy);
            base::rewriteBytes(copy, bytes);
            if (!existed) copies.added << copy;
        }
    } catch (const base::FileError&) {
        copies.takeBack();
        throw;
    }
}

// Puts the question in front of the user again rather than starting a second reset: the second
// one's answer would end with ResetAnswer 0 and leave the first one's wait without its answer.
void refuseSecondReset(Program& p) {
    torch::PlaySound(p, QStringLiteral("resetyn"));
    const bool answerable = torch::isTorchPanelOpen(p) && p.state.screen.ResetQuestionShown;
    if (p.state.run.ResetAnswer != NoAnswer || answerable) return;   // answered, or Yes and No are on show
    p.state.run.AskYesNo = true;                                     // OK may have cleared it while the question waited
    torch::closeTorchPanel(p, torch::Silent);
    torch::ShowTorchDocument(p, torch::ResetQuestionDocument, 0);
}

void askToReset(Program& p) {
    p.state.run.AskYesNo = true;
    torch::PlaySound(p, QStringLiteral("resetyn"));
    torch::ShowTorchDocument(p, torch::ResetQuestionDocument, 0);
}

// Yes and No run inside this wait and set the answer.
void waitForAnswer(Program& p) {
    while (p.state.run.ResetAnswer == NoAnswer) p.sys.waitForUser();
}

void keepProgress(Program& p) {
    p.state.run.AskYesNo = false;
    torch::ShowTorchDocument(p, QStringLiteral("veltrinnotreset.rtf"), 1);
}

// The stored files of a fresh course: settings at stage -1 and position 0, index files, an empty
// journal store and cleared progress files.
void writeStartingFiles(Program& p) {
    p.state.settings.ScrollPos = 0;
    state::SaveSettings(p, -1);
    base::rewriteLines(appFile(p, "mission.ndx"), StartingSubjects);
    base::rewriteLines(appFile(p, "info.ndx"), StartingTopics);
    progress::ClearLists(p);
    base::rewriteBytes(storeFile(p), {});
    progress::ClearProgressTables(p.state);
    progress::SaveProgressFiles(p);
}

// Disabled-state pictures first, then the normal ones, so that stage -1 starts from plain buttons.
void removeLevelPictures(Program& p) {
    for (int level = 0; level < 8; ++level) p.window.levelButton(level)->clearDisabledPicture();
    for (int level = 0; level < 8; ++level) p.window.levelButton(level)->clearPicture();
    p.sys.Yield();
}

void showSpeed(Program& p) {
    const qint64 speed = std::min<qint64>(std::abs(qint64(p.state.settings.ScrollDelay)), p.window.speedBar->maximum());
    p.window.speedBar->setValue(int(speed));
}

void restoreStartingWindow(Program& p) {
    p.window.readingPane->SetText(QString());
    // Erased progress meets no level's requirements; a flag left set by a level completed earlier
    // in the session would keep RestoreProgress from loading the Introduction into the emptied pane.
    p.state.RequirementsMet = false;
    reader::RestoreProgress(p);
    torch::ShowTitle(p);
    p.sys.Yield();
    p.window.rankLabel->setText(p.state.TitleText);
    showSpeed(p);
    p.state.run.ScrollActive = false;
    p.window.torchPane->SetText(QString());
    p.window.levelButton(0)->setText(QStringLiteral("Key"));
}

void eraseProgress(Program& p) {
    writeStartingFiles(p);
    removeLevelPictures(p);
    restoreStartingWindow(p);
    p.state.run.AskYesNo = false;
    torch::ShowTorchDocument(p, QStringLiteral("veltrinreset.rtf"), 0);
    p.state.settings.ScrollPos = 0;
}

// Once erasing has begun, the files are no longer as they were, so the boundary's message would
// not be true: the user hears here what failed and where the copies are.
void tellResetStoppedPartWay(Program& p, const base::FileError& error) {
    p.state.run.AskYesNo = false;
    const QString journalCopy = storeFile(p) + BackupEnding;
    p.sys.messageBox(QStringLiteral("Veltrin could not finish erasing your progress: the file\n%1\ncould not be "
                                    "written.\n\n%2\n\nSome of your files may already be erased. Copies of your "
                                    "journal, index and progress files as they were before are kept beside them, "
                                    "each named with \"%3\" at the end%4. Erasing again keeps these copies.")
                         .arg(error.path(), error.reason(), BackupEnding,
                              base::fileExists(journalCopy) ? QStringLiteral(" (your journal: %1)").arg(journalCopy) : QString()));
}

void eraseProgressKeepingCopies(Program& p) {
    keepCopies(p);
    try {
        eraseProgress(p);
    } catch (const base::FileError& error) { tellResetStoppedPartWay(p, error); }
}

void answerReset(Program& p, ResetAnswers answer, const QString& sound) {
    torch::CloseContactWindow(p);
    p.state.run.ResetAnswer = answer;
    torch::PlaySound(p, sound);
    torch::ShowTorchDocument(p, QString(), 0);
}

}   // namespace

// Erase: asks first, and erases only on Yes, after keeping a copy of every file it erases. A
// second erase click while one runs (it can arrive at any yield) is refused; Yes, No and every
// other control may run inside the wait.
void onEraseClicked(Program& p) {
    torch::CloseContactWindow(p);
    if (p.state.run.resetUnderWay) {
        refuseSecondReset(p);
        return;
    }
    p.state.run.resetUnderWay = true;
    torch::closeTorchPanel(p, torch::WithTorchSound);
    askToReset(p);
    waitForAnswer(p);
    if (p.state.run.ResetAnswer == AnsweredNo) keepProgress(p);
    else eraseProgressKeepingCopies(p);
    p.state.run.ResetAnswer = NoAnswer;
    p.state.run.resetUnderWay = false;
}

void onYesClicked(Program& p) { answerReset(p, AnsweredYes, QStringLiteral("resety")); }

void onNoClicked(Program& p) { answerReset(p, AnsweredNo, QStringLiteral("resetn")); }

}   // namespace veltrin::shell
