#include "lessons/core/lessontable.h"

namespace lessons {

const ChordTypeRecord* findRecord(LessonTable table, std::string_view chordType) {
    for (const ChordTypeRecord& r : table)
        if (chordType == r.chordType) return &r;
    return nullptr;
}

std::optional<DiagramAt> lookUp(LessonTable table, std::string_view chordType, int root, int form) {
    const ChordTypeRecord* rec = findRecord(table, chordType);
    if (!rec || rec->referral || root < 0 || root >= kRoots || form < 0 || form >= kForms) return std::nullopt;
    const FormEntry& e = rec->forms[static_cast<size_t>(form)];
    switch (e.kind) {
    case FormEntry::Kind::Movable:
        return DiagramAt{e.diagramId, fretForRoot(e.baseFret, root)};
    case FormEntry::Kind::RootSpecific:
        return (*e.rows)[static_cast<size_t>(root)];
    case FormEntry::Kind::Absent:
        break;
    }
    return std::nullopt;
}

std::string_view fretLabelCaption(int number) {
    static constexpr std::string_view kCaptions[] = {
        "1st Fret", "2nd Fret", "3rd Fret", "4th Fret", "5th Fret",  "6th Fret",
        "7th Fret", "8th Fret", "9th Fret", "10th Fret", "11th Fret", "12th Fret",
    };
    return number >= 1 && number <= 12 ? kCaptions[number - 1] : std::string_view();
}

}  // namespace lessons
