#pragma once
// An X server of a test's own (Xvfb on a display it picks itself), for running the built
// program as on a desktop.

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
    void stop();
    // What Xvfb said, for a skip message.
    QString errors();

private:
    QProcess xvfb_;
};
