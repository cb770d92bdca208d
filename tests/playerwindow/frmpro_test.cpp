// The progression player through its real widgets, with the synthesizer rendering offline
// so that no test waits for the music.
#include "player/frmpro.h"
#include "runtime/errors.h"
#include "runtime/mmcontrol.h"
#include "support/uitest.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace rt;

namespace {

const QString kSoundError = "An unexpected error has occurred.Please check soundcard";

class PlayerTest : public UiTest {
protected:
    frmPro& w = instance<frmPro>();
    void SetUp() override {
        UiTest::SetUp();
        configureMidi(MidiOutput::Offline);
        w.PlayLoop = false;
        w.Show();
    }
    void TearDown() override {
        UiTest::TearDown();
        App::setPathForTests({});
        configureMidi(MidiOutput::Offline);
    }
    void pickProgression(int index) {
        auto* combo = qobject_cast<QComboBox*>(w.cmbProgression.widget());
        combo->setFocus();
        combo->setCurrentIndex(index);  // as a pick from the drop-down list
    }
    void pickKey(int key) { click(w.optKey(key).widget()); }
    void play() { click(w, "cmdPlayChord"); }
    // Lets the control raise its event.
    static void tick() { processEventsFor(kStatusUpdateInterval + 50); }
    // Delivers what the device has posted to the window's thread, and nothing else: no
    // timer runs, so an event seen here came from the device.
    static void deliverPosted() { QCoreApplication::sendPostedEvents(); }
    // Renders in 1 ms steps while the file plays; the milliseconds it took.
    int playToTheEnd() {
        int ms = 0;
        while (w.MMControl1.Mode() == MMControl::kModePlaying && ms < 30000) {
            advanceMidi(1);
            ++ms;
        }
        return ms;
    }
    // A start that cannot sound: the message, the Stop look with nothing playing, and the
    // next click back to the Stopped look.
    void expectFailedStartThenRecovery() {
        pickProgression(0);
        pickKey(0);
        play();
        EXPECT_EQ(prompts, QStringList({kSoundError}));
        EXPECT_EQ(w.cmdPlayChord.Caption(), "Stop Progression");
        EXPECT_NE(w.MMControl1.Mode(), MMControl::kModePlaying);
        EXPECT_FALSE(w.PlayLoop);
        // PlayLoop is False: the loop check leaves the device as the start left it (a file
        // opened whose Play failed stays open and stopped).
        const int mode = w.MMControl1.Mode();
        tick();
        EXPECT_EQ(w.MMControl1.Mode(), mode);
        play();
        EXPECT_EQ(prompts.size(), 1);
        EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
        EXPECT_EQ(w.lblChords.Caption(), "");
    }
};

TEST_F(PlayerTest, OpensStoppedWithEightProgressionsAndNothingChosen) {
    EXPECT_EQ(w.Caption(), "Chord Progressions");
    const QStringList expected = {"ii - V - I", "minor ii - V - I", "I - IV - V", "minor i - iv - v",
                                  "vi - ii - V - I", "I7 - IV7 - V7", "I - IV - V7", "I - I7 - IV - V"};
    QStringList entries;
    for (int i = 0; i < w.cmbProgression.ListCount(); ++i) entries << w.cmbProgression.List(i);
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(w.cmbProgression.Text(), "");
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
    EXPECT_EQ(w.lblChords.Caption(), "");
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    EXPECT_EQ(focusName(w), "optKey_0");
}

TEST_F(PlayerTest, ChecksComeInOrder) {
    play();
    pickKey(3);
    play();
    w.Unload();
    w.Show();
    pickProgression(0);
    play();
    EXPECT_EQ(prompts, QStringList({"Please pick a Chord Progression", "Please pick a Chord Progression", "Please pick a Key"}));
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
}

TEST_F(PlayerTest, StartPlaysTheFileOfProgressionAndKeyAndShowsItsChords) {
    pickProgression(0);
    pickKey(0);
    play();
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join("|").toStdString();
    EXPECT_EQ(w.MMControl1.FileName(), App::Path() + "/Mid/2/4.mid");
    EXPECT_EQ(w.MMControl1.DeviceType(), "Sequencer");
    EXPECT_EQ(w.lblChords.Caption(), "Dmi7,  G7,  CMaj7");
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Stop Progression");
    EXPECT_EQ(focusName(w), "cmbProgression");
    EXPECT_TRUE(w.PlayLoop);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_GT(advanceMidi(1500), 0.0f);  // it sounds
}

// Every key, the last one too: its own file starts and its chord names show.
TEST_F(PlayerTest, EveryKeyPlaysItsOwnFileAndShowsItsChords) {
    const struct {
        const char* key;
        const char* file;
        const char* chords;
    } keys[] = {
        {"C", "/Mid/2/4.mid", "Dmi7,  G7,  CMaj7"},       {"C#/Db", "/Mid/2/5.mid", "Ebmi7,  Ab7,  DbMaj7"},
        {"D", "/Mid/2/6.mid", "Emi7,  A7,  DMaj7"},       {"D#/Eb", "/Mid/2/7.mid", "Fmi7,  Bb7,  EbMaj7"},
        {"E", "/Mid/2/8.mid", "F#mi7,  B7,  EMaj7"},      {"F", "/Mid/2/9.mid", "Gmi7,  C7,  FMaj7"},
        {"F#/Gb", "/Mid/2/10.mid", "Abmi7,  Db7,  GbMaj7"}, {"G", "/Mid/2/11.mid", "Ami7,  D7,  GMaj7"},
        {"G#/Ab", "/Mid/2/12.mid", "Bbmi7,  Eb7,  AbMaj7"}, {"A", "/Mid/2/1.mid", "Bmi7,  E7,  AMaj7"},
        {"A#/Bb", "/Mid/2/2.mid", "Cmi7,  F7,  BbMaj7"},   {"B", "/Mid/2/3.mid", "C#mi7,  F#7,  BMaj7"},
    };
    pickProgression(0);  // "ii - V - I"
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(testing::Message() << "key " << keys[k].key);
        ASSERT_EQ(w.optKey(k).Caption(), keys[k].key);
        pickKey(k);
        play();
        EXPECT_TRUE(prompts.isEmpty()) << "the key's progression did not start: " << prompts.join("|").toStdString();
        EXPECT_EQ(w.MMControl1.FileName(), App::Path() + keys[k].file) << "not the key's file";
        EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying) << "the key's file does not play";
        EXPECT_EQ(w.lblChords.Caption(), keys[k].chords) << "not the key's chord names";
        prompts.clear();
        play();  // stop
    }
}

