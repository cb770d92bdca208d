#include "runtime/app.h"

#include "runtime/cursors_p.h"
#include "runtime/widgets_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace rt {

namespace {

bool g_ended = false;
bool g_endsWhenEmpty = true;
int g_exitCode = 0;
MessageHandler g_messageHandler;

// Enter presses the window's default button unless the focus is on another button.
class EnterKeyFilter : public QObject {
protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(ev);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        auto* w = qobject_cast<QWidget*>(obj);
        if (!w) return false;
        auto* win = dynamic_cast<FormWindow*>(w->window());
        if (!win || win->form()->window() != win) return false;
        // Key events go to the widget with the focus.
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (dynamic_cast<ButtonWidget*>(b)) {
                b->click();
                return true;
            }
            return false;
        }
        CommandButton* def = win->form()->defaultButton();
        if (!def || !def->isBound()) return false;
        def->click();
        return true;
    }
};

}  // namespace

namespace {
QString g_pathOverride;
}

void App::setPathForTests(const QString& folder) { g_pathOverride = folder; }

QString App::Path() {
    if (!g_pathOverride.isEmpty()) return g_pathOverride;
    // applicationDirPath reads /proc/self/exe, so a launcher symlink resolves to the real folder.
    QString dir = QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith('/')) dir.chop(1);
    return dir;
}

QString App::Title() { return QStringLiteral("Strumvane"); }

bool App::hasGraphicalSession() {
    // Qt would abort here, with advice to reinstall the program.
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return true;
    std::fputs("strumvane: needs a graphical session: neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
    return false;
}

void App::init(int& argc, char** argv) {
    // Never destroyed: the application lives until the process ends.
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
    static bool done = false;
    if (done) return;
    done = true;
    QApplication::setApplicationName(Title());
    QApplication::setStyle(platformStyle());
    QApplication::setFont(qtFont(kDefaultFont));
    QApplication::setWindowIcon(iconFor(Icon::ChordGrid));
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(new EnterKeyFilter);
    installAccessibility();
}

int App::exec(const std::function<void()>& startUp) {
    dispatch(startUp);
    if (!g_ended) QApplication::exec();
    return g_exitCode;
}

bool App::ended() { return g_ended; }
void App::resetEnded() {
    g_ended = false;
    g_exitCode = 0;
}

void App::setEndsWhenLastWindowCloses(bool ends) { g_endsWhenEmpty = ends; }

void App::noteFormsEmpty() {
    if (!g_endsWhenEmpty) return;
    g_ended = true;
    QCoreApplication::exit(g_exitCode);
}

void App::fatal(const QString& message) {
    MsgBox(message);
    g_exitCode = 1;
    g_ended = true;
    // The program ends at once: no window runs its unload handlers.
    for (Form* f : Forms())
        if (f->window()) f->window()->hide();
    QCoreApplication::exit(g_exitCode);
}

void setMessageHandler(MessageHandler handler) { g_messageHandler = std::move(handler); }

void MsgBox(const QString& prompt) {
    if (g_messageHandler) {
        g_messageHandler(prompt);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, App::Title(), prompt, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    // No glyph anywhere: some styles put one on the OK button.
    for (QAbstractButton* b : box.buttons()) b->setIcon(QIcon());
    box.exec();
}

}  // namespace rt

#include <QElapsedTimer>
namespace rt {
void processEventsFor(int milliseconds) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < milliseconds);
}
}  // namespace rt
