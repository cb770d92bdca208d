#pragma once
// The program as a whole: start-up, its folder and title, message boxes, the end.

#include "runtime/form.h"

#include <QString>
#include <functional>

namespace rt {

class App {
public:
    // The folder that holds the executable (symlinks resolved), without a trailing separator.
    static QString Path();
    // For tests: the folder Path() reports (empty: the executable's own again).
    static void setPathForTests(const QString& folder);
    // The application's title: the caption of every message box.
    static QString Title();

    // Creates the Qt application, loads and shows the start-up window and runs the
    // message loop until no window is loaded. Returns the exit code.
    // Without a display to show it on, says so on stderr and returns 1 before Qt starts.
    template <class StartUp>
    static int run(int& argc, char** argv) {
        if (!hasGraphicalSession()) return 1;
        init(argc, argv);
        return exec([] { instance<StartUp>().Show(); });
    }

    // True when there is a display to open, or a Qt platform is chosen; else prints why not.
    static bool hasGraphicalSession();
    // Sets up the Qt application and the layer (fonts, the Enter key); idempotent.
    static void init(int& argc, char** argv);
    static int exec(const std::function<void()>& startUp);

    // True once the last window has gone, or an untrapped failure ended the program.
    static bool ended();
    // For tests: forget that the program ended.
    static void resetEnded();
    // For tests and tools that open windows without the main window: normally the program
    // ends when its last window closes.
    static void setEndsWhenLastWindowCloses(bool ends);

    // Called by the layer.
    static void noteFormsEmpty();
    static void fatal(const QString& message);
};

// An application-modal message box with the prompt, an OK button only and no icon,
// captioned with the application's title.
void MsgBox(const QString& prompt);

// The seam through which tests see each prompt and answer it without a person. While a
// handler is set, MsgBox calls it instead of showing a box.
using MessageHandler = std::function<void(const QString& prompt)>;
void setMessageHandler(MessageHandler handler);

}  // namespace rt

namespace rt {
// For tests and tools: runs the message loop for the given time.
void processEventsFor(int milliseconds);
}  // namespace rt