TEST_F(PlayerTest, TheFileStartsAgainAtItsEndUntilStopped) {
    pickProgression(2);
    pickKey(7);
    play();
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 200 && w.MMControl1.Mode() == MMControl::kModePlaying; ++i) advanceMidi(500);
        ASSERT_EQ(w.MMControl1.Mode(), MMControl::kModeStopped);  // played to its end
        tick();
        EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);  // and again from the start
    }
    play();  // stop
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
    EXPECT_EQ(w.lblChords.Caption(), "");
    EXPECT_FALSE(w.PlayLoop);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    tick();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);  // no restart
    EXPECT_TRUE(prompts.isEmpty());
}

// The loop check runs on the event the device raises as the file ends, not a timer's tick
// later, and the Seek and Play it sends start the file from its start on the beat: the second
// pass lasts exactly as long as the first, counted from the end, although they came later.
TEST_F(PlayerTest, AtTheEndTheFileStartsAgainFromItsStartOnTheNextEvent) {
    pickProgression(0);
    pickKey(0);
    play();
    const int length = playToTheEnd();
    EXPECT_NEAR(length, 3 * 4 * 60000 / 96, 2);  // "ii - V - I": three bars at 96 bpm
    ASSERT_EQ(w.MMControl1.Mode(), MMControl::kModeStopped);
    advanceMidi(40);  // the event's way to the window's thread
    ASSERT_EQ(w.MMControl1.Mode(), MMControl::kModeStopped);
    deliverPosted();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_NEAR(40 + playToTheEnd(), length, 2);
    deliverPosted();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_TRUE(prompts.isEmpty());
}

// After Stop nothing restarts: neither when stopped mid-file nor when the click comes between
// the end and the event it raised.
TEST_F(PlayerTest, AfterStopTheFileDoesNotRestart) {
    for (const bool atTheEnd : {false, true}) {
        SCOPED_TRACE(atTheEnd ? "stopped at the end" : "stopped while playing");
        pickProgression(2);
        pickKey(7);
        play();
        advanceMidi(1000);
        if (atTheEnd) playToTheEnd();
        play();  // stop
        EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
        deliverPosted();
        tick();
        EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
        EXPECT_LT(advanceMidi(20000), 1e-6f);  // silence, to well past the end
        tick();
        EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    }
    EXPECT_TRUE(prompts.isEmpty());
}

// At the end the loop check restarts the file only while PlayLoop is True. (False at the
// end: a start whose Play failed leaves it so, see the faults below.)
TEST_F(PlayerTest, TheLoopCheckRestartsOnlyWhilePlayLoopIsTrue) {
    for (const bool playLoop : {true, false}) {
        SCOPED_TRACE(playLoop ? "PlayLoop True" : "PlayLoop False");
        pickProgression(0);
        pickKey(0);
        play();
        w.PlayLoop = playLoop;
        playToTheEnd();
        deliverPosted();
        tick();
        EXPECT_EQ(w.MMControl1.Mode(), playLoop ? MMControl::kModePlaying : MMControl::kModeStopped);
        EXPECT_EQ(w.PlayLoop, playLoop);
        play();  // stop
    }
}

