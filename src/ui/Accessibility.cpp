#include "ui/Accessibility.h"

#include "ui/LongTextView.h"
#include "ui/PictureBox.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <tuple>

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

// A long document read through the view's offsets: only the text asked for is built, a line is a line
// as laid out on screen and a word or a sentence is found within its paragraph.
class LongTextReader : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LongTextReader(LongTextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0) std::tie(*start, *end) = view()->selection();
    }
    int selectionCount() const override {
        const auto [start, end] = view()->selection();
        return start == end ? 0 : 1;
    }
    void addSelection(int start, int end) override { view()->select(start, end); }
    void removeSelection(int index) override {
        if (index == 0) view()->select(view()->caretOffset(), view()->caretOffset());
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) view()->select(start, end);
    }
    int cursorPosition() const override { return view()->caretOffset(); }
    void setCursorPosition(int position) override { view()->setCaretOffset(position); }

    QString text(int start, int end) const override { return view()->readableText(start, end); }
    int characterCount() const override { return view()->readableLength(); }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override {
        std::tie(*start, *end) = spanAt(offset, boundary);
        return text(*start, *end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override {
        const int before = spanAt(offset, boundary).first - 1;
        if (before >= 0 && boundary != QAccessible::NoBoundary) return textAtOffset(before, boundary, start, end);
        *start = *end = -1;
        return {};
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override {
        const int after = spanAt(offset, boundary).second;
        if (after < characterCount() && boundary != QAccessible::NoBoundary) return textAtOffset(after, boundary, start, end);
        *start = *end = -1;
        return {};
    }

    QRect characterRect(int offset) const override { return view()->characterRect(offset); }
    int offsetAtPoint(const QPoint& point) const override { return view()->offsetAt(point); }
    void scrollToSubstring(int start, int) override { view()->showOffset(start); }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    LongTextView* view() const { return static_cast<LongTextView*>(widget()); }

    std::pair<int, int> spanAt(int offset, QAccessible::TextBoundaryType boundary) const {
        offset = std::clamp(offset, 0, characterCount());
        switch (boundary) {
        case QAccessible::NoBoundary: return {0, characterCount()};
        case QAccessible::LineBoundary: return view()->readableLine(offset);
        case QAccessible::ParagraphBoundary: return view()->readableParagraph(offset);
        case QAccessible::CharBoundary: return segmentAt(offset, QTextBoundaryFinder::Grapheme);
        case QAccessible::WordBoundary: return segmentAt(offset, QTextBoundaryFinder::Word);
        case QAccessible::SentenceBoundary: return segmentAt(offset, QTextBoundaryFinder::Sentence);
        }
        return {offset, offset};
    }

    std::pair<int, int> segmentAt(int offset, QTextBoundaryFinder::BoundaryType type) const {
        const auto [start, end] = view()->readableParagraph(offset);
        QTextBoundaryFinder finder(type, text(start, end));
        finder.setPosition(offset - start);
        const int from = finder.isAtBoundary() ? offset - start : int(finder.toPreviousBoundary());
        finder.setPosition(offset - start);
        const int to = int(finder.toNextBoundary());
        return {start + from, to < 0 ? offset : start + to};
    }
};

QAccessibleInterface* describe(const QString&, QObject* object) {
    if (auto* box = qobject_cast<PictureBox*>(object); box && box->focusPolicy() != Qt::NoFocus) return new PictureBoxButton(box);
    if (auto* label = qobject_cast<QLabel*>(object); label && label->property(ValueMaximum).isValid()) return new ValueLabel(label);
    if (auto* view = qobject_cast<LongTextView*>(object)) return new LongTextReader(view);
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
