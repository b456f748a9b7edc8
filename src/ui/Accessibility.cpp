#include "ui/Accessibility.h"

#include "ui/PictureBox.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>

namespace veltrin::ui {

namespace {

const char* const ValueMaximum = "veltrinValueMaximum";

// The press is queued, as a toolkit button's is: the action's caller has its answer at once, while
// the click runs (a reading loop, for the arrows) from the event queue.
class PictureBoxButton : public QAccessibleWidget {
public:
    explicit PictureBoxButton(PictureBox* box) : QAccessibleWidget(box, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = box()->isPressed();
        return state;
    }
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override {
        if (name == pressAction()) QMetaObject::invokeMethod(box(), &PictureBox::click, Qt::QueuedConnection);
        else QAccessibleWidget::doAction(name);
    }

private:
    PictureBox* box() const { return static_cast<PictureBox*>(widget()); }
};

class ValueLabel : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ValueLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return static_cast<QLabel*>(widget())->text().trimmed().toInt(); }
    void setCurrentValue(const QVariant&) override {}   // the program alone moves the mark
    QVariant maximumValue() const override { return widget()->property(ValueMaximum); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* describe(const QString&, QObject* object) {
    if (auto* box = qobject_cast<PictureBox*>(object); box && box->focusPolicy() != Qt::NoFocus) return new PictureBoxButton(box);
    if (auto* label = qobject_cast<QLabel*>(object); label && label->property(ValueMaximum).isValid()) return new ValueLabel(label);
    return nullptr;
}

}   // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(describe);
        return true;
    }();
    Q_UNUSED(installed);
}

void makeValueLabel(QLabel* label, const QString& name, int maximum) {
    label->setProperty(ValueMaximum, maximum);
    label->setAccessibleName(name);
}

}   // namespace veltrin::ui
