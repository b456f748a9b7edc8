// Veltrin: the main window is created, wired and started; the event loop runs until the user leaves.
// A command (`veltrin journal ...`, `veltrin --help`) runs without a window instead.
#include "cli/Cli.h"
#include "shell/Shell.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (veltrin::cli::isCommand(argc, argv)) return veltrin::cli::runFromMain(argc, argv);
    veltrin::ui::readFontConfigurationAhead();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrin"));
    veltrin::ui::MainWindow window;
    veltrin::ui::ContactWindow contact;
    veltrin::ui::SplashWindow splash;
    veltrin::ui::QtPlatform platform;
    veltrin::Program program{{}, window, contact, splash, platform};
    veltrin::shell::WireControls(program);
    veltrin::shell::StartProgram(program);
    window.show();
    return app.exec();
}
