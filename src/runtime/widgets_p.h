#pragma once
// The Qt widgets behind the control handles. Internal to the layer.

#include "runtime/layout.h"
#include "runtime/picture.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLoggingCategory>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include <vector>

class QListWidget;
class QMovie;

namespace rt {

class Form;

QFont qtFont(const Font& f);
QColor qtColor(Rgb c);
// A control's or a container's background colour. What it holds (an option's circle, a
// list inside a frame) keeps the system's colours.
void setBackColor(QWidget* w, Rgb c);
// A box that shows text on its own background (a list, a combo box): its inside too.
void setBoxColor(QWidget* w, Rgb c);
// The name a control shows to assistive technology for a caption: without its padding blanks.
QString accessibleCaption(const QString& caption);

// What the windows go through with the window manager ("strumvane.windows", off unless
// QT_LOGGING_RULES turns it on): a rare fault on another desktop is then read from a log.
Q_DECLARE_LOGGING_CATEGORY(lcWindows)
// Qt's idea of a top-level window's state and, on X11, the X server's, for that log.
QString windowSeen(QWidget* w);

// Brings a top-level window the user minimised back to the screen.
void bringBack(QWidget* w);

// The top-level window of a loaded form.
class FormWindow : public QMainWindow {
public:
    FormWindow(Form* form, const WindowDesign& design);
    Form* form() const { return form_; }
    QWidget* client() const { return client_; }
    const WindowDesign& design() const { return design_; }
    void finishLayout();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    Form* form_;
    WindowDesign design_;
    QWidget* client_;
};

// The client area: draws the window's background picture, if any.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent) : QWidget(parent) {}
    rt::Picture background;

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A command button, drawn as the platform drew one: a raised edge on its face colour, sunk
// while pressed, a dotted rectangle when it has the focus, and a dark frame around the
// button that Enter presses (the focused button, else the window's default button).
class ButtonWidget : public QPushButton {
public:
    explicit ButtonWidget(QWidget* parent) : QPushButton(parent) {}
    // True while Enter would press this button.
    bool marksEnter() const;
    // The dotted rectangle drawn while the button has the focus.
    static QRect focusMark(QSize button);

protected:
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void repaintButtons();
};

// The caption of a command button, inside the button's focus mark: its words wrapped onto
// centred lines, and the ink of all its lines centred in that space. The lines stand a
// font's height apart, closer where that would carry the ink past the focus mark.
class ButtonCaption : public QLabel {
public:
    ButtonCaption(const QString& text, ButtonWidget* button);
    // Where the caption goes in a button of that size: just inside its focus mark.
    static QRect box(QSize button);

    struct Line {
        QString text;
        QPointF baseline;  // the left end of its baseline, in the caption's coordinates
    };
    std::vector<Line> lines() const;
    // Draws one line as the caption shows it, in the caption's coordinates but unclipped: a
    // check can see ink that the caption's edges would cut off.
    void drawLine(QPainter& p, const Line& line) const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A drop-down list or combo box: with the focus, a drop-down list shows its text highlighted.
// A drop-down list tells assistive technology when the entry it shows changes; a combo box
// lets the focus alone tell of its edit field's text as Tab brings it.
class DropDownWidget : public QComboBox {
public:
    explicit DropDownWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void tellShownEntry();
    QString shown;  // the entry assistive technology was last told of
};

// The selection of a single-choice list: at most one entry is chosen, whoever chooses it,
// and once an entry is chosen, nothing the user does (a click below the entries, Ctrl+click
// or Ctrl+Space on the chosen entry, an assistive technology's clear) leaves the list
// without one. Code may still clear it.
class SingleChoiceSelection : public QItemSelectionModel {
public:
    using QItemSelectionModel::QItemSelectionModel;
    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;
    bool allowEmpty = false;
};

// Shrinks a list box, in its font, to the most whole rows its height holds, as the
// platform's list box did: no row is cut at its bottom.
void showWholeRows(QListWidget* list);

// The application's style: Fusion, with the menus' separators as tall as the platform's.
QStyle* platformStyle();
// Shows a control to assistive technology as the platform did (frames as named groupings,
// drop-down lists named by their label and read as their picked entry, picture boxes and
// browser views as pictures); installed once with the application.
void installAccessibility();
// Stops a control that has no tooltip of its own from showing its container's.
void keepOwnToolTip(QWidget* w);

// An image control: shows its picture stretched to its box, or at its own size.
class ImageWidget : public QWidget {
public:
    explicit ImageWidget(QWidget* parent) : QWidget(parent) {}
    rt::Picture picture;
    bool stretch = false;
    bool border = false;
    void setPicture(const rt::Picture& p);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A picture box: a container that clips its children and may show a picture at its own size.
class PictureBoxWidget : public QWidget {
public:
    explicit PictureBoxWidget(QWidget* parent) : QWidget(parent) {}
    rt::Picture picture;

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A frame: an etched rectangle with its caption set into the top edge; a frame without
// a caption is a plain rectangle of its colour.
class FrameWidget : public QWidget {
public:
    FrameWidget(QWidget* parent, const QString& caption) : QWidget(parent), caption(caption) {}
    QString caption;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class LineWidget : public QWidget {
public:
    LineWidget(QWidget* parent, QColor color, int width) : QWidget(parent), color_(color), width_(width) {}

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor color_;
    int width_;
};

// A browser view of a picture file: the picture at its own size, animated if the file is.
class BrowserWidget : public QWidget {
public:
    explicit BrowserWidget(QWidget* parent) : QWidget(parent) {}
    void navigate(const QString& location);
    QString location;
    bool showsPicture() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QMovie* movie_ = nullptr;
};

// Scales a picture into a box of the given size in device pixels, keeping one-pixel lines
// visible (area averaging, never dropping a row or column).
QImage scaledForDisplay(const QImage& src, QSize size);
// Draws an image stretched into target from its own pixels, scaled to the device's pixels.
void drawPixels(QPainter& p, const QImage& img, const QRect& target);

}  // namespace rt
