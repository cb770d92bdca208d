#pragma once
// What a chord diagram sounds in standard tuning (E2 A2 D3 G3 B3 E4): the dot in fret
// space s at fret label number n sounds fret n + s - 1, and an open string sounds itself.
// Roots and pitch classes count semitones from C.

#include <set>
#include <vector>

namespace soundingnotes {

struct Note {
    int pitch;  // MIDI number: 40 is the low E string
    bool open;  // an open string
    int fret;   // where the string is stopped; 0 when open
};

// The notes the diagram sounds at a fret label number, lowest string first; none when the
// catalogue has no such diagram.
std::vector<Note> notes(int diagramId, int fret);
// A pitch as semitones above the root, 0 to 11.
int above(int pitch, int root);
// The intervals above the root that the notes sound.
std::set<int> intervals(const std::vector<Note>& notes, int root);
// The lowest note as semitones above the root; -1 for no notes.
int lowestInterval(const std::vector<Note>& notes, int root);
bool anyOpen(const std::vector<Note>& notes);

}  // namespace soundingnotes
