#include "pulseserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

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

std::vector<Break> Recording::breaks(double from, double to, double minSeconds, float floor) const {
    const auto first = static_cast<std::size_t>(std::clamp(from * rate_, 0.0, static_cast<double>(samples_.size())));
    const auto last = static_cast<std::size_t>(std::clamp(to * rate_, 0.0, static_cast<double>(samples_.size())));
    const auto shortest = static_cast<std::size_t>(std::ceil(minSeconds * rate_));
    std::vector<Break> found;
    for (std::size_t i = first; i < last;) {
        std::size_t j = i;
        while (j < last && std::fabs(samples_[j]) < floor) ++j;
        if (j - i >= std::max<std::size_t>(shortest, 1))
            found.push_back({static_cast<double>(i) / rate_, static_cast<double>(j - i) / rate_});
        i = j + 1;
    }
    return found;
}

double Recording::firstSound(double from, float floor) const {
    for (auto i = static_cast<std::size_t>(std::max(0.0, from * rate_)); i < samples_.size(); ++i) {
        if (std::fabs(samples_[i]) >= floor) return static_cast<double>(i) / rate_;
    }
    return -1;
}

double Recording::silentFrom(double from, double to, float floor) const {
    const auto first = static_cast<std::ptrdiff_t>(std::clamp(from * rate_, 0.0, static_cast<double>(samples_.size())));
    for (auto i = static_cast<std::ptrdiff_t>(std::clamp(to * rate_, 0.0, static_cast<double>(samples_.size()))) - 1;
         i >= first; --i) {
        if (std::fabs(samples_[static_cast<std::size_t>(i)]) >= floor) return static_cast<double>(i + 1) / rate_;
    }
    return from;
}

Attacks::Attacks(const Recording& r) : rate_(r.rate()) {
    constexpr std::size_t kSpan = 32;
    const auto& x = r.samples();
    std::vector<double> sum(x.size() + 1, 0.0);
    for (std::size_t i = 1; i < x.size(); ++i) {
        const double d = x[i] - x[i - 1];
        sum[i + 1] = sum[i] + d * d;
    }
    for (std::size_t i = 0; i + kSpan < sum.size(); ++i) e_.push_back(sum[i + kSpan] - sum[i]);
}

Match Attacks::find(const Attacks& reference, double referenceAt, double at, double early, double late,
                    double length) const {
    const auto ref = static_cast<std::ptrdiff_t>(referenceAt * rate_);
    const auto base = static_cast<std::ptrdiff_t>(at * rate_);
    const auto n = static_cast<std::ptrdiff_t>(length * rate_);
    const auto lo = static_cast<std::ptrdiff_t>(early * rate_);
    const auto hi = static_cast<std::ptrdiff_t>(late * rate_);
    const std::vector<double>& r = reference.e_;
    if (ref < 0 || base + lo < 0 || ref + n > std::ssize(r) || base + hi + n > std::ssize(e_)) return {NAN, 0};
    auto mean = [n](const std::vector<double>& e, std::ptrdiff_t from) {
        return std::accumulate(e.begin() + from, e.begin() + from + n, 0.0) / static_cast<double>(n);
    };
    const double refMean = mean(r, ref);
    auto likeness = [&](std::ptrdiff_t from) {
        const double m = mean(e_, from);
        double dot = 0, a = 0, b = 0;
        for (std::ptrdiff_t i = 0; i < n; ++i) {
            const double u = r[static_cast<std::size_t>(ref + i)] - refMean;
            const double v = e_[static_cast<std::size_t>(from + i)] - m;
            dot += u * v;
            a += u * u;
            b += v * v;
        }
        return dot / std::sqrt(a * b + 1e-30);
    };
    Match best{NAN, -2};
    for (std::ptrdiff_t lag = lo; lag <= hi; ++lag) {
        const double l = likeness(base + lag);
        if (l > best.likeness) best = {static_cast<double>(lag) / rate_, l};
    }
    return best;
}

