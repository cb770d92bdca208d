#pragma once
// An X server of a test's own (Xvfb on a display it picks itself), for running the built
// program as on a desktop, with a window manager on it when the test asks for one. Whatever
// it starts, it ends with stop().

#include <QProcess>
#include <QString>

class XServer {
public:
    XServer() = default;
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    ~XServer() { stop(); }

    // Starts Xvfb on a free display and returns its name (":5"); empty when it cannot start.
    QString start();
    // Starts a window manager on the display ("openbox", "metacity" or "xfwm4"), with its
    // default settings, not the user's, and waits until it manages windows. False, with the
    // reason in errors(), when it cannot.
    bool startWindowManager(const QString& name = "openbox");
    void stop();
    // Pings the program that owns a top-level window (_NET_WM_PING) and waits for its answer:
    // once it comes, the program has handled everything the X server sent it before the ping.
    // False when no answer comes in the time given.
    bool ping(const QString& windowId, int ms = 20000);
    // Asks a top-level window to close, as its close box does through a window manager.
    bool askToClose(const QString& windowId);
    // What Xvfb (or the window manager) said, for a skip message.
    QString errors();

private:
    QProcess xvfb_;
    QProcess wm_;
    QProcess bus_;  // a session bus for a window manager that keeps its settings behind one
    QString display_;
    QString wmErrors_;
};
