#pragma once
// A picture as the windows pass it around: shared and immutable, so assigning one
// image's picture to another shows the very same picture in both.

#include <QString>
#include <memory>

class QImage;

namespace rt {

class Picture {
public:
    Picture() = default;  // the empty picture
    explicit Picture(std::shared_ptr<const QImage> image, int resourceId = 0);

    bool isEmpty() const { return !image_; }
    int width() const;   // pixels
    int height() const;  // pixels
    // The resource id the picture was loaded from (a chord diagram's id), 0 otherwise.
    int resourceId() const { return resourceId_; }
    const QImage* image() const { return image_.get(); }

    friend bool operator==(const Picture& a, const Picture& b) { return a.image_ == b.image_; }

private:
    std::shared_ptr<const QImage> image_;
    int resourceId_ = 0;
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