// A message box of the click's own runs a loop of events while it waits for the user; the
// loop check waits until the click has returned. Here the box is the one of a start whose
// Play fails while PlayLoop is still True from closing the window while it played.
TEST_F(PlayerTest, TheLoopCheckNeverRunsWhileTheClickWaitsInItsMessageBox) {
    pickProgression(0);
    pickKey(0);
    play();
    w.Unload();
    ASSERT_TRUE(w.PlayLoop);
    configureMidi(MidiOutput::None);
    w.Show();
    bool inBox = false;
    int checksInBox = 0;
    int checksAfter = 0;
    const auto loopCheck = w.MMControl1.StatusUpdate;
    w.MMControl1.StatusUpdate = [&] {
        ++(inBox ? checksInBox : checksAfter);
        loopCheck();
    };
    setMessageHandler([&](const QString& p) {
        prompts << p;
        inBox = true;
        processEventsFor(3 * kStatusUpdateInterval);  // the user reads the message
        inBox = false;
    });
    pickProgression(0);
    pickKey(0);
    play();
    tick();
    w.MMControl1.StatusUpdate = loopCheck;
    EXPECT_EQ(prompts, QStringList({kSoundError}));
    EXPECT_EQ(checksInBox, 0);
    EXPECT_GT(checksAfter, 0);
}

TEST_F(PlayerTest, ChangingTheKeyWhilePlayingChangesNothingUntilTheNextStart) {
    pickProgression(1);
    pickKey(0);
    play();
    const QString file = w.MMControl1.FileName();
    const QString chords = w.lblChords.Caption();
    pickKey(5);
    EXPECT_EQ(w.MMControl1.FileName(), file);
    EXPECT_EQ(w.lblChords.Caption(), chords);
    play();
    play();
    EXPECT_NE(w.MMControl1.FileName(), file);
    EXPECT_NE(w.lblChords.Caption(), chords);
}

TEST_F(PlayerTest, ClosingWhilePlayingStopsTheSoundAndKeepsPlayLoop) {
    pickProgression(0);
    pickKey(2);
    play();
    ASSERT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    w.topLevelWidget()->close();
    settle();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    EXPECT_TRUE(w.PlayLoop);
    w.Show();
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
    EXPECT_EQ(w.cmbProgression.ListCount(), 8);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    pickProgression(0);
    pickKey(2);
    play();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
}

TEST_F(PlayerTest, ClosingWhenNothingEverPlayedIsQuiet) {
    w.Unload();
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(PlayerTest, TheSoundFontLoadsBehindTheOpenWindowAndAStartWaitsForIt) {
    // Opened on a fresh engine (SetUp): the window is up while the load goes on, and a start
    // pressed meanwhile waits for the rest of it and plays.
    EXPECT_FALSE(midiLoaded()) << "opening the window waited for the SoundFont";
    pickProgression(0);
    pickKey(0);
    play();
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join("|").toStdString();
    EXPECT_TRUE(midiLoaded());
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_GT(advanceMidi(1500), 0.0f);
    play();

    // A load that fails behind the window gives the soundcard message at the start.
    w.Unload();
    configureMidi(MidiOutput::Offline, {"/nonexistent/none.sf2"});
    w.Show();
    expectFailedStartThenRecovery();
}

TEST_F(PlayerTest, FaultsGiveTheSoundcardMessageAndTheWindowRecovers) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Mid/2");
    struct Fault {
        const char* what;
        std::function<void()> arrange;
    };
    const Fault faults[] = {
        {"missing file", [&] { App::setPathForTests(dir.path()); }},
        {"random bytes",
         [&] {
             App::setPathForTests(dir.path());
             QFile f(dir.filePath("Mid/2/4.mid"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             QByteArray junk(4096, 0);
             for (char& c : junk) c = static_cast<char>(QRandomGenerator::global()->generate());
             f.write(junk);
         }},
        {"truncated file",
         [&] {
             QFile real(App::Path() + "/Mid/2/4.mid");
             ASSERT_TRUE(real.open(QIODevice::ReadOnly));
             const QByteArray head = real.read(30);
             App::setPathForTests(dir.path());
             QFile f(dir.filePath("Mid/2/4.mid"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(head);
         }},
        {"no SoundFont", [&] { configureMidi(MidiOutput::Offline, {"/nonexistent/none.sf2"}); }},
        {"no audio output", [&] { configureMidi(MidiOutput::None); }},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.what);
        prompts.clear();
        App::setPathForTests({});
        configureMidi(MidiOutput::Offline);
        QFile::remove(dir.filePath("Mid/2/4.mid"));
        w.Unload();
        w.PlayLoop = false;
        w.Show();
        f.arrange();
        expectFailedStartThenRecovery();
        tick();  // the loop check finds nothing to restart
        EXPECT_NE(w.MMControl1.Mode(), MMControl::kModePlaying);
    }
}

}  // namespace
