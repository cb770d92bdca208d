#pragma once
// The Qt widgets behind the control handles. Internal to the layer.

#include "runtime/layout.h"
#include "runtime/picture.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QWidget>

class QMovie;

namespace rt {

class Form;

QFont qtFont(const Font& f);
QColor qtColor(Rgb c);
void setBackColor(QWidget* w, Rgb c);

// The top-level window of a loaded form.
class FormWindow : public QMainWindow {
public:
    FormWindow(Form* form, const WindowDesign& design);
    Form* form() const { return form_; }
    QWidget* client() const { return client_; }
    const WindowDesign& design() const { return design_; }
    void finishLayout();

protected:
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

class ButtonWidget : public QPushButton {
public:
    explicit ButtonWidget(QWidget* parent) : QPushButton(parent) {}
    bool isDefaultButton = false;
};

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

}  // namespace rt
