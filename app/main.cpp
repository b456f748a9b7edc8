// Veltrin: the main window is created, wired and started; the event loop runs until the user leaves.
#include "shell/Shell.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrin"));
    veltrin::ui::Form1 form;
    veltrin::ui::frmAbout about;
    veltrin::ui::frmSplash splash;
    veltrin::ui::QtPlatform platform;
    veltrin::Program program{{}, form, about, splash, platform};
    veltrin::shell::WireControls(program);
    veltrin::shell::Form_Load(program);
    form.show();
    return app.exec();
}
