#include "xserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

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

bool XServer::startWindowManager(const QString& name) {
    const QString exe = QStandardPaths::findExecutable(name);
    const QString xprop = QStandardPaths::findExecutable("xprop");
    if (exe.isEmpty() || xprop.isEmpty()) {
        wmErrors_ = name + " or xprop is not installed";
        return false;
    }
    if (display_.isEmpty()) {
        wmErrors_ = "no display";
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    // The settings each ships with, not the user's.
    env.insert("XDG_CONFIG_HOME", QDir::temp().filePath("strumvane-no-config"));
    env.insert("GSETTINGS_BACKEND", "memory");
    env.insert("NO_AT_BRIDGE", "1");
    QStringList args;
    if (name == "openbox" || name == "metacity") {
        // metacity composites, as on a desktop: its frames then hold the window further in.
        args = {"--sm-disable"};
    } else if (name == "xfwm4") {
        // xfwm4 reads its settings, its defaults included, from xfconfd over a session bus;
        // a bus of its own, so that xfconfd ends with it.
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty()) {
            wmErrors_ = "dbus-daemon is not installed";
            return false;
        }
        bus_.setProcessEnvironment(env);
        bus_.start(daemon, {"--session", "--nofork", "--print-address"});
        QByteArray address;
        QElapsedTimer t;
        t.start();
        const bool started = bus_.waitForStarted(5000);
        while (started && t.elapsed() < 15000 && !address.contains('\n')) {
            if (!bus_.waitForReadyRead(500) && bus_.state() == QProcess::NotRunning) break;
            address += bus_.readAllStandardOutput();
        }
        if (!address.contains('\n')) {
            wmErrors_ = "no session bus for xfwm4: " + QString::fromLocal8Bit(bus_.readAllStandardError());
            return false;
        }
        env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromLocal8Bit(address).trimmed());
        // Its compositor fades windows in: a screenshot would catch their frames half drawn.
        args = {"--compositor=off", "--sm-client-disable"};
    } else {
        wmErrors_ = "no such window manager here: " + name;
        return false;
    }
    wm_.setProcessEnvironment(env);
    wm_.start(exe, args);
    if (!wm_.waitForStarted(5000)) {
        wmErrors_ = name + " did not start";
        return false;
    }
    // It manages windows once it has named itself on the root window.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000 && wm_.state() == QProcess::Running) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(xprop, {"-root", "_NET_SUPPORTING_WM_CHECK"});
        if (p.waitForFinished(5000) && p.readAllStandardOutput().contains("window id #")) return true;
        QThread::msleep(100);
    }
    wmErrors_ = name + " did not take over the display: " + QString::fromLocal8Bit(wm_.readAllStandardError());
    return false;
}

namespace {

using Connection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

xcb_atom_t atomNamed(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

// Sends a window's client one of the window manager's messages (WM_PROTOCOLS).
void sendProtocol(xcb_connection_t* c, xcb_window_t window, xcb_atom_t protocol, uint32_t time) {
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = window;
    e.type = atomNamed(c, "WM_PROTOCOLS");
    e.data.data32[0] = protocol;
    e.data.data32[1] = time;
    e.data.data32[2] = window;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
}

// A connection of the test's own to the display; none when it cannot be had.
Connection connectTo(const QString& display) {
    Connection c(display.isEmpty() ? nullptr : xcb_connect(display.toLocal8Bit().constData(), nullptr), xcb_disconnect);
    if (c && xcb_connection_has_error(c.get())) c.reset();
    return c;
}

}  // namespace

bool XServer::askToClose(const QString& windowId) {
    bool ok = false;
    const xcb_window_t window = windowId.toUInt(&ok, 0);
    const Connection c = connectTo(display_);
    if (!ok || !c) return false;
    sendProtocol(c.get(), window, atomNamed(c.get(), "WM_DELETE_WINDOW"), XCB_CURRENT_TIME);
    // A round trip: the server has taken the request before the connection goes.
    free(xcb_get_input_focus_reply(c.get(), xcb_get_input_focus(c.get()), nullptr));
    return !xcb_connection_has_error(c.get());
}

bool XServer::ping(const QString& windowId, int ms) {
    bool ok = false;
    const xcb_window_t window = windowId.toUInt(&ok, 0);
    const Connection c = connectTo(display_);
    if (!ok || !c) return false;
    // The answer goes to the root window, to whoever listens for its structure.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c.get())).data->root;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c.get(), root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atomNamed(c.get(), "WM_PROTOCOLS"), pingAtom = atomNamed(c.get(), "_NET_WM_PING");
    const uint32_t stamp = 0x5f1d;  // the "time", told apart from the window manager's pings
    sendProtocol(c.get(), window, pingAtom, stamp);
    xcb_flush(c.get());

    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        while (xcb_generic_event_t* ev = xcb_poll_for_event(c.get())) {
            const std::unique_ptr<xcb_generic_event_t, void (*)(void*)> owned(ev, free);
            if ((ev->response_type & 0x7f) != XCB_CLIENT_MESSAGE) continue;
            const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(ev);
            if (m->type == protocols && m->data.data32[0] == pingAtom && m->data.data32[1] == stamp && m->data.data32[2] == window)
                return true;
        }
        if (xcb_connection_has_error(c.get())) return false;
        QThread::msleep(10);
    }
    return false;
}

void XServer::stop() {
    for (QProcess* p : {&wm_, &bus_, &xvfb_}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(5000)) p->kill();
        p->waitForFinished(5000);
    }
    display_.clear();
}

QString XServer::errors() { return wmErrors_ + QString::fromLocal8Bit(xvfb_.readAllStandardError()); }
