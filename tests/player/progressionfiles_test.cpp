// Reads back the progression files written at build time. Every bar must strum one of
// the shapes the lessons teach for its chord, the one the hand reaches with the least
// move, and sound the chord as a musician reads its symbol. The chord symbols are read
// here, from a table of their own, not by the player's or the tool's parser.
#include "lessons/majorminor/majorminortable.h"
#include "lessons/seventh/seventhtable.h"
#include "midi/midifile.h"
#include "player/progressiontable.h"
#include "support/soundingnotes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace {

// What each chord symbol suffix names, in semitones above the root (no seventh: 0), and
// the lesson chord type that teaches it.
struct Suffix {
    std::string_view text;
    int third;
    int fifth;
    int seventh;
    const lessons::LessonTable* lesson;
    const char* chordType;
};

const Suffix kSuffixes[] = {
    {"", 4, 7, 0, &lessons::kMajorMinorTable, "Major"},
    {"Maj", 4, 7, 0, &lessons::kMajorMinorTable, "Major"},
    {"mi", 3, 7, 0, &lessons::kMajorMinorTable, "minor"},
    {"7", 4, 7, 10, &lessons::kSeventhTable, "7th"},
    {"Maj7", 4, 7, 11, &lessons::kSeventhTable, "Major7th"},
    {"mi7", 3, 7, 10, &lessons::kSeventhTable, "minor7th"},
    {"mi7(b5)", 3, 6, 10, &lessons::kSeventhTable, "minor7th(b5)"},
};

struct Chord {
    int root = 0;  // pitch class, C = 0
    const Suffix* suffix = nullptr;

    int tone(int semitones) const { return (root + semitones) % 12; }
    std::set<int> tones() const
    {
        std::set<int> out = {root, tone(suffix->third), tone(suffix->fifth)};
        if (suffix->seventh)
            out.insert(tone(suffix->seventh));
        return out;
    }
};

// A root letter, an optional sharp or flat, a suffix: "Bbmi7(b5)" is Bb with "mi7(b5)".
std::optional<Chord> readSymbol(std::string_view symbol)
{
    constexpr std::string_view kLetters = "C.D.EF.G.A.B";  // a letter's place is its pitch class
    const std::size_t letter = symbol.empty() || symbol[0] == '.' ? std::string_view::npos : kLetters.find(symbol[0]);
    if (letter == std::string_view::npos)
        return std::nullopt;
    Chord chord{static_cast<int>(letter)};
    symbol.remove_prefix(1);
    if (!symbol.empty() && (symbol[0] == '#' || symbol[0] == 'b')) {
        chord.root = (chord.root + (symbol[0] == '#' ? 1 : 11)) % 12;
        symbol.remove_prefix(1);
    }
    for (const Suffix& s : kSuffixes) {
        if (s.text == symbol)
            chord.suffix = &s;
    }
    return chord.suffix ? std::optional(chord) : std::nullopt;
}

// A chord-name line's symbols: separated by commas, blanks around them dropped.
std::vector<std::string> symbolsOf(std::string_view line)
{
    std::vector<std::string> out;
    for (;;) {
        const std::size_t comma = line.find(',');
        std::string symbol(line.substr(0, comma));
        symbol.erase(0, symbol.find_first_not_of(' '));
        symbol.erase(symbol.find_last_not_of(' ') + 1);
        out.push_back(symbol);
        if (comma == std::string_view::npos)
            return out;
        line.remove_prefix(comma + 1);
    }
}

std::set<int> pitchClasses(const std::set<int>& pitches)
{
    std::set<int> out;
    for (int p : pitches)
        out.insert(p % 12);
    return out;
}

TEST(ProgressionFiles, TheTestReadsSymbolsAsAMusicianDoes)
{
    const struct {
        const char* symbol;
        std::set<int> tones;
    } kCases[] = {
        {"Dmi7", {2, 5, 9, 0}},          // D F A C
        {"G7", {7, 11, 2, 5}},           // G B D F
        {"CMaj7", {0, 4, 7, 11}},        // C E G B
        {"Bbmi7(b5)", {10, 1, 4, 8}},    // Bb Db Fb Ab
        {"CbMaj", {11, 3, 6}},           // Cb Eb Gb
        {"F#mi", {6, 9, 1}},             // F# A C#
        {"Db", {1, 5, 8}},               // Db F Ab
    };
    for (const auto& c : kCases) {
        const std::optional<Chord> chord = readSymbol(c.symbol);
        ASSERT_TRUE(chord) << c.symbol;
        EXPECT_EQ(chord->tones(), c.tones) << c.symbol;
    }
    EXPECT_FALSE(readSymbol("Hmi"));
    EXPECT_FALSE(readSymbol("Cm7"));
}

