// The yardstick of the start-up benchmark: a bare Qt window of the main window's size and title,
// shown as soon as the application object exists.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Veltrin"));
    window.setFixedSize(787, 520);   // 11805 x 7800 twips
    window.show();
    return app.exec();
}
