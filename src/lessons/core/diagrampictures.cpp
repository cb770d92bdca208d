#include "lessons/core/diagrampictures.h"

#include "lessons/core/messages.h"
#include "runtime/app.h"
#include "runtime/errors.h"

namespace lessons {

void loadDiagramPictures(std::initializer_list<std::pair<rt::Image*, int>> imagesAndIds) {
    try {
        // Each picture is fetched before it is assigned, so a failed step leaves its image as it was.
        for (const auto& [image, id] : imagesAndIds) image->setPicture(rt::LoadResPicture(id, 0));
    } catch (const rt::RuntimeError&) {
        rt::MsgBox(kUnexpectedError);
    }
}

}  // namespace lessons
