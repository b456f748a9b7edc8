#pragma once
// A program over a small course with the journal's controls wired, the requirement tables and the
// progress counters loaded, a title on the journal frame and the rank bars of a running program.
#include "support/CourseFixture.h"

#include "journal/Journal.h"
#include "progress/Progress.h"
#include "shell/Shell.h"


namespace veltrin::test {

class JournalFixture : public CourseFixture {
protected:
    static constexpr const char* Title = "Level One Operative of the Inner Realm";

    void SetUp() override {
        writeStartingCourse({"er-1.rtf", "Openness.rtf", "Thought.rtf"});
        writeLines(appDir() + "mission.ndx", {"Journal Entry", "Openness", "Thought"});
        setFolders();
        Program& p = program();
        p.state.TitleText = Title;
        p.state.RankBars = {QString(), ".=        .", ".==      .", ".===    .", ".====  .", ".=====."};
        p.form.Label9->setText(Title);
        journal::FillRequirementTables(p);
        progress::LoadProgressFiles(p);
        progress::RefillLists(p);
        shell::WireJournalControls(p);
    }

    void TearDown() override { expectScriptPlayed(); }

    // Selects, for each category from Power to Being Awake, the option of the given rank (0: none).
    void rankSnapshot(const std::array<int, 7>& ranks) {
        for (std::size_t category = 0; category < ranks.size(); ++category) {
            if (ranks[category] == 0) continue;
            const int option = ui::SnapshotLayout[category].options[std::size_t(ranks[category] - 1)];
            program().form.Option[std::size_t(option)]->setChecked(true);
        }
    }

    QString storePath() const { return courseDir() + "veltrin.sdb"; }
};

} // namespace veltrin::test
