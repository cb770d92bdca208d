// How the controls look and behave for the keyboard and for assistive technology, where
// Qt's own widgets differ from the platform's controls they stand in for.
#include "runtime/widgets_p.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionMenuItem>
#include <QStylePainter>
#include <QTextLayout>
#include <QToolTip>

#include <utility>

namespace rt {

QString accessibleCaption(const QString& caption) { return caption.trimmed(); }

// --- Command buttons

bool ButtonWidget::marksEnter() const {
    const auto* focus = dynamic_cast<const ButtonWidget*>(window()->focusWidget());
    return focus ? focus == this : isDefault();
}

void ButtonWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, palette().color(QPalette::Button));
    const auto edge = [&p](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(box.topLeft(), box.topRight());
        p.drawLine(box.topLeft(), box.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(box.bottomLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomRight());
    };
    const QColor dark(0, 0, 0), light(255, 255, 255), shadow(128, 128, 128);
    if (marksEnter()) {
        edge(r, dark, dark);
        r.adjust(1, 1, -1, -1);
    }
    if (isDown()) {
        edge(r, shadow, shadow);
    } else {
        edge(r, light, dark);
        edge(r.adjusted(1, 1, -1, -1), palette().color(QPalette::Button), shadow);
    }
    if (hasFocus()) {
        QPen dots(palette().color(QPalette::ButtonText));
        dots.setDashPattern({1.0, 1.0});
        p.setPen(dots);
        p.drawRect(focusMark(size()));
    }
}

QRect ButtonWidget::focusMark(QSize button) { return QRect(QPoint(0, 0), button).adjusted(4, 4, -5, -5); }

ButtonCaption::ButtonCaption(const QString& text, ButtonWidget* button) : QLabel(text, button) {
    setObjectName("caption");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(box(button->size()));
}

// The mark's lines are drawn on its edges, so the caption starts one pixel inside them.
QRect ButtonCaption::box(QSize button) { return ButtonWidget::focusMark(button).adjusted(1, 1, -1, -1); }

std::vector<ButtonCaption::Line> ButtonCaption::lines() const {
    std::vector<Line> out;
    if (text().isEmpty()) return out;
    const QFontMetricsF fm(font(), const_cast<ButtonCaption*>(this));
    // Wrapped at word boundaries, as the platform wrapped a caption.
    QTextLayout layout(text(), font(), const_cast<ButtonCaption*>(this));
    QTextOption wrap(Qt::AlignHCenter);
    wrap.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrap);
    std::vector<QRectF> ink;  // each line's ink, from its own baseline
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width());
        const QString t = text().mid(l.textStart(), l.textLength()).trimmed();
        out.push_back({t, QPointF((width() - fm.horizontalAdvance(t)) / 2, 0)});
        ink.push_back(fm.tightBoundingRect(t));
    }
    layout.endLayout();

    const auto inkSpan = [&](qreal step) {
        qreal top = ink[0].top(), bottom = ink[0].bottom();
        for (size_t i = 1; i < ink.size(); ++i) {
            top = std::min(top, ink[i].top() + i * step);
            bottom = std::max(bottom, ink[i].bottom() + i * step);
        }
        return std::pair{top, bottom};
    };
    qreal step = fm.height();
    if (out.size() > 1) {
        auto [top, bottom] = inkSpan(step);
        if (bottom - top > height()) {
            // Closer lines, but never so close that one line's ink meets the next one's.
            qreal closest = 0;
            for (size_t i = 1; i < ink.size(); ++i) closest = std::max(closest, ink[i - 1].bottom() - ink[i].top() + 1);
            step = std::max(closest, step - (bottom - top - height()) / (out.size() - 1));
        }
    }
    const auto [top, bottom] = inkSpan(step);
    const qreal first = (height() - (bottom - top)) / 2 - top;
    for (size_t i = 0; i < out.size(); ++i) out[i].baseline.setY(first + i * step);
    return out;
}

