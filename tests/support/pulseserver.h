#pragma once
// A PulseAudio daemon of a test's or benchmark's own, in a private runtime folder, with a
// null sink whose monitor is recorded with parec: the real audio path, heard by no one.
// As root the daemon warns that it is not meant to run so, and runs.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// What the null sink played, mixed to one channel.
class Recording {
public:
    Recording() = default;
    Recording(std::vector<float> samples, int rate) : samples_(std::move(samples)), rate_(rate) {}

    int rate() const { return rate_; }
    double seconds() const { return static_cast<double>(samples_.size()) / rate_; }
    const std::vector<float>& samples() const { return samples_; }
    // The loudest sample between two times, in seconds.
    float peak(double from, double to) const;
    // Where the sound is louder than `floor` in every 50 ms window from `from` up to the
    // end: the first window that is quieter, in seconds (seconds() when none is).
    double soundsUntil(double from, float floor) const;

private:
    std::vector<float> samples_;
    int rate_ = 44100;
};

class PulseServer {
public:
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // Starts the daemon with its null sink as the default output and waits until it answers;
    // false with the reason (a tool missing, the daemon's log) otherwise.
    bool start(QString* why = nullptr);
    // Ends the daemon at once, as a crash does (SIGKILL), and waits for it.
    void kill();
    // Stops the daemon (SIGSTOP) without ending it: its clients hang; resume() goes on.
    void pause();
    void resume();
    bool running() const { return daemon_.state() != QProcess::NotRunning; }

    // This process's PulseAudio clients talk to this daemon from now on, and ALSA finds no
    // device, so that no other output takes over while the daemon is gone.
    void useForThisProcess() const;

    // Records the null sink's monitor until stopRecording() or the daemon's end.
    bool startRecording(QString* why = nullptr);
    // The recorder stops and what it wrote so far is read back.
    Recording stopRecording();
    // What the recorder has written so far, while it goes on.
    Recording recordedSoFar() const;

private:
    QString server() const;
    QProcessEnvironment environment() const;

    QTemporaryDir dir_;
    QProcess daemon_;
    QProcess recorder_;
    QString recording_;  // the file the recorder writes
    int recordings_ = 0;
};
