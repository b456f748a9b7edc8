#include "ui/Platform.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace veltrin::ui {

namespace {

constexpr qint64 TurnEveryNanoseconds = 1'000'000;     // the event queue gets a turn at least every millisecond
constexpr qint64 MostBehindNanoseconds = 50'000'000;   // a loop that falls this far behind forgets the debt

void sleepInEventLoop(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}   // namespace

void QtPlatform::Yield() { QCoreApplication::processEvents(); }

void QtPlatform::waitForUser() { sleepInEventLoop(15); }

void QtPlatform::beginScrollPasses() {
    m_clock.start();
    m_passes = 0;
    m_lastTurn = 0;
}

void QtPlatform::scrollPass() {
    ++m_passes;
    qint64 now = m_clock.nsecsElapsed();
    const qint64 due = m_passes * PassNanoseconds;
    if (now - due > MostBehindNanoseconds) m_passes = now / PassNanoseconds;
    if (due - now > TurnEveryNanoseconds) {
        sleepInEventLoop(static_cast<int>((due - now) / 1'000'000));
        m_lastTurn = m_clock.nsecsElapsed();
        return;
    }
    if (now - m_lastTurn >= TurnEveryNanoseconds) {
        QCoreApplication::processEvents();
        m_lastTurn = m_clock.nsecsElapsed();
    }
}

void QtPlatform::Pause(double seconds) { QThread::usleep(static_cast<unsigned long>(seconds * 1e6)); }

QString QtPlatform::WindowsDirectory() {
#ifdef Q_OS_WIN
    char buffer[255];
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? QString::fromLocal8Bit(buffer, int(length)) : QString();
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

QString QtPlatform::userDataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QSize QtPlatform::screenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QSize pixels = screen->geometry().size();
    return {toTwips(pixels.width()), toTwips(pixels.height())};
}

// The dialog itself adds the chosen type's suffix to a name typed without one, before it asks
// whether to replace an existing file, so the question is asked about the file that will be written.
std::optional<SaveAnswer> askWithSaveDialog(QWidget* parent, const SaveQuestion& question) {
    QFileDialog dialog(parent, question.title, question.offeredPath);
    dialog.setObjectName(question.objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(question.filters);
    dialog.setDefaultSuffix(question.suffixes.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &question](const QString& filter) {
        dialog.setDefaultSuffix(question.suffixes.value(question.filters.indexOf(filter)));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return SaveAnswer{dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

void QtPlatform::messageBox(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Veltrin"), text, QMessageBox::Ok);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);   // a file's name or a recovery key can be copied
    box.exec();
}

void QtPlatform::setBusyCursor(bool busy) {
    if (busy == m_busy) return;
    m_busy = busy;
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void QtPlatform::endProgram() {
    std::fflush(nullptr);
    std::_Exit(0);   // at once: no handler of the window runs again
}

void readFontConfigurationAhead() {
    QThreadPool::globalInstance()->start([] { FcInit(); });
}

}   // namespace veltrin::ui
