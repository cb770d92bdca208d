#pragma once
// An X server of a test's own (Xvfb on a display it picks itself), for running the built
// program as on a desktop, with a window manager on it when the test asks for one.

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
    // Starts openbox on the display, with its default settings, and waits until it manages
    // windows. False, with the reason in errors(), when it cannot.
    bool startWindowManager();
    void stop();
    // What Xvfb (or the window manager) said, for a skip message.
    QString errors();

private:
    QProcess xvfb_;
    QProcess wm_;
    QString display_;
    QString wmErrors_;
};
