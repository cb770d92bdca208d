#include "runtime/cursors_p.h"

#include <QPixmap>

namespace rt {

namespace {
QCursor loadCursor(const char* path, int hotX, int hotY) {
    QPixmap pm(QString::fromLatin1(path));
    if (pm.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(pm, hotX, hotY);
}
}  // namespace

QCursor cursorFor(Pointer p) {
    // X11 and Wayland cursors cannot invert what lies beneath, so the hand is drawn with
    // a light inside: the nearest look on this platform.
    static const QCursor guitar = loadCursor(":/cursors/guitar.png", 0, 0);
    static const QCursor hand = loadCursor(":/cursors/hand.png", 6, 0);
    switch (p) {
    case Pointer::Guitar:
        return guitar;
    case Pointer::Hand:
        return hand;
    case Pointer::System:
        break;
    }
    return QCursor(Qt::ArrowCursor);
}

QIcon iconFor(Icon i) {
    static const QIcon notes = [] {
        QIcon icon;
        icon.addFile(":/icons/notes-32.png", QSize(32, 32));
        icon.addFile(":/icons/notes-16.png", QSize(16, 16));
        return icon;
    }();
    static const QIcon grid = QIcon(":/icons/chordgrid.png");
    switch (i) {
    case Icon::Notes:
        return notes;
    case Icon::ChordGrid:
        return grid;
    case Icon::None:
        break;
    }
    return QIcon();
}

}  // namespace rt
