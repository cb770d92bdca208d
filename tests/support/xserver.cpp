#include "xserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

QString XServer::start() {
    const QString exe = QStandardPaths::findExecutable("Xvfb");
    if (exe.isEmpty()) return {};
    // -displayfd: the server picks a free display and writes its number once it is ready.
    xvfb_.start(exe, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    if (!xvfb_.waitForStarted(5000)) return {};
    QElapsedTimer t;
    t.start();
    QByteArray out;
    while (t.elapsed() < 15000 && !out.contains('\n')) {
        if (!xvfb_.waitForReadyRead(500) && xvfb_.state() == QProcess::NotRunning) return {};
        out += xvfb_.readAllStandardOutput();
    }
    const QString n = QString::fromLatin1(out).trimmed();
    display_ = n.isEmpty() ? QString() : ":" + n;
    return display_;
}

bool XServer::startWindowManager() {
    const QString exe = QStandardPaths::findExecutable("openbox");
    const QString xprop = QStandardPaths::findExecutable("xprop");
    if (exe.isEmpty() || xprop.isEmpty()) {
        wmErrors_ = "openbox or xprop is not installed";
        return false;
    }
    if (display_.isEmpty()) {
        wmErrors_ = "no display";
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    // The settings openbox ships with, not the user's.
    env.insert("XDG_CONFIG_HOME", QDir::temp().filePath("strumvane-no-config"));
    wm_.setProcessEnvironment(env);
    wm_.start(exe, {"--sm-disable"});
    if (!wm_.waitForStarted(5000)) {
        wmErrors_ = "openbox did not start";
        return false;
    }
    // It manages windows once it has named itself on the root window.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 15000 && wm_.state() == QProcess::Running) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(xprop, {"-root", "_NET_SUPPORTING_WM_CHECK"});
        if (p.waitForFinished(5000) && p.readAllStandardOutput().contains("window id #")) return true;
        QThread::msleep(100);
    }
    wmErrors_ = "openbox did not take over the display: " + QString::fromLocal8Bit(wm_.readAllStandardError());
    return false;
}

void XServer::stop() {
    for (QProcess* p : {&wm_, &xvfb_}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(5000)) p->kill();
        p->waitForFinished(5000);
    }
    display_.clear();
}

QString XServer::errors() { return wmErrors_ + QString::fromLocal8Bit(xvfb_.readAllStandardError()); }
