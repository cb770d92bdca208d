#include "pulseserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <signal.h>

namespace {

constexpr int kRate = 44100;
const QString kSink = QStringLiteral("strumvane");

std::vector<float> readMono(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    const auto* frames = reinterpret_cast<const qint16*>(bytes.constData());
    const qsizetype count = bytes.size() / 4;  // two 16-bit channels
    std::vector<float> mono(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) mono[static_cast<std::size_t>(i)] = (frames[2 * i] + frames[2 * i + 1]) / 65536.0f;
    return mono;
}

// Why no daemon can run here (pulseaudio, parec or pactl missing), or empty.
QString missingTools() {
    for (const char* tool : {"pulseaudio", "parec", "pactl"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QStringLiteral("%1 is not installed (Debian's pulseaudio and pulseaudio-utils)").arg(tool);
    }
    return {};
}

}  // namespace

float Recording::peak(double from, double to) const {
    const auto first = static_cast<std::size_t>(std::clamp(from * rate_, 0.0, static_cast<double>(samples_.size())));
    const auto last = static_cast<std::size_t>(std::clamp(to * rate_, 0.0, static_cast<double>(samples_.size())));
    float loudest = 0;
    for (std::size_t i = first; i < last; ++i) loudest = std::max(loudest, std::fabs(samples_[i]));
    return loudest;
}

double Recording::soundsUntil(double from, float floor) const {
    constexpr double kWindow = 0.05;
    for (double t = from; t + kWindow <= seconds(); t += kWindow) {
        if (peak(t, t + kWindow) <= floor) return t;
    }
    return seconds();
}

PulseServer::PulseServer() = default;

PulseServer::~PulseServer() {
    if (recorder_.state() != QProcess::NotRunning) {
        recorder_.kill();
        recorder_.waitForFinished(5000);
    }
    resume();
    kill();
}

QString PulseServer::server() const { return "unix:" + dir_.filePath("native"); }

QProcessEnvironment PulseServer::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Everything of the daemon's stays in its folder: socket, state, cookie.
    env.insert("XDG_RUNTIME_DIR", dir_.path());
    env.insert("HOME", dir_.path());
    env.insert("PULSE_SERVER", server());
    return env;
}

bool PulseServer::start(QString* why) {
    auto fail = [&](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (!dir_.isValid()) return fail("no private runtime folder");
    const QString missing = missingTools();
    if (!missing.isEmpty()) return fail(missing);
    kill();
    daemon_.setProcessEnvironment(environment());
    daemon_.setProcessChannelMode(QProcess::MergedChannels);
    daemon_.setStandardOutputFile(dir_.filePath("daemon.log"), QIODevice::Append);
    // -n: none of the system's default modules, only a socket of its own (no cookie needed)
    // and the null sink. --system=no with root: a daemon for this folder only.
    daemon_.start("pulseaudio", {"--daemonize=no", "--system=no", "--use-pid-file=no", "--exit-idle-time=-1", "-n",
                                 "--log-target=stderr",
                                 "--load=module-native-protocol-unix auth-anonymous=1 socket=" + dir_.filePath("native"),
                                 "--load=module-null-sink sink_name=" + kSink});
    if (!daemon_.waitForStarted(5000)) return fail("pulseaudio did not start: " + daemon_.errorString());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000 && daemon_.state() == QProcess::Running) {
        QProcess ask;
        ask.setProcessEnvironment(environment());
        ask.start("pactl", {"info"});
        if (ask.waitForFinished(3000) && ask.exitStatus() == QProcess::NormalExit && ask.exitCode() == 0) return true;
        QThread::msleep(100);
    }
    QFile log(dir_.filePath("daemon.log"));
    const QString said = log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
    kill();
    return fail("the PulseAudio daemon did not answer: " + said);
}

void PulseServer::kill() {
    if (daemon_.state() == QProcess::NotRunning) return;
    daemon_.kill();
    daemon_.waitForFinished(5000);
}

void PulseServer::pause() {
    if (running()) ::kill(static_cast<pid_t>(daemon_.processId()), SIGSTOP);
}

void PulseServer::resume() {
    if (running()) ::kill(static_cast<pid_t>(daemon_.processId()), SIGCONT);
}

void PulseServer::useForThisProcess() const {
    qputenv("PULSE_SERVER", server().toLocal8Bit());
    // No autospawned daemon either.
    qputenv("PULSE_CLIENTCONFIG", dir_.filePath("client.conf").toLocal8Bit());
    QFile conf(dir_.filePath("client.conf"));
    if (conf.open(QIODevice::WriteOnly)) conf.write("autospawn = no\n");
    qputenv("ALSA_CONFIG_PATH", "/nonexistent/alsa.conf");
}

bool PulseServer::startRecording(QString* why) {
    recording_ = dir_.filePath(QStringLiteral("recording-%1.raw").arg(++recordings_));
    recorder_.setProcessEnvironment(environment());
    recorder_.setProcessChannelMode(QProcess::MergedChannels);
    recorder_.setStandardOutputFile(dir_.filePath("parec.log"), QIODevice::Append);
    recorder_.start("parec", {"--device=" + kSink + ".monitor", "--raw", "--format=s16le",
                              QStringLiteral("--rate=%1").arg(kRate), "--channels=2", recording_});
    if (!recorder_.waitForStarted(5000)) {
        if (why) *why = "parec did not start: " + recorder_.errorString();
        return false;
    }
    return true;
}

Recording PulseServer::recordedSoFar() const { return Recording(readMono(recording_), kRate); }

Recording PulseServer::stopRecording() {
    if (recorder_.state() != QProcess::NotRunning) {
        recorder_.terminate();
        if (!recorder_.waitForFinished(5000)) {
            recorder_.kill();
            recorder_.waitForFinished(5000);
        }
    }
    return recordedSoFar();
}
