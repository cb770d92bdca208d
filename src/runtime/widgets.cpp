#include "runtime/widgets_p.h"

#include "runtime/app.h"
#include "runtime/cursors_p.h"
#include "runtime/form.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLayout>
#include <QMovie>
#include <QPainter>
#include <QScreen>
#include <cstdlib>
#include <cstring>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace rt {

Q_LOGGING_CATEGORY(lcWindows, "strumvane.windows", QtWarningMsg)

namespace {
double logicalDpi() {
    static const double dpi = [] {
        const QScreen* s = QGuiApplication::primaryScreen();
        const double d = s ? s->logicalDotsPerInch() : 96.0;
        return d > 0 ? d : 96.0;
    }();
    return dpi;
}

// Logical pixels for a picture's own pixels: a picture keeps its proportions to the
// twips-based layout on high-DPI screens.
QSize pictureSize(const QImage& img) {
    const double f = logicalDpi() / 96.0;
    return QSize(qRound(img.width() * f), qRound(img.height() * f));
}

}  // namespace

void drawPixels(QPainter& p, const QImage& img, const QRect& target) {
    const qreal dpr = p.device()->devicePixelRatioF();
    const QSize device(qRound(target.width() * dpr), qRound(target.height() * dpr));
    if (device == img.size()) {
        p.drawImage(target, img);
        return;
    }
    p.drawImage(target, scaledForDisplay(img, device));
}

int twipsToPixels(int twips) { return qRound(twips * logicalDpi() / 1440.0); }
double pixelsToTwips(int pixels) { return pixels * 1440.0 / logicalDpi(); }

QImage scaledForDisplay(const QImage& src, QSize size) {
    if (src.isNull() || size.isEmpty()) return QImage();
    QImage base = src.format() == QImage::Format_Mono || src.format() == QImage::Format_MonoLSB
                      ? src.convertToFormat(QImage::Format_Grayscale8)
                      : src;
    // Shrinking averages each target pixel over its whole source area, so one-pixel
    // strings stay visible as grey; growing repeats pixels and stays crisp.
    const bool shrinking = size.width() < src.width() || size.height() < src.height();
    return base.scaled(size, Qt::IgnoreAspectRatio, shrinking ? Qt::SmoothTransformation : Qt::FastTransformation);
}

QColor qtColor(Rgb c) { return QColor(c.r, c.g, c.b); }