void ButtonCaption::drawLine(QPainter& p, const Line& line) const {
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    p.drawText(line.baseline, line.text);
}

void ButtonCaption::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (const Line& l : lines()) drawLine(p, l);
}

// The dark frame follows the focus from button to button, and back to the default button.
void ButtonWidget::focusInEvent(QFocusEvent* e) {
    QPushButton::focusInEvent(e);
    repaintButtons();
}

void ButtonWidget::focusOutEvent(QFocusEvent* e) {
    QPushButton::focusOutEvent(e);
    repaintButtons();
}

void ButtonWidget::repaintButtons() {
    for (ButtonWidget* b : window()->findChildren<ButtonWidget*>()) b->update();
}

// --- Drop-down lists

DropDownWidget::DropDownWidget(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] { tellShownEntry(); });
}

void DropDownWidget::tellShownEntry() {
    if (isEditable()) return;  // its edit field tells of its own text
    const QString now = currentText();
    if (now == shown) return;
    const QString before = std::exchange(shown, now);
    if (!QAccessible::isActive()) return;
    // The new entry first, then the old one goes from behind it: a screen reader that
    // speaks inserted text it finds selected speaks the new entry, and nothing of the old.
    if (!now.isEmpty()) {
        QAccessibleTextInsertEvent inserted(this, 0, now);
        QAccessible::updateAccessibility(&inserted);
    }
    if (!before.isEmpty()) {
        QAccessibleTextRemoveEvent removed(this, int(now.size()), before);
        QAccessible::updateAccessibility(&removed);
    }
}

namespace {
// While a combo box takes the focus: what its edit field tells of its selection and caret
// goes nowhere, and the rest on as usual. (Qt has already applied a model change by the
// time a handler sees it, so passing one on would apply it twice; none comes while a box
// takes the focus.)
QObject* g_quietField = nullptr;
QAccessible::UpdateHandler g_nextHandler = nullptr;
void quietFieldSelection(QAccessibleEvent* e) {
    if (e->object() == g_quietField && (e->type() == QAccessible::TextSelectionChanged || e->type() == QAccessible::TextCaretMoved)) return;
    QAccessible::installUpdateHandler(g_nextHandler);
    QAccessible::updateAccessibility(e);
    QAccessible::installUpdateHandler(quietFieldSelection);
}
}  // namespace

// The edit field selects its text as the focus comes by the keyboard, as the platform's did,
// but before the focus itself is told: a screen reader would speak the text as selected,
// again with the focus, and "unselected" at the first arrow press. The text reads with the
// focus alone.
void DropDownWidget::focusInEvent(QFocusEvent* e) {
    if (!isEditable() || !QAccessible::isActive() || g_quietField) return QComboBox::focusInEvent(e);
    g_quietField = lineEdit();
    g_nextHandler = QAccessible::installUpdateHandler(quietFieldSelection);
    QComboBox::focusInEvent(e);
    QAccessible::installUpdateHandler(g_nextHandler);
    g_quietField = nullptr;
}

void DropDownWidget::paintEvent(QPaintEvent* e) {
    if (isEditable() || !hasFocus()) {
        QComboBox::paintEvent(e);
        return;
    }
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    p.fillRect(field, opt.palette.color(QPalette::Highlight));
    const QColor text = opt.palette.color(QPalette::HighlightedText);
    opt.palette.setColor(QPalette::Text, text);
    opt.palette.setColor(QPalette::ButtonText, text);
    p.setPen(text);
    p.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

// --- Single-choice lists

void SingleChoiceSelection::select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) {
    QItemSelection next = command.testFlag(Clear) ? QItemSelection() : this->selection();
    next.merge(selection, command & (Select | Deselect | Toggle));
    if (next.isEmpty() && !allowEmpty && hasSelection()) return;
    // Choosing an entry lets go of the one chosen before, however it was asked for: an
    // assistive technology clears first (refused above) and then adds the entry.
    if (next.indexes().size() > 1) {
        for (const QModelIndex& chosen : selection.indexes()) {
            if (!next.contains(chosen) || isSelected(chosen)) continue;
            QItemSelectionModel::select(QItemSelection(chosen, chosen), ClearAndSelect | (command & (Current | Rows | Columns)));
            return;
        }
    }
    QItemSelectionModel::select(selection, command);
}

