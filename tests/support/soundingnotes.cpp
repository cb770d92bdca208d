#include "soundingnotes.h"

#include "diagrams/fingering.h"

#include <algorithm>

namespace soundingnotes {

namespace {
constexpr int kOpenStrings[diagrams::kStringCount] = {40, 45, 50, 55, 59, 64};  // E2 A2 D3 G3 B3 E4
}  // namespace

std::vector<Note> notes(int diagramId, int fret) {
    std::vector<Note> out;
    const diagrams::Fingering* f = diagrams::findFingering(diagramId);
    if (!f) return out;
    for (int s = 0; s < diagrams::kStringCount; ++s) {
        const diagrams::StringState& st = f->strings[s];
        if (st.dot) {
            const int stopped = fret + st.dot->fretSpace - 1;
            out.push_back({kOpenStrings[s] + stopped, false, stopped});
        } else if (st.mark == diagrams::TopMark::Open) {
            out.push_back({kOpenStrings[s], true, 0});
        }
    }
    return out;
}

int above(int pitch, int root) { return ((pitch - root) % 12 + 12) % 12; }

std::set<int> intervals(const std::vector<Note>& notes, int root) {
    std::set<int> out;
    for (const Note& n : notes) out.insert(above(n.pitch, root));
    return out;
}

int lowestInterval(const std::vector<Note>& notes, int root) {
    if (notes.empty()) return -1;
    const auto lowest = std::min_element(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.pitch < b.pitch; });
    return above(lowest->pitch, root);
}

bool anyOpen(const std::vector<Note>& notes) {
    return std::any_of(notes.begin(), notes.end(), [](const Note& n) { return n.open; });
}

}  // namespace soundingnotes
