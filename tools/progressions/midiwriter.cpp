#include "midiwriter.h"

#include <algorithm>

namespace progressions {
namespace {

void putBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putVariable(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

}  // namespace

std::vector<std::uint8_t> writeMidiFile(int division, std::vector<TrackEvent> events, std::uint32_t endTick)
{
    std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    std::vector<std::uint8_t> track;
    std::uint32_t tick = 0;
    for (const TrackEvent& event : events) {
        putVariable(track, event.tick - tick);
        tick = event.tick;
        track.insert(track.end(), event.bytes.begin(), event.bytes.end());
    }
    putVariable(track, std::max(endTick, tick) - tick);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd'};
    putBig(file, 6, 4);
    putBig(file, 0, 2);  // format 0
    putBig(file, 1, 2);  // one track
    putBig(file, static_cast<std::uint32_t>(division), 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBig(file, static_cast<std::uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

}  // namespace progressions
