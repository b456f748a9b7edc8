// Veltrin's window: the main window is created, wired and started; the event loop runs until the
// user leaves. The launcher `veltrin` starts it.
#include "shell/Shell.h"

#include <QApplication>

int main(int argc, char** argv) {
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
    veltrin::shell::OpenRequestedView(program, QCoreApplication::arguments());
    return app.exec();
}