// One progression file, decoded.
struct Note {
    std::uint64_t on;
    std::uint64_t off;
    int key;
};

struct Decoded {
    int division = 0;
    int tempo = 0;    // microseconds per quarter note
    int program = -1;
    int mostAtOnce = 0;
    std::uint64_t lengthTicks = 0;
    std::vector<Note> notes;

    std::uint64_t bar() const { return 4u * static_cast<std::uint64_t>(division); }
    // The keys struck in each bar.
    std::vector<std::set<int>> barKeys(std::size_t bars) const
    {
        std::vector<std::set<int>> out(bars);
        for (const Note& n : notes) {
            if (n.on / bar() < bars)
                out[n.on / bar()].insert(n.key);
        }
        return out;
    }
};

std::string pathOf(const player::ProgressionRow& row)
{
    return player::progressionFilePath(STRUMVANE_PROGRAM_DIR, row.pathLiteral);
}

void decode(const player::ProgressionRow& row, Decoded& out)
{
    std::ifstream in(pathOf(row), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty());
    const midi::MidiFile file = midi::readMidiFile(bytes);
    ASSERT_GT(file.division, 0);
    out.division = file.division;
    out.lengthTicks = file.lengthTicks();

    // All playing happens on channel 0.
    std::map<int, std::uint64_t> sounding;
    for (const auto& track : file.tracks) {
        for (const auto& e : track) {
            if (e.isMeta(0x51))
                out.tempo = (e.payload[0] << 16) | (e.payload[1] << 8) | e.payload[2];
            if (e.status >= 0xF0)
                continue;
            ASSERT_EQ(e.channel(), 0);
            if (e.kind() == 0xC0)
                out.program = e.data1;
            if (e.isNoteOn()) {
                ASSERT_EQ(out.program, 25) << "no steel guitar before the first note";
                ASSERT_FALSE(sounding.count(e.data1)) << "note " << int(e.data1) << " struck while sounding";
                sounding[e.data1] = e.tick;
                out.mostAtOnce = std::max(out.mostAtOnce, static_cast<int>(sounding.size()));
            } else if (e.isNoteOff()) {
                auto it = sounding.find(e.data1);
                ASSERT_NE(it, sounding.end());
                out.notes.push_back({it->second, e.tick, e.data1});
                sounding.erase(it);
            }
        }
    }
    EXPECT_TRUE(sounding.empty()) << "notes left sounding";
}

// The file's chords, read by the table above; fails the test for a symbol it cannot read.
void chordsOf(const player::ProgressionRow& row, std::vector<Chord>& out)
{
    for (const std::string& symbol : symbolsOf(row.chordLine)) {
        const std::optional<Chord> chord = readSymbol(symbol);
        ASSERT_TRUE(chord) << symbol;
        out.push_back(*chord);
    }
}

TEST(ProgressionFiles, TheFolderHoldsExactlyTheTablesFiles)
{
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(STRUMVANE_PROGRAM_DIR "/Mid")) {
        if (entry.is_regular_file())
            ++count;
    }
    EXPECT_EQ(count, 96);
}

