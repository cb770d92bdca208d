#include "runtime/controls.h"

#include "runtime/errors.h"
#include "runtime/faults.h"
#include "runtime/form.h"
#include "runtime/widgets_p.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

namespace rt {

namespace {
template <class W>
W* as(const Control& c) {
    auto* w = qobject_cast<W*>(c.widget());
    if (!w) throw RuntimeError(errInvalidProcedureCall, "Invalid procedure call or argument");
    return w;
}

template <class W>
W* asPlain(const Control& c) {
    auto* w = dynamic_cast<W*>(c.widget());
    if (!w) throw RuntimeError(errInvalidProcedureCall, "Invalid procedure call or argument");
    return w;
}
}  // namespace

Control::Control(Form* owner, const char* name, int index) : owner_(owner), name_(name), index_(index) {
    owner_->registerControl(this);
}

Control::~Control() { owner_->unregisterControl(this); }

QString Control::Name() const {
    QString n = QString::fromLatin1(name_);
    if (index_ >= 0) n += QStringLiteral("_%1").arg(index_);
    return n;
}

bool Control::isBound() const { return !widget_.isNull(); }
QWidget* Control::boundWidget() const noexcept { return widget_.data(); }

void Control::bind(QWidget* w) { widget_ = w; }
void Control::unbind() { widget_ = nullptr; }

QWidget* Control::widget() const {
    if (widget_.isNull()) throw RuntimeError(errObjectUnloaded, "Object was unloaded");
    return widget_.data();
}

bool Control::Visible() const { return !widget()->isHidden(); }
void Control::setVisible(bool visible) {
    QWidget* w = widget();
    raiseIfSimulated(*owner_, Operation::Visible);
    w->setVisible(visible);
}
bool Control::Enabled() const { return widget()->isEnabled(); }
void Control::setEnabled(bool enabled) { widget()->setEnabled(enabled); }
QString Control::ToolTipText() const { return widget()->toolTip(); }
void Control::SetFocus() { widget()->setFocus(Qt::OtherFocusReason); }
int Control::Left() const { return qRound(pixelsToTwips(widget()->x())); }
int Control::Top() const { return qRound(pixelsToTwips(widget()->y())); }
int Control::Width() const { return qRound(pixelsToTwips(widget()->width())); }
int Control::Height() const { return qRound(pixelsToTwips(widget()->height())); }
void Control::setHeight(int twips) {
    QWidget* w = widget();
    w->resize(w->width(), twipsToPixels(twips));
}

// --- CommandButton

QString CommandButton::Caption() const { return asPlain<ButtonWidget>(*this)->property("captionText").toString(); }

void CommandButton::setCaption(const QString& caption) {
    auto* b = asPlain<ButtonWidget>(*this);
    b->setProperty("captionText", caption);
    b->setAccessibleName(accessibleCaption(caption));
    if (auto* l = b->findChild<QLabel*>("caption")) l->setText(caption);
}

bool CommandButton::Default() const {
    widget();
    return Parent().defaultButton_ == this;
}

void CommandButton::setDefault(bool isDefault) {
    auto* b = asPlain<ButtonWidget>(*this);
    Form& f = Parent();
    CommandButton* before = f.defaultButton_;
    if (isDefault)
        f.defaultButton_ = this;
    else if (before == this)
        f.defaultButton_ = nullptr;
    if (before == f.defaultButton_) return;
    // The widgets carry the state too: they draw the dark frame and report it to
    // assistive technology.
    if (before && before->boundWidget()) static_cast<ButtonWidget*>(before->boundWidget())->setDefault(false);
    b->setDefault(isDefault);
}

void CommandButton::click() {
    auto* b = asPlain<ButtonWidget>(*this);
    if (b->isVisibleTo(b->window()) && b->isEnabled()) b->click();
}

// --- OptionButton

QString OptionButton::Caption() const { return as<QRadioButton>(*this)->text(); }
bool OptionButton::Value() const { return as<QRadioButton>(*this)->isChecked(); }
void OptionButton::setValue(bool value) { as<QRadioButton>(*this)->setChecked(value); }
void OptionButton::click() { as<QRadioButton>(*this)->click(); }

// --- ListBox

void ListBox::AddItem(const QString& item) {
    auto* l = as<QListWidget>(*this);
    const QSignalBlocker quiet(l);
    l->addItem(item);
}
int ListBox::ListCount() const { return as<QListWidget>(*this)->count(); }
QString ListBox::List(int index) const {
    auto* item = as<QListWidget>(*this)->item(index);
    return item ? item->text() : QString();
}
int ListBox::ListIndex() const {
    auto* l = as<QListWidget>(*this);
    const auto sel = l->selectedItems();
    return sel.isEmpty() ? -1 : l->row(sel.first());
}
void ListBox::setListIndex(int index) {
    auto* l = as<QListWidget>(*this);
    if (index < -1 || index >= l->count()) throw RuntimeError(errInvalidProcedureCall, "Invalid property value");
    if (index < 0) {
        // Code may leave the list without a choice; the user may not.
        auto* model = static_cast<SingleChoiceSelection*>(l->selectionModel());
        model->allowEmpty = true;
        l->clearSelection();
        model->allowEmpty = false;
    } else
        l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}
QString ListBox::Text() const {
    const int i = ListIndex();
    return i < 0 ? QString() : List(i);
}

// --- ComboBox

void ComboBox::AddItem(const QString& item) {
    auto* c = as<QComboBox>(*this);
    const QSignalBlocker quiet(c);
    const QString text = c->isEditable() ? c->currentText() : QString();
    const int current = c->currentIndex();
    c->addItem(item);
    // Appending never picks an entry nor changes what the edit field reads. Qt picks the
    // first entry added to an empty list; only that is put back, since every change is an
    // event to a screen reader, and one for each entry floods it.
    if (c->currentIndex() != current) c->setCurrentIndex(current);
    if (c->isEditable() && c->currentText() != text) c->setEditText(text);
}
int ComboBox::ListCount() const { return as<QComboBox>(*this)->count(); }
QString ComboBox::List(int index) const { return as<QComboBox>(*this)->itemText(index); }
int ComboBox::ListIndex() const { return as<QComboBox>(*this)->currentIndex(); }
void ComboBox::setListIndex(int index) { as<QComboBox>(*this)->setCurrentIndex(index); }
QString ComboBox::Text() const { return as<QComboBox>(*this)->currentText(); }
void ComboBox::setText(const QString& text) {
    auto* c = as<QComboBox>(*this);
    if (c->isEditable()) c->setEditText(text);
}

// --- Label

QString Label::Caption() const { return as<QLabel>(*this)->text(); }
void Label::setCaption(const QString& caption) {
    auto* l = as<QLabel>(*this);
    l->setText(caption);
    if (l->property("autoSize").toBool()) {
        const QPoint at = l->pos();
        l->adjustSize();
        l->move(at);
    }
}

// --- Image and PictureBox

const rt::Picture& Image::Picture() const { return asPlain<ImageWidget>(*this)->picture; }
void Image::setPicture(const rt::Picture& picture) { asPlain<ImageWidget>(*this)->setPicture(picture); }
bool Image::Stretch() const { return asPlain<ImageWidget>(*this)->stretch; }

const rt::Picture& PictureBox::Picture() const { return asPlain<PictureBoxWidget>(*this)->picture; }
void PictureBox::setPicture(const rt::Picture& picture) {
    auto* p = asPlain<PictureBoxWidget>(*this);
    p->picture = picture;
    p->update();
}

QString Frame::Caption() const { return asPlain<FrameWidget>(*this)->caption; }

// --- WebBrowser

void WebBrowser::Navigate(const QString& location) { asPlain<BrowserWidget>(*this)->navigate(location); }
QString WebBrowser::LocationURL() const { return asPlain<BrowserWidget>(*this)->location; }
bool WebBrowser::showsPicture() const { return asPlain<BrowserWidget>(*this)->showsPicture(); }

// --- Menu

void Menu::bindAction(QAction* a) { action_ = a; }
void Menu::unbind() { action_ = nullptr; }
bool Menu::isBound() const { return !action_.isNull(); }
QAction* Menu::action() const {
    if (action_.isNull()) throw RuntimeError(errObjectUnloaded, "Object was unloaded");
    return action_.data();
}
QString Menu::Caption() const { return action()->text(); }
void Menu::trigger() { action()->trigger(); }

}  // namespace rt
