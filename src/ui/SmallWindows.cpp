#include "ui/SmallWindows.h"

#include "ui/Twips.h"

#include <QFont>
#include <QPainter>

namespace veltrin::ui {

namespace {

QString contactMessage() {
    const QString address = QString::fromLatin1(DistributorAddress);
    return QStringLiteral("Veltrin is distributed from %1.\n\n"
                          "Come and join the Veltrin community of readers and writers, and share what you find "
                          "on your way through the Inner Realm.\n\n"
                          "Visit the home of Veltrin at %1.")
        .arg(address);
}

QLabel* centredLabel(QWidget* parent, const QString& text, int pointSize, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

}   // namespace

ContactWindow::ContactWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setWindowTitle(QStringLiteral("Veltrin Contact Info"));
    setFixedSize(toPixels(5400), toPixels(3600));
    contactText = new QPlainTextEdit(contactMessage(), this);
    contactText->setReadOnly(true);
    contactText->setAccessibleName(QStringLiteral("Contact information"));
    contactText->setGeometry(twipsRect(300, 300, 4800, 1950));
    muteBox = new QCheckBox(QStringLiteral("Mute Veltrin Sounds"), this);
    muteBox->setGeometry(twipsRect(300, 2500, 3000, 360));
    reminderLabel = new QLabel(QStringLiteral("Remind me at"), this);
    reminderLabel->setGeometry(twipsRect(300, 2950, 1400, 420));
    reminderTimes = new QLineEdit(this);
    reminderTimes->setPlaceholderText(QStringLiteral("20:00, 08:30"));
    reminderTimes->setAccessibleName(QStringLiteral("Reminder times"));
    reminderTimes->setGeometry(twipsRect(1700, 2950, 1400, 420));
    reminderLabel->setBuddy(reminderTimes);
    reminderButton = new QPushButton(QStringLiteral("Set"), this);
    reminderButton->setGeometry(twipsRect(3200, 2950, 800, 420));
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(twipsRect(4200, 2950, 900, 420));
    okButton->setDefault(true);
}

void ContactWindow::loadBackgroundPicture(const QString& path) {
    m_background.load(path, isVisible());
    update();
}

void ContactWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& background = m_background.get();
    if (background.isNull()) painter.fillRect(rect(), QColor(120, 84, 52));
    else painter.drawTiledPixmap(rect(), background);
}

void ContactWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closedByUser();
}

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setFixedSize(420, 260);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(58, 38, 22));
    palette.setColor(QPalette::WindowText, QColor(250, 226, 170));
    setPalette(palette);
    logo = new PictureBox(this);
    logo->setGeometry(20, 20, 90, 90);
    emblem = new PictureBox(this);
    emblem->setGeometry(310, 20, 90, 90);
    productLabel = centredLabel(this, QStringLiteral("Veltrin"), 26, {110, 24, 200, 50});
    versionLabel = centredLabel(this, QStringLiteral("Version 3.0"), 11, {110, 76, 200, 24});
    rightsLabel = centredLabel(this, QStringLiteral("Copyright \u00a9 the Veltrin team. All rights reserved."), 9, {20, 130, 380, 22});
    invitationLabel =
        centredLabel(this, QStringLiteral("Join the Veltrin community of explorers of the Inner Realm at"), 9, {20, 170, 380, 36});
    addressLabel = centredLabel(this, QString::fromLatin1(DistributorAddress), 10, {20, 210, 380, 24});
}

void SplashWindow::keyPressEvent(QKeyEvent*) { emit keyPressed(); }

}   // namespace veltrin::ui
