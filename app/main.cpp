// Veltrin: the main window is created, wired and started; the event loop runs until the user leaves.
#include "shell/Shell.h"

#include <QApplication>

int main(int argc, char** argv) {
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
