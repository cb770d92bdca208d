#pragma once
// Control handles. A window class holds its controls as named members of these types;
// every load builds the real controls afresh from the window's layout and binds the
// handles to them, every unload destroys them. Using a handle of an unloaded window
// raises a RuntimeError.

#include "runtime/picture.h"
#include "runtime/types.h"

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QWidget;
class QAction;

namespace rt {

class Form;

class Control {
public:
    Control(Form* owner, const char* name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's name as the layouts and tests know it ("cmdStrumMe", "optRoot_3").
    QString Name() const;
    const char* baseName() const { return name_; }
    int Index() const { return index_; }
    Form& Parent() const { return *owner_; }
    virtual bool isBound() const;

    bool Visible() const;
    void setVisible(bool visible);
    bool Enabled() const;
    void setEnabled(bool enabled);
    QString ToolTipText() const;
    // Moves the keyboard focus to the control.
    void SetFocus();

    // Position and size in the container's units (twips).
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setHeight(int twips);

    // The widget behind the handle; raises RuntimeError while the window is not loaded.
    QWidget* widget() const;
    // The widget, or null while unloaded (menu items have none).
    QWidget* boundWidget() const noexcept;

protected:
    friend class Form;
    friend class Designer;
    void bind(QWidget* w);
    virtual void unbind();

private:
    Form* owner_;
    const char* name_;
    int index_;
    QPointer<QWidget> widget_;
};

class CommandButton : public Control {
public:
    using Control::Control;
    QString Caption() const;
    void setCaption(const QString& caption);
    bool Default() const;
    // Makes this the window's default button, taking the role from any other.
    void setDefault(bool isDefault);
    // Presses the button as the user would (runs its Click handler if it is visible and enabled).
    void click();
    std::function<void()> Click;
};

class OptionButton : public Control {
public:
    using Control::Control;
    QString Caption() const;
    bool Value() const;
    void setValue(bool value);
    // Picks the option as the user would (runs its Click handler).
    void click();
    std::function<void()> Click;
};

class ListBox : public Control {
public:
    using Control::Control;
    void AddItem(const QString& item);
    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const;  // -1 while nothing is selected
    void setListIndex(int index);
    QString Text() const;   // the selected entry, "" while none is selected
    std::function<void()> Click;
};

class ComboBox : public Control {
public:
    using Control::Control;
    void AddItem(const QString& item);
    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const;  // the edit field's text, or the picked entry of a drop-down list
    void setText(const QString& text);
    std::function<void()> Click;
};

class Label : public Control {
public:
    using Control::Control;
    QString Caption() const;
    // An auto-sizing label fits its size to the new caption.
    void setCaption(const QString& caption);
};

class Image : public Control {
public:
    using Control::Control;
    const rt::Picture& Picture() const;
    void setPicture(const rt::Picture& picture);
    bool Stretch() const;
};

class PictureBox : public Control {
public:
    using Control::Control;
    const rt::Picture& Picture() const;
    void setPicture(const rt::Picture& picture);
};

class Frame : public Control {
public:
    using Control::Control;
    QString Caption() const;
};

class Line : public Control {
public:
    using Control::Control;
};

// A picture panel's view of a local file, shown as a web browser shows an image file:
// at its own size, animated when the file is animated, nothing for a missing file.
class WebBrowser : public Control {
public:
    using Control::Control;
    void Navigate(const QString& location);
    QString LocationURL() const;
    bool showsPicture() const;
};

class Menu : public Control {
public:
    using Control::Control;
    QString Caption() const;
    // Chooses the item as the user would.
    void trigger();
    QAction* action() const;
    std::function<void()> Click;

private:
    friend class Form;
    void bindAction(QAction* a);
    void unbind() override;
    bool isBound() const override;
    QPointer<QAction> action_;
};

// A control array: Name(0) .. Name(N-1), each with the array's Click handler.
template <class C, int N>
class ControlArray {
public:
    ControlArray(Form* owner, const char* name) : items_(make(owner, name, std::make_integer_sequence<int, N>{})) {
        for (int i = 0; i < N; ++i) items_[i].Click = [this, i] { if (Click) Click(i); };
    }
    C& operator()(int index) { return items_.at(static_cast<size_t>(index)); }
    const C& operator()(int index) const { return items_.at(static_cast<size_t>(index)); }
    static constexpr int Count() { return N; }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    std::function<void(int Index)> Click;

private:
    template <int... I>
    static std::array<C, N> make(Form* owner, const char* name, std::integer_sequence<int, I...>) {
        return {C(owner, name, I)...};
    }
    std::array<C, N> items_;
};

}  // namespace rt
