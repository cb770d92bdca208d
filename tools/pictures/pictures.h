#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace strumvane::pictures {

// Guitar-shaped pointer, 32 x 32, hotspot (0, 0).
QImage guitarCursor();

// Pointing hand, 32 x 32, hotspot (6, 0). Its inside inverts what lies beneath where the platform
// can do that; `look` is the nearest full-colour stand-in (white inside).
struct HandCursor {
    QImage look;    // ARGB: black outline, white inside, transparent elsewhere
    QImage bitmap;  // 1 bit, black = 1: outline and inside
    QImage mask;    // 1 bit, black = 1: outline only, so the inside inverts
};
HandCursor handCursor();

QImage notesIcon32();
QImage notesIcon16();

// The program's icon, 25 x 32, and its copies for the desktop's icon theme.
QImage chordGridIcon();
QImage chordGridIcon48();
QByteArray chordGridSvg();

QImage welcomeBanner();
QImage helpPicture();
QImage otherSymbolsPicture();

// The frames of the picture in the main window's two panels, all the same size.
std::vector<QImage> guitarManFrames();

}  // namespace strumvane::pictures
