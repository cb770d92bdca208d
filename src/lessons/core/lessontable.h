#pragma once
// A lesson's table: for each chord type either a referral message, or four form entries
// (form or inversion index 0 to 3), each movable (one diagram for every root, placed by
// its base fret), root-specific (a diagram and fret per root) or absent.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace lessons {

constexpr int kRoots = 12;
constexpr int kForms = 4;

// A diagram and the fret label number (1 to 12) shown beside it.
struct DiagramAt {
    int diagramId = 0;
    int fret = 0;
};

using RootRows = std::array<DiagramAt, kRoots>;

struct FormEntry {
    enum class Kind { Absent, Movable, RootSpecific };
    Kind kind = Kind::Absent;
    int diagramId = 0;            // movable
    int baseFret = 0;             // movable: the fret label number for root "C"
    const RootRows* rows = nullptr;  // root-specific
};

constexpr FormEntry movable(int diagramId, int baseFret) { return {FormEntry::Kind::Movable, diagramId, baseFret, nullptr}; }
constexpr FormEntry rootSpecific(const RootRows& rows) { return {FormEntry::Kind::RootSpecific, 0, 0, &rows}; }
constexpr FormEntry absent() { return {}; }

// Twelve diagrams, one per root from "C" to "B", each at the first fret.
constexpr RootRows atFirstFret(const std::array<int, kRoots>& ids) {
    RootRows rows{};
    for (int r = 0; r < kRoots; ++r) rows[r] = {ids[r], 1};
    return rows;
}

struct ChordTypeRecord {
    const char* chordType;
    const char* referral = nullptr;  // answers the whole chord type when set
    std::array<FormEntry, kForms> forms{};
};

using LessonTable = std::span<const ChordTypeRecord>;

// The record whose chord type equals the text exactly, or null.
const ChordTypeRecord* findRecord(LessonTable table, std::string_view chordType);

// The fret label number of a movable form for a root: the base fret moved up one fret
// per semitone, wrapping after the 12th fret.
constexpr int fretForRoot(int baseFret, int root) { return (baseFret - 1 + root) % 12 + 1; }

// The diagram and fret label number for (chord type, root index, form index), or nothing.
std::optional<DiagramAt> lookUp(LessonTable table, std::string_view chordType, int root, int form);

// "1st Fret" .. "12th Fret"; empty for a number outside 1 to 12.
std::string_view fretLabelCaption(int number);

}  // namespace lessons
