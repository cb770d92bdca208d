#pragma once
// A window class. Each has one instance for the whole run (see instance<T>()), created
// on first reference; Show loads it from its layout if needed, Unload destroys its
// controls but keeps the instance and its variables.

#include "runtime/controls.h"
#include "runtime/layout.h"

#include <QString>

class QWidget;
#include <functional>
#include <vector>

namespace rt {

class FormWindow;

class Form {
public:
    explicit Form(const char* className);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const char* Name() const { return className_; }
    bool isLoaded() const { return window_ != nullptr; }

    // Loads the window if it is not loaded (running Form_Load), then brings it to the
    // front as the active window, restored if the user minimised it. Never modal, never owned.
    void Show();
    // Loads the window without showing it. Used by Show.
    void Load();
    // Runs Form_QueryUnload and Form_Unload, destroys the controls and leaves Forms.
    // Does nothing for a window that is not loaded or already unloading.
    void Unload(int mode = vbFormCode);

    QString Caption() const;
    // Prints the client area as it shows now on one page of the default printer, with no
    // dialog. Raises RuntimeError when there is no printer or the print fails.
    void PrintForm();
    // The window's outer height in twips (title bar, menu bar and borders included).
    double Height() const;

    // Handlers a window class may define.
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel; (void)UnloadMode; }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_Resize() {}

    // The default button, if any (Enter presses it unless the focus is on another button).
    CommandButton* defaultButton() const { return defaultButton_; }

    // For tests and tools: the top-level widget while loaded.
    FormWindow* window() const { return window_; }
    QWidget* topLevelWidget() const;
    const std::vector<Control*>& controls() const { return controls_; }
    Control* findControl(const QString& name) const;

protected:
    virtual WindowDesign Window() const = 0;
    virtual Layout Design() = 0;
    virtual MenuBar Menus() { return {}; }

private:
    friend class Control;
    friend class CommandButton;
    friend class FormWindow;
    void registerControl(Control* c) { controls_.push_back(c); }
    void unregisterControl(Control* c);
    void build();
    void destroy();

    const char* className_;
    FormWindow* window_ = nullptr;
    bool unloading_ = false;
    CommandButton* defaultButton_ = nullptr;
    std::vector<Control*> controls_;
};

// The single instance of a window class: the class's registry slot, filled on first
// reference and never emptied.
template <class T>
T& instance() {
    static T* slot = new T();
    return *slot;
}

// The loaded windows. Safe to walk while windows unload: it is a snapshot.
std::vector<Form*> Forms();

// Runs a handler the way the layer runs every event: a RuntimeError that the handler did
// not trap is reported in a message box of the layer's own and ends the program.
void dispatch(const std::function<void()>& handler);
// True while dispatch() runs a handler, also while that handler waits in a message box.
bool handlerRunning();

}  // namespace rt

namespace rt {
// For tests and review tools: saves an image of a loaded window (its frame excluded) to a PNG file.
bool saveWindowImage(const Form& form, const QString& path);
}  // namespace rt
