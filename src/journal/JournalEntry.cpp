#include "journal/Journal.h"

#include "core/JournalStore.h"
#include "journal/JournalParts.h"

#include "base/Numbers.h"
#include "base/TextFile.h"
#include "progress/Progress.h"
#include "torch/Torch.h"

namespace veltrin::journal {

namespace {

// The rank of one category: the position (1 .. 5, left to right) of its selected option, 0 when none is.
int categoryRank(const std::array<QRadioButton*, 5>& options) {
    for (std::size_t position = 0; position < options.size(); ++position)
        if (options[position]->isChecked()) return int(position) + 1;
    return 0;
}

const QString SubjectReferenceName = QStringLiteral("subjectref.rtf");
const QString SubjectRefusedName = QStringLiteral("subjectrefused.rtf");

void refuseUnrankedSnapshot(Program& p) {
    torch::PlaySound(p, QStringLiteral("resetyn"));
    torch::ShowTorchDocument(p, QStringLiteral("er-1.rtf"), 0);
}

// Nothing is stored: the record could not be split correctly when the journal is read back.
void refuseUnreadableSubject(Program& p) {
    core::WriteGeneratedDocument(p.state.settings.AppDir + SubjectRefusedName,
                                 {QStringLiteral("\\cf1 A subject cannot hold a line break or two tildes in a row (~~), nor begin or end "
                                                 "with a tilde, because the journal could not read it back. Please change the subject; "
                                                 "nothing was stored.")});
    torch::PlaySound(p, QStringLiteral("resetyn"));
    torch::ShowTorchDocument(p, SubjectRefusedName, 0);
}

// The row of the required subjects that names the subject, in lower case; 0 when none does.
std::size_t requiredSubjectRow(const Program& p, const QString& subject) {
    const QString wanted = subject.toLower();
    for (std::size_t row = 1; row <= core::SubjectRows; ++row)
        if (p.state.SubjectRequirements[row].name.toLower() == wanted) return row;
    return 0;
}

// Raises the subject's count once for every matching line of the subject list and saves it.
void countEntry(Program& p, const QString& subject, int matchingLines) {
    const std::size_t row = requiredSubjectRow(p, subject);
    if (row == 0) return;
    QString& count = p.state.SubjectProgress[row].count;
    count = QString::number(base::readNumber(count) + matchingLines);
    progress::SaveProgressFiles(p);
}

void writeSubjectReference(Program& p) {
    core::WriteGeneratedDocument(p.state.settings.AppDir + SubjectReferenceName,
                                 {QStringLiteral("\\cf2 The subject you have entered is an optional entry.")});
}

// The record first, then what follows from it. If any of it fails, the store is put back as it
// was; the handler boundary restores the count, so a failed add leaves every file as it was.
void storeEntry(Program& p, const QString& record, const QString& subject, int matchingLines) {
    core::appendJournalRecord(storePath(p), record, journalKey(p), [&] {
        if (matchingLines > 0) countEntry(p, subject, matchingLines);
        else writeSubjectReference(p);
    });
}

}   // namespace

std::optional<core::SnapshotRanks> snapshotRanks(const ui::MainWindow& form) {
    core::SnapshotRanks ranks{};
    for (std::size_t category = 0; category < ranks.size(); ++category) {
        ranks[category] = categoryRank(form.rankOptions[category]);
        if (ranks[category] == 0) return std::nullopt;
    }
    return ranks;
}

// The user asked to add the entry on the journal frame. The Torch animation yields, so a second
// click can run this again before the first has shown its document; each click stores one whole
// record, as the frame holds it.
void onAddEntryClicked(Program& p) {
    torch::CloseContactWindow(p);
    torch::closeTorchPanel(p, torch::Silent);
    const auto ranks = snapshotRanks(p.window);
    if (!ranks) {
        refuseUnrankedSnapshot(p);
        return;
    }
    const QString subject = p.window.subjectBox->currentText();
    if (!core::subjectIsStorable(subject)) {
        refuseUnreadableSubject(p);
        return;
    }
    if (!unlockJournalIfSealed(p)) return;
    torch::PlaySound(p, QStringLiteral("addrec"));

    const int matchingLines = core::matchingSubjectLines(base::readLines(p.state.settings.AppDir + SubjectListName), subject);
    const QString entryText = core::convertEntryText(p.window.entryBox->Text());
    const QString chronology = core::chronologyText(p.sys.now());
    storeEntry(p, core::journalRecord(chronology, p.window.rankLabel->text(), subject, *ranks, entryText), subject, matchingLines);

    if (matchingLines == 0) torch::ShowTorchDocument(p, SubjectReferenceName, 1);
    p.window.chronologyLabel->setText(chronology);
}

}   // namespace veltrin::journal
