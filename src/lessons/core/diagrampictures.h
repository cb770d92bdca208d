#pragma once
// Pages that show fixed chord diagrams load them through this at every load.

#include "runtime/controls.h"

#include <initializer_list>
#include <utility>

namespace lessons {

// Puts each diagram into its image, in order, fetching each picture anew. A failure shows
// the unexpected-error message and stops: images filled before keep their picture, the
// rest stay as they were.
void loadDiagramPictures(std::initializer_list<std::pair<rt::Image*, int>> imagesAndIds);

}  // namespace lessons