void setBackColor(QWidget* w, Rgb c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, qtColor(c));
    p.setColor(w->backgroundRole(), qtColor(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setBoxColor(QWidget* w, Rgb c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, qtColor(c));
    p.setColor(QPalette::Base, qtColor(c));
    p.setColor(QPalette::Button, qtColor(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

namespace {

// What a window's frame shows and lets the user do, from its design: the minimise and
// maximise buttons come only with a control box.
struct FrameHints {
    bool sizable, close, minimise, maximise;
};

FrameHints frameOf(const WindowDesign& d) {
    return {d.border != Border::FixedSingle, d.controlBox, d.controlBox && d.minButton, d.controlBox && d.maxButton};
}

#if QT_CONFIG(xcb)
xcb_connection_t* xConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t xAtom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}
#endif

// Tells the X window manager which decorations and functions the window has (Motif hints,
// which the common window managers read). Qt's own hint asks a window with a caption only
// for nothing but its functions, so window managers keep every decoration, and lets a
// fixed window be resized.
void askForFrame(QWidget* w, const FrameHints& f) {
#if QT_CONFIG(xcb)
    xcb_connection_t* c = xConnection();
    if (!c) return;
    enum : uint32_t { HasFunctions = 1, HasDecorations = 2 };
    enum : uint32_t { Resize = 2, Move = 4, Minimise = 8, Maximise = 16, Close = 32 };
    enum : uint32_t { Edges = 2, ResizeHandles = 4, Title = 8, Menu = 16, MinimiseButton = 32, MaximiseButton = 64 };
    uint32_t functions = Move, decorations = Edges | Title;
    if (f.sizable) functions |= Resize, decorations |= ResizeHandles;
    if (f.close) functions |= Close, decorations |= Menu;
    if (f.minimise) functions |= Minimise, decorations |= MinimiseButton;
    if (f.maximise) functions |= Maximise, decorations |= MaximiseButton;
    const uint32_t hints[5] = {HasFunctions | HasDecorations, functions, decorations, 0, 0};

    static const xcb_atom_t atom = xAtom(c, "_MOTIF_WM_HINTS");
    if (atom == XCB_ATOM_NONE) return;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(w->winId()), atom, atom, 32, 5, hints);
    xcb_flush(c);
#else
    (void)w;
    (void)f;
#endif
}

#if QT_CONFIG(xcb)
// The window as the X server has it: mapped or not, and the state the window manager wrote.
QString xState(xcb_connection_t* c, xcb_window_t w) {
    QString mapped = "unknown";
    if (auto* a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr)) {
        mapped = a->map_state == XCB_MAP_STATE_VIEWABLE ? "viewable" : a->map_state == XCB_MAP_STATE_UNMAPPED ? "unmapped" : "unviewable";
        free(a);
    }
    QString wmState = "none";
    const xcb_atom_t atom = xAtom(c, "WM_STATE");
    if (auto* p = xcb_get_property_reply(c, xcb_get_property(c, 0, w, atom, atom, 0, 2), nullptr)) {
        if (p->format == 32 && xcb_get_property_value_length(p) >= 4) {
            const uint32_t v = *static_cast<const uint32_t*>(xcb_get_property_value(p));
            wmState = v == 1 ? "Normal" : v == 3 ? "Iconic" : v == 0 ? "Withdrawn" : QString::number(v);
        }
        free(p);
    }
    return QStringLiteral("X: %1, WM_STATE %2").arg(mapped, wmState);
}
#endif

}  // namespace

QString windowSeen(QWidget* w) {
    QString seen = QStringLiteral("Qt: %1, state 0x%2").arg(w->isVisible() ? "visible" : "hidden").arg(int(w->windowState()), 0, 16);
#if QT_CONFIG(xcb)
    if (xcb_connection_t* c = xConnection(); c && w->testAttribute(Qt::WA_WState_Created))
        seen += "; " + xState(c, static_cast<xcb_window_t>(w->winId()));
#endif
    return seen;
}

void bringBack(QWidget* w) {
    if (w->isMinimized()) {
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        return;
    }
#if QT_CONFIG(xcb)
    // Qt may have heard that the window went off the screen but not yet that it was
    // iconified: it then holds its activation back until the window is mapped again, which
    // nothing else would do. Mapping it asks the window manager to bring it back (ICCCM
    // 4.1.4); a mapped window ignores it.
    if (xcb_connection_t* c = xConnection()) {
        xcb_map_window(c, static_cast<xcb_window_t>(w->winId()));
        xcb_flush(c);
    }
#endif
}

FormWindow::FormWindow(Form* form, const WindowDesign& design) : form_(form), design_(design) {
    setObjectName(QString::fromLatin1(form->Name()));
    setWindowTitle(design.caption);
    // The buttons in Qt's terms too, from which window managers that read no Motif hints
    // take what the window allows.
    const FrameHints frame = frameOf(design);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (frame.close) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (frame.minimise) flags |= Qt::WindowMinimizeButtonHint;
    if (frame.maximise) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* area = new ClientArea(this);
    area->setObjectName("client");
    client_ = area;
    if (design.backColor) setBackColor(area, *design.backColor);
    if (!design.backgroundPicture.isEmpty()) area->background = LoadBuiltInPicture(design.backgroundPicture);
    area->setFixedSize(twipsToPixels(design.width), twipsToPixels(design.height));
    setCentralWidget(area);
    if (design.pointer != Pointer::System) setCursor(cursorFor(design.pointer));
    if (design.icon != Icon::None) setWindowIcon(iconFor(design.icon));
}

void FormWindow::finishLayout() {
    if (design_.border == Border::FixedSingle) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        // A sizable window starts at its design size; what lies inside never moves.
        const QSize client = client_->size();
        client_->setMinimumSize(0, 0);
        client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        client_->resize(client);
        adjustSize();
        resize(client.width(), client.height() + (menuWidget() ? menuWidget()->sizeHint().height() : 0));
    }
    move(twipsToPixels(design_.left), twipsToPixels(design_.top));
}

