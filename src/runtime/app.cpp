#include "runtime/app.h"

#include "runtime/cursors_p.h"
#include "runtime/widgets_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QScreen>
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

// A message box centred over its owner, and wide enough that the window manager can show
// the whole title beside its buttons: Qt sizes it for the title in the application's font,
// not in the title bar's.
class MessageBoxWindow : public QMessageBox {
public:
    MessageBoxWindow(const QString& prompt, QWidget* owner) : QMessageBox(QMessageBox::NoIcon, App::Title(), prompt, QMessageBox::Ok, owner) {
        QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        titleFont.setBold(true);  // as most window managers draw titles
        const QFontMetrics fm(titleFont);
        // Room for an icon and three buttons of the title bar's height, and a margin either side.
        const int allowance = 4 * (fm.height() + 8) + 2 * fm.height();
        // The box takes the width its layout needs whenever it sizes itself.
        if (auto* grid = qobject_cast<QGridLayout*>(layout()))
            grid->addItem(new QSpacerItem(fm.horizontalAdvance(windowTitle()) + allowance - 2 * grid->contentsMargins().left(), 0,
                                          QSizePolicy::Fixed, QSizePolicy::Minimum),
                          grid->rowCount(), 0, 1, grid->columnCount());
    }

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);  // sizes the box
        QWidget* owner = parentWidget();
        if (!owner) return;
        QRect place(QPoint(0, 0), size());
        place.moveCenter(owner->window()->geometry().center());
        if (const QScreen* screen = owner->screen()) {
            const QRect room = screen->availableGeometry();
            place.moveLeft(qBound(room.left(), place.left(), qMax(room.left(), room.right() + 1 - place.width())));
            place.moveTop(qBound(room.top(), place.top(), qMax(room.top(), room.bottom() + 1 - place.height())));
        }
        move(place.topLeft());
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
    // It belongs to the window that raised it and stands over it.
    QWidget* owner = QApplication::activeWindow();
    MessageBoxWindow box(prompt, owner);
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
