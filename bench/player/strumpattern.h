#pragma once
// A progression file's strums as its own tempo places them, for the benchmarks that hear the
// progression player through the real audio path.

#include "midi/midifile.h"
#include "pulseserver.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The file's length and where each strum begins, in seconds from the first: a note-on more
// than 50 ms after the one before starts a strum. Empty when the file cannot be read.
inline StrumPattern strumPatternOf(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    const midi::MidiFile file = midi::readMidiFile(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    double secondsPerTick = 0.5 / file.division;
    std::vector<std::uint64_t> noteOns;
    for (const auto& track : file.tracks) {
        for (const midi::MidiEvent& e : track) {
            // The progression files set one tempo, at their start.
            if (e.isMeta(0x51) && e.payload.size() == 3)
                secondsPerTick = ((e.payload[0] << 16) | (e.payload[1] << 8) | e.payload[2]) / 1e6 / file.division;
            if (e.isNoteOn()) noteOns.push_back(e.tick);
        }
    }
    std::sort(noteOns.begin(), noteOns.end());
    StrumPattern p;
    p.length = static_cast<double>(file.lengthTicks()) * secondsPerTick;
    for (std::uint64_t tick : noteOns) {
        const double t = static_cast<double>(tick) * secondsPerTick - static_cast<double>(noteOns.front()) * secondsPerTick;
        if (p.strums.empty() || t - p.strums.back() > 0.05) p.strums.push_back(t);
    }
    return p;
}
