#pragma once
// A picture as the windows pass it around: shared and immutable, so assigning one
// image's picture to another shows the very same picture in both.

#include <QString>
#include <functional>
#include <memory>

class QImage;
class QPainter;
class QRect;
class QRectF;

namespace rt {

// Draws a picture in its own pixel coordinates (0 to width, 0 to height) at whatever
// resolution the painter has.
using PictureShapes = std::function<void(QPainter&)>;

class Picture {
public:
    Picture() = default;  // the empty picture
    explicit Picture(std::shared_ptr<const QImage> image, int resourceId = 0,
                     std::shared_ptr<const PictureShapes> shapes = nullptr);

    bool isEmpty() const { return !image_; }
    int width() const;   // pixels
    int height() const;  // pixels
    // The resource id the picture was loaded from (a chord diagram's id), 0 otherwise.
    int resourceId() const { return resourceId_; }
    const QImage* image() const { return image_.get(); }
    // Whether the picture can also be drawn as shapes, sharp at any resolution.
    bool hasShapes() const { return shapes_ != nullptr; }

    // Draws the picture stretched into target (the painter's coordinates): where a device
    // pixel is a logical pixel, from its own pixels; on a finer device (a high-density
    // screen, a printer) from its shapes, if it has them.
    void draw(QPainter& p, const QRect& target) const;
    // Draws its shapes stretched into target, on its white paper; nothing if it has none.
    void drawShapes(QPainter& p, const QRectF& target) const;

    friend bool operator==(const Picture& a, const Picture& b) { return a.image_ == b.image_; }

private:
    std::shared_ptr<const QImage> image_;
    int resourceId_ = 0;
    std::shared_ptr<const PictureShapes> shapes_;
};

// The empty picture.
Picture LoadPicture();
// A picture built into the program; kind 0 is a bitmap. Raises RuntimeError for an id
// that is not there.
Picture LoadResPicture(int id, int kind);
// For tests: LoadResPicture fails for this id as for one the catalogue lacks; 0 for none.
void setMissingResourceForTests(int id);
// One of the pictures the windows carry (a Qt resource path such as ":/pictures/banner.png").
Picture LoadBuiltInPicture(const QString& resourcePath);

}  // namespace rt
