#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace midi {

// Every failure of the engine: no synthesizer or SoundFont, no audio output, a
// file that is missing, unreadable or not a MIDI file, or playing with no file open.
class SynthError : public std::runtime_error {
public:
    enum class Kind { NoSynthesizer, NoSoundFont, NoAudioOutput, FileMissing, FileUnreadable, FileCorrupt, NotOpen };

    SynthError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// Plays one MIDI file at a time through FluidSynth, the way a MIDI sequencer
// device does: open, play, stop, seek to the start, close, and a state to poll.
//
// The synthesizer and its SoundFont are loaded once and kept, so a start sounds
// at once. With Output::Audio an audio output (PulseAudio, else ALSA; see
// audiooutput.h) is opened by play() and closed by stop() and close(), since an idle
// output still costs CPU; playing to the end keeps it open, so that a play after the
// end goes on without reopening it. The output counts as lost when its server is gone
// or has not asked for sound for seconds (kHungMs), never for being late under load. With Output::Offline nothing is opened: the caller
// renders with advance().
//
// At the end of the file the engine is Stopped and atEnd(), and tells its listener.
// So that a caller who answers with seekToStart() and play() restarts the file on
// the beat, although its answer comes a little after the end, the file plays on
// from its start for a short while (kRunOnMs) as if it had been restarted at the
// very frame it ended: seekToStart() then moves to that start, and play() goes on
// from where the file has got to since, without a break. Without both in time,
// the notes that run-on struck end as at the end of a song and the file stays at
// its end (or at its start, after a seekToStart()). stop() and close() silence it.
//
// All methods are for one thread (the caller's). The audio output renders on a
// thread of its own, startLoading() loads on another, and a watchdog thread
// watches the output while it is open; the listener is called on those.
class Synth {
public:
    enum class Output { Audio, Offline };
    enum class State {
        Closed,   // no file open
        Stopped,  // a file is open and not playing: before play, after stop, or played to its end
        Playing,
    };

    // What the engine tells its listener.
    enum class Notice {
        End,         // the open file has played to its end
        OutputLost,  // the audio output stopped working (its server went away, say): the
                     // file is closed, and outputLost() holds until the next open()
    };
    // Called on the audio output's thread, the watchdog's, or within advance(): it must
    // return at once and must not call the Synth; it hands the news on to its own thread.
    using Listener = std::function<void(Notice)>;

    // How long the file plays on from its start after its end, waiting for a restart: as long
    // as the caller's thread may be held up on a busy machine.
    static constexpr int kRunOnMs = 1000;

    // Where Debian and other systems put a General MIDI SoundFont, in the order tried.
    static std::vector<std::string> defaultSoundFontPaths();

    explicit Synth(Output output = Output::Audio,
                   std::vector<std::string> soundFontPaths = defaultSoundFontPaths());
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    // Starts load() on a thread of its own and returns at once, so that loading a large
    // SoundFont holds up no window. Does nothing while loading or once loaded; after a
    // failed load it tries again.
    void startLoading();

    // Creates the synthesizer and loads the first SoundFont that FluidSynth
    // accepts. Does nothing once loaded; throws SynthError (NoSynthesizer,
    // NoSoundFont) and may be retried. After startLoading() it waits for the rest
    // of that load and throws its failure. open() and advance() call it when needed.
    void load();
    // Set before play().
    void setListener(Listener listener);

    // Neither waits for a load under way: false and empty until it has finished.
    bool isLoaded() const;
    std::string soundFontPath() const;  // the SoundFont in use

    // Closes any open file, then reads and checks the file and positions at its
    // start. Throws SynthError (FileMissing, FileUnreadable, FileCorrupt, or a
    // load() failure); the engine is then Closed.
    void open(const std::string& path);

    // Plays from the current position and returns at once. At the end of the
    // file it plays nothing and stays Stopped. Throws SynthError (NotOpen,
    // NoAudioOutput); on failure the state is unchanged.
    void play();

    // Stops playing and silences at once: every note ends without its release, and the
    // reverb and chorus are emptied. Keeps the position and the channels' programs and
    // controllers, so the next play() goes on from there cleanly. Does nothing when closed.
    void stop();

    // Moves back to the start of the file; does nothing when closed. Right after the end
    // (see above) that start is where the file ended, and play() goes on from there.
    void seekToStart();

    // Stops and releases the file; does nothing when closed.
    void close();

    State state() const;
    bool isOpen() const { return state() != State::Closed; }
    bool isPlaying() const { return state() == State::Playing; }
    // True when the open file has played to its end and has not been moved back since.
    bool atEnd() const;
    // True from the loss of the audio output until the next open().
    bool outputLost() const;

    // Output::Offline only: renders the next milliseconds of sound as the audio
    // output would, in whole blocks of 64 frames (a remainder carries over to the
    // next call), and returns the loudest sample (0 for silence). Appends the frames,
    // left and right interleaved, to samples when given. Loads the synthesizer if
    // needed. Throws std::logic_error with Output::Audio.
    float advance(int milliseconds, std::vector<float>* samples = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace midi