bool FormWindow::event(QEvent* e) {
    // The native window exists now and is not yet mapped: the window manager reads the
    // hints when it takes the window on.
    if (e->type() == QEvent::WinIdChange) askForFrame(this, frameOf(design_));
    if (e->type() == QEvent::WindowStateChange) qCDebug(lcWindows).noquote() << "state change:" << windowTitle() << windowSeen(this);
    return QMainWindow::event(e);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The layer decides: the window goes only through its form's Unload.
    e->ignore();
    if (!design_.controlBox || form_->window() != this) return;
    Form* f = form_;
    dispatch([f] { f->Unload(vbFormControlMenu); });
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (form_->window() != this) return;
    Form* f = form_;
    dispatch([f] { f->Form_Resize(); });
}

void ClientArea::paintEvent(QPaintEvent*) {
    if (background.isEmpty()) return;
    QPainter p(this);
    const QImage& img = *background.image();
    drawPixels(p, img, QRect(QPoint(0, 0), pictureSize(img)));
}

void ImageWidget::setPicture(const rt::Picture& p) {
    picture = p;
    if (!stretch && !p.isEmpty()) {
        // An image that does not stretch takes the size of its picture.
        const int b = border ? 2 : 0;
        resize(pictureSize(*p.image()) + QSize(2 * b, 2 * b));
    }
    update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int b = border ? 2 : 0;
    if (border) {
        p.setPen(QColor(128, 128, 128));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (picture.isEmpty()) return;
    picture.draw(p, stretch ? rect() : QRect(QPoint(b, b), pictureSize(*picture.image())));
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
    if (picture.isEmpty()) return;
    QPainter p(this);
    picture.draw(p, QRect(QPoint(0, 0), pictureSize(*picture.image())));
}

void FrameWidget::paintEvent(QPaintEvent*) {
    if (caption.isEmpty()) return;  // its background is all there is
    QPainter p(this);
    const QFontMetrics fm(font());
    const int y = fm.height() / 2;
    const QRect box = rect().adjusted(0, y, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(box.adjusted(1, 1, 0, 0));
    const QRect text(8, 0, fm.horizontalAdvance(caption) + 4, fm.height());
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(text, Qt::AlignCenter, caption);
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
}

void BrowserWidget::navigate(const QString& loc) {
    location = loc;
    delete movie_;
    movie_ = nullptr;
    if (QFile::exists(loc)) {
        auto* m = new QMovie(loc, QByteArray(), this);
        if (m->isValid()) {
            movie_ = m;
            connect(m, &QMovie::frameChanged, this, [this] { update(); });
            m->start();
        } else {
            delete m;
        }
    }
    update();
}

bool BrowserWidget::showsPicture() const { return movie_ && !movie_->currentImage().isNull(); }

void BrowserWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!movie_) return;
    const QImage img = movie_->currentImage();
    if (img.isNull()) return;
    // A browser page sets an image 120 twips in and 360 down; the box that holds this
    // view clips exactly that margin, so the picture starts at the box's corner.
    drawPixels(p, img, QRect(QPoint(twipsToPixels(120), twipsToPixels(360)), pictureSize(img)));
}

}  // namespace rt

namespace rt {
QWidget* Form::topLevelWidget() const { return window_; }

bool saveWindowImage(const Form& form, const QString& path) {
    if (!form.window()) return false;
    return form.window()->grab().save(path);
}
}  // namespace rt
