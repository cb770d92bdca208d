#pragma once
// Chord diagrams drawn from their shapes at the resolution of whatever they are painted on.
// Internal to the layer.

#include "diagrams/drawing.h"

class QPainter;

namespace rt {

// Paints a diagram's shapes, black ink on whatever paper lies beneath, in the painter's
// current coordinates taken as the picture's own pixels. On a printer or another vector
// device every shape goes as it is; on a raster device rings and glyphs are drawn once for
// each scale and copied onto whole device pixels, lines and barres snapped to them.
void paintDiagram(QPainter& p, const diagrams::Drawing& drawing);

}  // namespace rt
