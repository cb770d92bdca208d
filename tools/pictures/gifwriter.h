#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace strumvane::pictures {

// Encodes frames of one size as a GIF89a that loops for ever, each frame shown for `delay`
// hundredths of a second. All frames together may use at most 256 colours (no transparency).
QByteArray encodeAnimatedGif(const std::vector<QImage>& frames, int delay);

}  // namespace strumvane::pictures