std::vector<Onset> findOnsets(const Recording& recording, const Attacks& attacks, double downbeat, double until,
                              const StrumPattern& pattern, const Attacks& reference, double referenceDownbeat) {
    // A little before each attack, so that all of it counts.
    constexpr double kLead = 0.003;
    // A gap this long below -60 dBFS delays what comes after it.
    constexpr double kGap = 0.005;
    constexpr float kFloor = 0.001f;
    // A strum's match below this likeness is no match: one drowned in the ringing of the one
    // before, not sure to the millisecond. A downbeat, the loudest strum, is matched over
    // longer, may be broken by a gap and still be found.
    constexpr double kAlike = 0.8;
    constexpr double kDownbeatAlike = 0.5;
    std::vector<Onset> found;
    if (pattern.length <= 0 || pattern.strums.empty()) return found;
    double lastHeard = downbeat;  // where the strum before was heard (or, not found, put)
    double lastPlace = 0;         // and where the pattern puts it, from the first downbeat
    for (int pass = 0;; ++pass) {
        for (std::size_t s = 0; s < pattern.strums.size(); ++s) {
            const double place = pass * pattern.length + pattern.strums[s];
            Onset o{pass, s, downbeat + place};
            if (o.grid >= until) return found;
            if (pass == 0 && s == 0) {
                o.heard = downbeat;
                o.likeness = 1;
                found.push_back(o);
                continue;
            }
            const double caughtUp = lastHeard + (place - lastPlace);
            // Each break found may bring the next one in.
            double late = caughtUp;
            for (int i = 0; i < 100; ++i) {
                double gaps = 0;
                for (const Break& b : recording.breaks(lastHeard, late, kGap, kFloor)) gaps += b.length;
                if (caughtUp + gaps == late) break;
                late = caughtUp + gaps;
            }
            const bool isDownbeat = s == 0;
            const double early = isDownbeat ? 0.05 : 0.02;
            const double after = isDownbeat ? 0.3 : 0.02;
            const Match m = attacks.find(reference, referenceDownbeat + pattern.strums[s] - kLead, caughtUp - kLead,
                                         -early, late - caughtUp + after, isDownbeat ? 0.15 : 0.03);
            o.likeness = m.likeness;
            if (!std::isnan(m.off) && m.likeness >= (isDownbeat ? kDownbeatAlike : kAlike)) o.heard = caughtUp + m.off;
            lastHeard = std::isnan(o.heard) ? late : o.heard;
            lastPlace = place;
            found.push_back(o);
        }
    }
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
    // --enable-memfd=no: PulseAudio 16 can abort when a recorder on a monitor is handed blocks
    // a client sent by memfd and that client goes (its issue 824, "non-registered memfd ID");
    // this daemon shares memory the older way.
    daemon_.start("pulseaudio", {"--daemonize=no", "--system=no", "--use-pid-file=no", "--exit-idle-time=-1", "-n",
                                 "--enable-memfd=no",
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
}

bool PulseServer::startRecording(QString* why) {
    recording_ = dir_.filePath(QStringLiteral("recording-%1.raw").arg(++recordings_));
    recorder_.setProcessEnvironment(environment());
    recorder_.setProcessChannelMode(QProcess::MergedChannels);
    recorder_.setStandardOutputFile(dir_.filePath("parec.log"), QIODevice::Append);
    // A short latency, so that what is played reaches the file within some 20 ms (parec's
    // default waits for about two seconds of it).
    recorder_.start("parec", {"--device=" + kSink + ".monitor", "--raw", "--format=s16le", "--latency-msec=20",
                              QStringLiteral("--rate=%1").arg(kRate), "--channels=2", recording_});
    if (!recorder_.waitForStarted(5000)) {
        if (why) *why = "parec did not start: " + recorder_.errorString();
        return false;
    }
    return true;
}

void RecordingClock::watch(int ms) {
    QElapsedTimer watching;
    watching.start();
    do {
        QCoreApplication::processEvents();
        QThread::usleep(500);
        ahead_ = std::max(ahead_, pulse_.secondsRecorded() - wall());
    } while (watching.elapsed() < ms);
}

Recording PulseServer::recordedSoFar() const { return Recording(readMono(recording_), kRate); }

double PulseServer::secondsRecorded() const {
    return static_cast<double>(QFileInfo(recording_).size() / 4) / kRate;
}

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