TEST(ProgressionFiles, EveryBarStrumsOneChordOnASteelGuitar)
{
    for (const auto& row : player::progressionTable()) {
        SCOPED_TRACE(pathOf(row) + " " + std::string(row.chordLine));
        Decoded file;
        ASSERT_NO_FATAL_FAILURE(decode(row, file));
        EXPECT_LE(file.mostAtOnce, 6) << "more notes at once than a guitar has strings";
        const double bpm = 60e6 / file.tempo;
        EXPECT_GE(bpm, 90);
        EXPECT_LE(bpm, 100);

        const std::uint64_t bar = file.bar();
        const std::size_t bars = symbolsOf(row.chordLine).size();
        EXPECT_EQ(file.lengthTicks, bar * bars) << "one bar per chord";
        for (const Note& n : file.notes) {
            EXPECT_LT(n.on / bar, bars);
            EXPECT_LE(n.off, (n.on / bar + 1) * bar) << "a note rings into the next chord";
        }
        for (std::size_t b = 0; b < bars; ++b) {
            // A strum, not a block chord: the first stroke's strings follow one another
            // a few milliseconds apart.
            std::vector<std::uint64_t> starts;
            for (const Note& n : file.notes) {
                if (n.on >= b * bar && n.on < b * bar + file.division / 2)
                    starts.push_back(n.on);
            }
            std::sort(starts.begin(), starts.end());
            ASSERT_GE(starts.size(), 4u) << "bar " << b;
            const double msPerTick = file.tempo / 1000.0 / file.division;
            for (std::size_t i = 1; i < starts.size(); ++i) {
                const double gap = static_cast<double>(starts[i] - starts[i - 1]) * msPerTick;
                EXPECT_GE(gap, 3.0);
                EXPECT_LE(gap, 30.0);
            }
        }
    }
}

// Every pitch class sounded is one of the chord's, and the root, the third and the
// seventh (where the symbol names one) are all there. The fifth may be left out, as the
// lessons' first forms of C7 (x3231x) and of BMaj7 (x2134x) leave it.
TEST(ProgressionFiles, EveryBarSoundsTheNotesItsSymbolNames)
{
    for (const auto& row : player::progressionTable()) {
        SCOPED_TRACE(pathOf(row) + " " + std::string(row.chordLine));
        Decoded file;
        ASSERT_NO_FATAL_FAILURE(decode(row, file));
        std::vector<Chord> chords;
        ASSERT_NO_FATAL_FAILURE(chordsOf(row, chords));
        const std::vector<std::set<int>> bars = file.barKeys(chords.size());
        for (std::size_t b = 0; b < chords.size(); ++b) {
            const Chord& chord = chords[b];
            const std::set<int> heard = pitchClasses(bars[b]);
            const std::set<int> tones = chord.tones();
            EXPECT_TRUE(std::includes(tones.begin(), tones.end(), heard.begin(), heard.end()))
                << "bar " << b << " sounds a note outside its chord";
            EXPECT_TRUE(heard.count(chord.root)) << "bar " << b << " leaves out the root";
            EXPECT_TRUE(heard.count(chord.tone(chord.suffix->third))) << "bar " << b << " leaves out the third";
            if (chord.suffix->seventh) {
                EXPECT_TRUE(heard.count(chord.tone(chord.suffix->seventh))) << "bar " << b << " leaves out the seventh";
            }
        }
    }
}

// The four forms of a chord in its lesson: what each sounds at the fret label the lesson
// gives for the root.
struct LessonForm {
    lessons::DiagramAt at;
    std::vector<soundingnotes::Note> notes;

    std::set<int> keys() const
    {
        std::set<int> out;
        for (const auto& n : notes)
            out.insert(n.pitch);
        return out;
    }
    // Halfway between the lowest and the highest fret the hand stops.
    double handPosition() const
    {
        int low = 99;
        int high = 0;
        for (const auto& n : notes) {
            if (n.fret > 0) {
                low = std::min(low, n.fret);
                high = std::max(high, n.fret);
            }
        }
        return high ? (low + high) / 2.0 : 0.0;
    }
};

std::vector<LessonForm> lessonForms(const Chord& chord)
{
    std::vector<LessonForm> out;
    for (int form = 0; form < lessons::kForms; ++form) {
        if (const auto at = lessons::lookUp(*chord.suffix->lesson, chord.suffix->chordType, chord.root, form))
            out.push_back({*at, soundingnotes::notes(at->diagramId, at->fret)});
    }
    return out;
}

// How far the hand moves to a form from the previous chord's, then how high on the neck
// the form sits; a file's first chord moves nowhere.
std::pair<double, double> rank(const LessonForm& form, const LessonForm* previous)
{
    const double at = form.handPosition();
    return {previous ? std::abs(at - previous->handPosition()) : 0.0, at};
}

