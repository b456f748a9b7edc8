// Main of the core's tests that need Qt Gui (text documents, fonts, pictures): a QGuiApplication on
// the offscreen platform, never a QApplication, so nothing here can make a widget.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
