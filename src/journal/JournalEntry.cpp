#include "journal/Journal.h"

#include "journal/JournalParts.h"
#include "journal/JournalStore.h"

#include "base/Numbers.h"
#include "base/TextFile.h"
#include "progress/Progress.h"
#include "torch/Torch.h"

namespace veltrin::journal {

namespace {

const QString SubjectReferenceName = QStringLiteral("subjectref.rtf");
const QString SubjectRefusedName = QStringLiteral("subjectrefused.rtf");

void refuseUnrankedSnapshot(Program& p) {
    state::PlaySound(p, QStringLiteral("resetyn"));
    state::ShowTorchDocument(p, QStringLiteral("er-1.rtf"), 0);
}

// Nothing is stored: the record could not be split correctly when the journal is read back.
void refuseUnreadableSubject(Program& p) {
    state::WriteGeneratedDocument(p.state.AppDir + SubjectRefusedName,
                                  {QStringLiteral("\\cf1 A subject cannot hold a line break or two tildes in a row (~~), nor begin or end "
                                                  "with a tilde, because the journal could not read it back. Please change the subject; "
                                                  "nothing was stored.")});
    state::PlaySound(p, QStringLiteral("resetyn"));
    state::ShowTorchDocument(p, SubjectRefusedName, 0);
}

// The row of the required subjects that names the subject, in lower case; 0 when none does.
std::size_t requiredSubjectRow(const Program& p, const QString& subject) {
    const QString wanted = subject.toLower();
    for (std::size_t row = 1; row <= state::SubjectRows; ++row)
        if (p.state.SubjectRequirements[row][1].toLower() == wanted) return row;
    return 0;
}

// Raises the subject's count once for every matching line of the subject list and saves it.
void countEntry(Program& p, const QString& subject, int matchingLines) {
    const std::size_t row = requiredSubjectRow(p, subject);
    if (row == 0) return;
    QString& count = p.state.SubjectProgress[row][2];
    count = QString::number(base::readNumber(count) + matchingLines);
    progress::SaveProgressFiles(p);
}

void writeSubjectReference(Program& p) {
    state::WriteGeneratedDocument(p.state.AppDir + SubjectReferenceName,
                                  {QStringLiteral("\\cf2 The subject you have entered is an optional entry.")});
}

// The record first, then what follows from it. If any of it fails, the store is put back as it
// was; the handler boundary restores the count, so a failed add leaves every file as it was.
void storeEntry(Program& p, const QString& record, const QString& subject, int matchingLines) {
    base::appendLineWith(p.state.CourseDir + JournalStoreName, record, [&] {
        if (matchingLines > 0) countEntry(p, subject, matchingLines);
        else writeSubjectReference(p);
    });
}

}   // namespace

// The user asked to add the entry on the journal frame. The Torch animation yields, so a second
// click can run this again before the first has shown its document; each click stores one whole
// record, as the frame holds it.
void onAddEntryClicked(Program& p) {
    torch::CloseContactWindow(p);
    state::closeTorchPanel(p, state::Silent);
    const auto ranks = snapshotRanks(p.window);
    if (!ranks) {
        refuseUnrankedSnapshot(p);
        return;
    }
    const QString subject = p.window.subjectBox->currentText();
    if (!subjectIsStorable(subject)) {
        refuseUnreadableSubject(p);
        return;
    }
    state::PlaySound(p, QStringLiteral("addrec"));

    const int matchingLines = matchingSubjectLines(base::readLines(p.state.AppDir + SubjectListName), subject);
    const QString entryText = convertEntryText(p.window.entryBox->Text());
    const QString chronology = chronologyText(p.sys.now());
    storeEntry(p, journalRecord(chronology, p.window.rankLabel->text(), subject, *ranks, entryText), subject, matchingLines);

    if (matchingLines == 0) state::ShowTorchDocument(p, SubjectReferenceName, 1);
    p.window.chronologyLabel->setText(chronology);
}

}   // namespace veltrin::journal