// The lesson form each bar of a file sounds, exactly, string for string.
void playedForms(const player::ProgressionRow& row, std::vector<Chord>& chords, std::vector<LessonForm>& played)
{
    Decoded file;
    ASSERT_NO_FATAL_FAILURE(decode(row, file));
    ASSERT_NO_FATAL_FAILURE(chordsOf(row, chords));
    const std::vector<std::set<int>> bars = file.barKeys(chords.size());
    for (std::size_t b = 0; b < chords.size(); ++b) {
        const LessonForm* previous = b ? &played.back() : nullptr;
        std::vector<LessonForm> matches;
        for (const LessonForm& f : lessonForms(chords[b])) {
            if (f.keys() == bars[b] && f.keys().size() == f.notes.size())
                matches.push_back(f);
        }
        ASSERT_FALSE(matches.empty()) << "bar " << b << " is no lesson shape of " << symbolsOf(row.chordLine)[b];
        // Two forms may sound the very same notes on other strings (E major's third form
        // at the 7th fret and its fourth at the 2nd): the file cannot tell them apart, so
        // the bar counts as the one nearer the hand.
        played.push_back(*std::min_element(matches.begin(), matches.end(), [&](const auto& x, const auto& y) {
            return rank(x, previous) < rank(y, previous);
        }));
    }
}

TEST(ProgressionFiles, EveryBarIsTheLessonShapeThatMovesTheHandLeast)
{
    for (const auto& row : player::progressionTable()) {
        SCOPED_TRACE(pathOf(row) + " " + std::string(row.chordLine));
        std::vector<Chord> chords;
        std::vector<LessonForm> played;
        ASSERT_NO_FATAL_FAILURE(playedForms(row, chords, played));
        // A form that leaves out its root is never played (the lesson's Bb7 form 1); of
        // the others, the hand moves least from the last chord, the first chord sits as
        // low as it can, and between equal moves the lower on the neck wins.
        for (std::size_t b = 0; b < chords.size(); ++b) {
            const LessonForm* previous = b ? &played[b - 1] : nullptr;
            for (const LessonForm& other : lessonForms(chords[b])) {
                const bool soundsRoot = std::any_of(other.notes.begin(), other.notes.end(),
                                                    [&](const auto& n) { return n.pitch % 12 == chords[b].root; });
                if (soundsRoot) {
                    EXPECT_LE(rank(played[b], previous), rank(other, previous))
                        << "bar " << b << ": diagram " << other.at.diagramId << " at fret " << other.at.fret
                        << " moves the hand less than the one played, " << played[b].at.diagramId << " at fret "
                        << played[b].at.fret;
                }
            }
        }
    }
}

// A few files by hand, to hear and see: (diagram id, fret label) per bar.
TEST(ProgressionFiles, SomeFilesPlayTheseShapes)
{
    const struct {
        const char* progression;
        int key;
        std::vector<std::pair<int, int>> shapes;
    } kCases[] = {
        // Dmi7 xx0211, G7 320001, CMaj7 x32000
        {"ii - V - I", 0, {{163, 1}, {139, 1}, {110, 1}}},
        // Cmi7 x11013, F7 131211, BbMaj7 11023x
        {"ii - V - I", 10, {{161, 1}, {108, 1}, {152, 1}}},
        // F#mi7 xx4220, B7 x24242, EMaj7 xx2444
        {"ii - V - I", 4, {{167, 1}, {109, 2}, {188, 2}}},
        // C x32010, F xx3211, G 320003, C x32010
        {"I - IV - V", 0, {{101, 1}, {129, 1}, {137, 1}, {101, 1}}},
        // E 022100, A x02220, B xx4442, and E xx2454 where the hand already is
        {"I - IV - V", 4, {{125, 1}, {145, 1}, {153, 1}, {185, 2}}},
    };
    for (const auto& c : kCases) {
        const player::ProgressionRow* row = player::findProgression(c.progression, c.key);
        ASSERT_TRUE(row);
        SCOPED_TRACE(pathOf(*row) + " " + std::string(row->chordLine));
        std::vector<Chord> chords;
        std::vector<LessonForm> played;
        ASSERT_NO_FATAL_FAILURE(playedForms(*row, chords, played));
        std::vector<std::pair<int, int>> shapes;
        for (const LessonForm& f : played)
            shapes.emplace_back(f.at.diagramId, f.at.fret);
        EXPECT_EQ(shapes, c.shapes);
    }
}

}  // namespace
