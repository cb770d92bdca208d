#include "xserver.h"

#include <QElapsedTimer>
#include <QStandardPaths>

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
    return n.isEmpty() ? QString() : ":" + n;
}

void XServer::stop() {
    if (xvfb_.state() == QProcess::NotRunning) return;
    xvfb_.terminate();
    if (!xvfb_.waitForFinished(5000)) xvfb_.kill();
    xvfb_.waitForFinished(5000);
}

QString XServer::errors() { return QString::fromLocal8Bit(xvfb_.readAllStandardError()); }
