#include "lessonkeys.h"

#include "lessondriver.h"

#include <gtest/gtest.h>

using lessondriver::fretAtRoot;
using lessondriver::fretCaption;

namespace lessonkeys {

namespace {
bool inRange(int type, int types, int root, int form) {
    return type >= 0 && type < types && root >= 0 && root < 12 && form >= 0 && form < 4;
}
Answer diagram(int id, int fret) { return {id, fretCaption(fret), {}}; }
}  // namespace

namespace basic {
Answer answer(int type, int root, int form) {
    if (!inRange(type, 2, root, form)) return {};
    if (form == 0) return diagram(type == 0 ? kMajorForm1[root] : kMinorForm1[root], 1);
    return diagram(kMovableIds[type][form - 1], kMovableFrets[form - 1][root]);
}
}  // namespace basic

namespace seventh {
Answer answer(int type, int root, int form) {
    if (!inRange(type, 4, root, form)) return {};
    const Row& r = kRows[type];
    if (form == 0) return diagram(r.form1[root], 1);
    return diagram(r.movable[form - 1][0], fretAtRoot(r.movable[form - 1][1], root));
}
}  // namespace seventh

namespace inversions {
int fretNumber(int baseFret, int root) {
    for (const FretRow& r : kFrets)
        if (r.baseFret == baseFret) return r.fret[root];
    ADD_FAILURE() << "base fret " << baseFret << " is not in the table";
    return 0;
}

Answer answer(int type, int root, int inversion) {
    if (!inRange(type, 8, root, inversion)) return {};
    const int* e = kRows[type].entry[inversion];
    if (!e[0]) return {0, {}, type == 0 ? kNoThirdMajor : kNoThirdMinor};
    return diagram(e[0], fretNumber(e[1], root));
}
}  // namespace inversions

namespace susadd {
Answer answer(int type, int root, int form) {
    if (!inRange(type, 6, root, form)) return {};
    if (type < 3 && form == 0) return diagram(kForm1[type][root].id, kForm1[type][root].fret);
    const Cell m = kMovable[type][form];
    return diagram(m.id, fretAtRoot(m.fret, root));
}
}  // namespace susadd

namespace extensions {
Answer answer(int type, int root, int form) {
    if (!inRange(type, 5, root, form)) return {};
    return diagram(kTable[type][form].id, fretAtRoot(kTable[type][form].fret, root));
}
}  // namespace extensions

namespace dominant {
Answer answer(int listIndex, int root, int form) {
    if (!inRange(listIndex, 15, root, form)) return {};
    for (const Referral& r : kReferrals)
        if (r.listIndex == listIndex) return {0, {}, r.prompt};
    for (const Row& row : kRows) {
        if (row.listIndex != listIndex) continue;
        const int id = row.cell[form][0];
        if (root >= 8) return {id, row.high[form][root - 8], {}};
        return diagram(id, fretAtRoot(row.cell[form][1], root));
    }
    return {};
}
}  // namespace dominant

namespace dimaug {
Answer answer(int listIndex, int root, int form) {
    if (!inRange(listIndex, 6, root, form)) return {};
    if (listIndex == 5) return {0, {}, kHalfDiminished};
    return diagram(kCells[listIndex][form][0], fretAtRoot(kCells[listIndex][form][1], root));
}
}  // namespace dimaug

std::optional<Answer> answer(const QString& windowName, int listIndex, int root, int form) {
    using Table = Answer (*)(int, int, int);
    const struct {
        const char* window;
        Table answer;
    } lessons[] = {
        {"frmBasic", basic::answer},           {"frm7thType", seventh::answer}, {"frmInversions", inversions::answer},
        {"frmSusAdd", susadd::answer},         {"frmMajMinExt", extensions::answer},
        {"frmDominant", dominant::answer},     {"frmDimAug", dimaug::answer},
    };
    for (const auto& l : lessons)
        if (windowName == l.window) return l.answer(listIndex, root, form);
    return std::nullopt;
}

}  // namespace lessonkeys