void showWholeRows(QListWidget* list) {
    // Every entry is one line of text in the list's font: one measured row stands for all.
    const QSignalBlocker quiet(list);
    list->addItem(QStringLiteral("X"));
    const int row = list->sizeHintForRow(0);
    delete list->takeItem(0);
    if (row <= 0) return;
    const int frame = 2 * list->frameWidth();
    const int rows = std::max(1, (list->height() - frame) / row);
    list->resize(list->width(), rows * row + frame);
}

// --- Style

namespace {
class PlatformStyle : public QProxyStyle {
public:
    PlatformStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size, const QWidget* widget) const override {
        const QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        // A separator keeps a gap on either side of its line, so it shows first in a menu too.
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            type == CT_MenuItem && item && item->menuItemType == QStyleOptionMenuItem::Separator)
            return QSize(s.width(), std::max(s.height(), 9));
        return s;
    }
};
}  // namespace

QStyle* platformStyle() { return new PlatformStyle; }

// --- Tooltips

namespace {
class OwnToolTipOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::ToolTip || !static_cast<QWidget*>(watched)->toolTip().isEmpty()) return false;
        // Handled here, so Qt does not go on to the container's tooltip.
        QToolTip::hideText();
        return true;
    }
};
}  // namespace

void keepOwnToolTip(QWidget* w) {
    static auto* filter = new OwnToolTipOnly(qApp);
    w->installEventFilter(filter);
}

// --- Assistive technology

namespace {

// A frame is a grouping named by its caption.
class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(FrameWidget* w) : QAccessibleWidget(w, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const FrameWidget*>(widget())->caption;
        return QAccessibleWidget::text(t);
    }
};

// A drop-down list or combo box is named by its label, as a list box is. (Qt on Linux would
// name it by its entry, leaving it nameless until a pick.) A drop-down list reads as its
// picked entry, which is how a screen reader tells the user what is picked; a combo box has
// its edit field for that.
class DropDownAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DropDownAccessible(QComboBox* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface && !box()->isEditable()) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable()) return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == box()->view()) return 0;
        if (box()->isEditable() && child->object() == box()->lineEdit()) return 1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QLineEdit* field = box()->lineEdit();
        return field && field->rect().contains(field->mapFromGlobal(QPoint(x, y))) ? child(1) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    // Opening and closing its list, and taking the focus, which a screen reader asks for
    // when it moves to the box.
    QStringList actionNames() const override { return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return QAccessibleWidget::doAction(action);
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The picked entry as read-only text, with no caret of its own.
    QString text(int start, int end) const override { return box()->currentText().mid(start, end - start); }
    int characterCount() const override { return int(box()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    // With the focus, the entry shows highlighted: selected.
    int selectionCount() const override { return box()->hasFocus() && characterCount() > 0 ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = 0;
        *end = index == 0 && selectionCount() ? characterCount() : 0;
    }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String("QWidget")) {
        if (auto* f = dynamic_cast<FrameWidget*>(object)) return new FrameAccessible(f);
        // A picture box and a browser view take the focus, and a screen reader says what they
        // show: a picture, named by the layout.
        if (auto* p = dynamic_cast<PictureBoxWidget*>(object)) return new QAccessibleWidget(p, QAccessible::Graphic);
        if (auto* b = dynamic_cast<BrowserWidget*>(object)) return new QAccessibleWidget(b, QAccessible::Graphic);
    } else if (className == QLatin1String("QComboBox")) {
        if (auto* d = dynamic_cast<DropDownWidget*>(object)) return new DropDownAccessible(d);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() { QAccessible::installFactory(accessibleFor); }

}  // namespace rt
