#pragma once
// A program restored at a given stage and reading position, with the reading controls and the
// Torch panel's OK button wired as the running program wires them, for the reader's tests.
#include "support/CourseFixture.h"

#include "shell/Shell.h"
#include "shell/Wire.h"
#include "torch/Torch.h"

#include <QTest>

namespace veltrin::test {

class ReaderFixture : public CourseFixture {
protected:
    // The starting course, the settings file at `stage` and `position`, then RestoreProgress.
    // `workDone` fills every stage counter and journal subject count beyond any requirement.
    Program& startAt(int stage, int position, const QStringList& documents = {}, bool workDone = false) {
        writeStartingCourse(documents);
        if (workDone) markAllWorkDone();
        writeSettings(stage, position);
        Program& p = program();
        shell::WireReaderControls(p);
        shell::on(p, p.form.Command11, &QAbstractButton::clicked, torch::Command11_Click);
        shell::FindWindowsDir(p);
        shell::RestoreProgress(p);
        sys.timeline.clear();
        sys.sounds.commands.clear();
        return p;
    }

    void clickUp() { click(program().form.Picture4); }
    void clickDown() { click(program().form.Picture5); }

    // The scripted user's focus moves to another program once the loops have run `passes` passes.
    void loseFocusAfterPasses(long passes) {
        Program& p = program();
        sys.script(QStringLiteral("focus lost after %1 passes").arg(passes), [this, passes] { return sys.scrollPasses >= passes; },
                   [&p] { shell::Form_LostFocus(p); });
    }
    // The scripted user clicks `control` once the loops have run `passes` passes.
    void clickAfterPasses(QWidget* control, long passes) {
        sys.script(QStringLiteral("click after %1 passes").arg(passes), [this, passes] { return sys.scrollPasses >= passes; },
                   [this, control] { click(control); });
    }

    // Line `number` (from 1) of a file of CR LF lines.
    QString line(const QString& path, int number) const {
        return QString::fromUtf8(readFile(path).split('\n').value(number - 1)).chopped(1);
    }
    QString settingsLine(int number) const { return line(settingsPath(), number); }
    QStringList topics() const {
        QStringList lines = QString::fromUtf8(readFile(appDir() + QStringLiteral("info.ndx"))).split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines;
    }
};

} // namespace veltrin::test
