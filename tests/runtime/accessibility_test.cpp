// The built program as a screen reader meets it: on an X display of its own, with Qt's
// accessibility bridge on, read and driven over a real AT-SPI bus (the test runs under
// dbus-run-session). What each window should show comes from its layout, loaded here
// offscreen.
#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmmain.h"
#include "app/frmothersymbols.h"
#include "app/frmpartial.h"
#include "app/frmsymbols.h"
#include "atspiclient.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dimaug/frmsymmetric.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/extensions/frmmajminext.h"
#include "lessons/inversions/frminversions.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "lessons/susadd/frmsusadd.h"
#include "player/frmpro.h"
#include "runtime/mmcontrol.h"
#include "support/lessondriver.h"
#include "support/uitest.h"
#include "support/xserver.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <map>
#include <memory>

using namespace rt;
using atspi::Node;

namespace {

template <class T>
Form& formOf() {
    return instance<T>();
}

// Every window a user reaches from the main window without printing.
Form& (*const kWindows[])() = {
    formOf<frmMain>,       formOf<frmAbout>,      formOf<frmHelp>,     formOf<frmPartial>,    formOf<frmSymbols>,
    formOf<frmOtherSymbols>, formOf<frmBasic>,    formOf<frm7thType>,  formOf<frmInversions>, formOf<frmSusAdd>,
    formOf<frmMajMinExt>,  formOf<frmDominant>,   formOf<frmDimAug>,   formOf<frmSymmetric>,  formOf<frmPro>,
};

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

bool is(const Node& n, const char* role, const std::string& name) { return n.role() == role && n.name() == name; }

class AccessibilityTest : public UiTest {
protected:
    // One program for the whole suite: starting it and its bus takes seconds.
    static inline std::unique_ptr<QTemporaryDir> dir;
    static inline std::unique_ptr<XServer> xserver;
    static inline QString display;
    static inline std::unique_ptr<QProcess> program;
    static inline std::string unavailable;  // why the machine cannot run the suite
    static inline std::string broken;       // why the program could not be reached
    static inline Node app;

    static void SetUpTestSuite() {
        if (!atspi::connect(unavailable)) return;
        xserver = std::make_unique<XServer>();
        display = xserver->start();
        if (display.isEmpty()) {
            unavailable = "Xvfb could not start: " + xserver->errors().toStdString();
            return;
        }
        dir = std::make_unique<QTemporaryDir>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "WAYLAND_DISPLAY"}) env.remove(v);
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        env.insert("XDG_RUNTIME_DIR", dir->path());
        program = std::make_unique<QProcess>();
        program->setProcessEnvironment(env);
        program->setProcessChannelMode(QProcess::MergedChannels);
        program->start(QStringLiteral(STRUMVANE_EXECUTABLE), {});
        if (!program->waitForStarted(10000)) {
            broken = "the program did not start";
            return;
        }
        waitFor([] { return bool(app = atspi::application("Strumvane")); }, 20000);
        if (!app) {
            broken = "the program never showed itself on the accessibility bus; it said: " + program->readAll().toStdString();
            return;
        }
        app.uncached();
        if (!waitFor([] { return bool(window("Strumvane")); })) broken = "no main window on the bus";
    }
    static void TearDownTestSuite() {
        app = Node();
        if (program) {
            program->kill();
            program->waitForFinished(5000);
        }
        program.reset();
        xserver.reset();
        dir.reset();
    }
    void SetUp() override {
        UiTest::SetUp();
        if (!unavailable.empty()) GTEST_SKIP() << unavailable;
        ASSERT_TRUE(broken.empty()) << broken;
        configureMidi(MidiOutput::Offline);
    }

    static bool waitFor(const std::function<bool()>& done, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        for (;;) {
            atspi::pump();
            if (done()) return true;
            if (t.elapsed() > ms) return false;
            QThread::msleep(50);
        }
    }
    // A top-level window of the program, by its caption.
    static Node window(const std::string& caption) {
        for (const Node& w : app.children())
            if (w.name() == caption && w.role() == "frame") return w;
        return {};
    }
    static Node waitForWindow(const std::string& caption) {
        Node w;
        waitFor([&] { return bool(w = window(caption)); });
        return w;
    }
    static std::string captionOf(Form& f) { return f.Caption().toStdString(); }
    // Runs xdotool on the program's display; the first line it printed into out.
    static bool xdotool(const QStringList& args, QString* out = nullptr) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        p.setProcessEnvironment(env);
        p.start("xdotool", args);
        if (!p.waitForFinished(10000)) return false;
        if (out) *out = QString::fromUtf8(p.readAllStandardOutput()).section('\n', 0, 0).trimmed();
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    // The X window of a shown window of the program, by its caption; 0 when there is none.
    static uint32_t xWindow(const std::string& caption) {
        QString id;
        if (!xdotool({"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(QString::fromStdString(caption)) + "$"}, &id)) return 0;
        return id.toUInt();
    }
    // Gives a window of the program, by its caption, the keyboard, and types a key into it
    // (xdotool's name for it) unless there is none.
    static bool typeInto(const std::string& caption, const char* key = nullptr) {
        const uint32_t id = xWindow(caption);
        if (!id) return false;
        return xdotool({"windowfocus", "--sync", QString::number(id)}) && (!key || xdotool({"key", key}));
    }
    // Asks a window of the program to close, as its close box does through a window manager.
    static bool closeWindow(const std::string& caption) {
        const uint32_t id = xWindow(caption);
        return id && xserver->askToClose(QString::number(id));
    }
    static Node find(const Node& in, const char* role, const std::string& name) {
        return in.find([&](const Node& n) { return is(n, role, name); });
    }
    // Presses OK on a message box of the program, if one is open; its prompt, else "".
    static std::string closeMessageBox() {
        for (const Node& box : app.children()) {
            if (box.name() != "Strumvane" || box.role() == "frame") continue;
            std::string prompt = "?";
            if (Node label = box.find([](const Node& n) { return n.role() == "label" && !n.name().empty(); })) prompt = label.name();
            showingButton(box, "OK").act("Press");
            return prompt;
        }
        return "";
    }
    static Node showingButton(const Node& in, const std::string& name) {
        return in.find([&](const Node& n) { return is(n, "push button", name) && n.showing(); });
    }
    // Presses a button of one window, opening another if it is not open yet.
    static Node open(const std::string& from, const std::string& button, const std::string& caption) {
        if (Node w = window(caption)) return w;
        EXPECT_TRUE(showingButton(window(from), button).act("Press")) << button;
        return waitForWindow(caption);
    }
    static void openEveryWindow() {
        static bool done = false;
        if (done) return;
        done = true;
        const std::string main = "Strumvane";
        for (const Node& b : window(main).findAll([](const Node& n) { return n.role() == "push button" && n.showing(); })) {
            const size_t before = app.children().size();
            b.act("Press");
            waitFor([&] { return app.children().size() > before; }, 3000);
        }
        if (!window(captionOf(formOf<frmAbout>())))
            window(main).find([](const Node& n) { return is(n, "menu item", "About"); }).act("Press");
        open(captionOf(formOf<frmSymbols>()), "Other Symbols", captionOf(formOf<frmOtherSymbols>()));
        open(captionOf(formOf<frmDimAug>()), "More on Dim and Aug chords", captionOf(formOf<frmSymmetric>()));
    }
    // Checks each window as the program shows it, against the same window loaded here.
    static void eachWindow(const std::function<void(Form&, const Node&)>& check) {
        openEveryWindow();
        for (Form& (*formFn)() : kWindows) {
            Form& f = formFn();
            f.Show();
            SCOPED_TRACE(f.Name());
            const Node w = waitForWindow(captionOf(f));
            EXPECT_TRUE(w) << "no window " << captionOf(f);
            if (w) check(f, w);
            f.Unload();
        }
    }
};

TEST_F(AccessibilityTest, EveryShowingButtonOfEveryWindowIsNamedByItsCaption) {
    eachWindow([](Form& f, const Node& w) {
        std::vector<std::string> captions;
        for (Control* c : f.controls())
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Visible()) captions.push_back(b->Caption().trimmed().toStdString());
        std::vector<std::string> heard;
        for (const Node& b : w.findAll([](const Node& n) { return n.role() == "push button" && n.showing(); })) heard.push_back(b.name());
        EXPECT_EQ(sorted(heard), sorted(captions));
    });
}

TEST_F(AccessibilityTest, FramesAreGroupingsAndListsAreNamedByTheirLabels) {
    eachWindow([](Form& f, const Node& w) {
        std::vector<std::string> frames;
        for (Control* c : f.controls())
            if (auto* fr = dynamic_cast<Frame*>(c)) frames.push_back(fr->Caption().toStdString());
        std::vector<std::string> panels;
        for (const Node& p : w.findAll([](const Node& n) { return n.role() == "panel"; })) panels.push_back(p.name());
        EXPECT_EQ(sorted(panels), sorted(frames));
        // The chord type list of every lesson, the progression player's drop-down list.
        if (dynamic_cast<lessons::LessonWindow*>(&f)) {
            EXPECT_TRUE(w.find([](const Node& n) { return is(n, "list", "Chord Types"); }));
        }
        if (&f == &formOf<frmPro>()) {
            EXPECT_TRUE(w.find([](const Node& n) { return is(n, "combo box", "Chord Progressions"); }));
        }
    });
}

// The diminished and augmented lesson, driven as a screen reader user drives it.
TEST_F(AccessibilityTest, SettingARootThroughAtSpiClearsTheDiagramAndSwitchesTheRootGroup) {
    const std::string caption = captionOf(formOf<frmDimAug>());
    const Node w = open("Strumvane", "Augmented -      Diminished", caption);
    ASSERT_TRUE(w);
    const Node client = w.children().at(0);
    const auto find = [&](const char* role, const std::string& name) {
        return w.find([&](const Node& n) { return is(n, role, name); });
    };
    const auto picture = [&] {
        for (const Node& n : client.children())
            if (n.role() == "filler") return n;
        return Node();
    };
    const auto fretLabelShows = [&](const std::string& fret) { return bool(find("label", fret)); };
    const auto strumButton = [&] { return showingButton(w, "Strum Me"); };

    ASSERT_TRUE(find("list item", "Diminished").act("Toggle"));
    ASSERT_TRUE(find("radio button", "F").act("Toggle"));
    ASSERT_TRUE(find("radio button", "1").act("Toggle"));
    ASSERT_TRUE(waitFor([&] { return find("radio button", "1").checked() && find("radio button", "F").checked(); }));
    const Node low = strumButton();
    ASSERT_TRUE(low.act("Press"));
    ASSERT_TRUE(waitFor([&] { return fretLabelShows("12th Fret"); })) << "diagram 233 at the 12th fret";
    EXPECT_TRUE(picture().showing());
    EXPECT_TRUE(low.isDefault());

    // F#/Gb through its own action: the Click runs, as for a mouse pick.
    ASSERT_TRUE(find("radio button", "F#/Gb").act("Toggle"));
    ASSERT_TRUE(waitFor([&] { return !fretLabelShows("12th Fret"); })) << "the diagram stayed";
    EXPECT_FALSE(picture().showing());
    EXPECT_TRUE(find("radio button", "F#/Gb").checked());
    EXPECT_FALSE(find("radio button", "F").checked());
    const Node high = strumButton();
    ASSERT_TRUE(high);
    EXPECT_NE(high.indexInParent(), low.indexInParent()) << "the Strum button of the roots C to F still shows";
    EXPECT_FALSE(low.showing());
    EXPECT_TRUE(high.isDefault());
    EXPECT_FALSE(low.isDefault());

    // That group's Strum button serves F#/Gb: the table's 1st fret, and so does the print.
    ASSERT_TRUE(high.act("Press"));
    ASSERT_TRUE(waitFor([&] { return fretLabelShows("1st Fret"); }));
    ASSERT_TRUE(showingButton(w, "Print Chord").act("Press"));
    const Node preview = waitForWindow("print Chord");
    ASSERT_TRUE(preview);
    EXPECT_TRUE(waitFor([&] { return bool(preview.find([](const Node& n) { return is(n, "label", "F#/Gb Diminished"); })); }));
    EXPECT_TRUE(preview.find([](const Node& n) { return is(n, "label", "1st Fret"); }));
    EXPECT_TRUE(showingButton(preview, "P r i n t"));
}

// A chord type chosen as a screen reader chooses it, after another, in a list whose entries
// run past its visible rows: the one chosen is the chord type, and the only one selected.
TEST_F(AccessibilityTest, AChordTypeChosenThroughAtSpiIsTheOnlyOneSelected) {
    auto& f = instance<frmInversions>();
    const Node w = open("Strumvane", "Inversions", captionOf(f));
    ASSERT_TRUE(w);
    const Node list = w.find([](const Node& n) { return is(n, "list", "Chord Types"); });
    ASSERT_TRUE(list);
    const auto item = [&](const std::string& name) {
        return list.find([&](const Node& n) { return is(n, "list item", name); });
    };
    const auto selectedItems = [&] {
        std::vector<std::string> names;
        for (const Node& n : list.findAll([](const Node& n) { return n.role() == "list item" && n.selected(); }))
            names.push_back(n.name());
        return names;
    };
    const int major6th = 4, c = 0, third = 3;
    f.Show();
    ASSERT_EQ(f.lstChordType.List(major6th), "Major6th");
    ASSERT_EQ(f.lstChordType.ListCount(), 8);
    auto* shown = qobject_cast<QListWidget*>(widget(f, "lstChordType"));
    ASSERT_TRUE(shown);
    ASSERT_GT(shown->visualItemRect(shown->item(major6th)).bottom(), shown->viewport()->height())
        << "the list shows all its entries: this case needs one past its rows";

    ASSERT_TRUE(item("minor").act("Toggle"));
    ASSERT_TRUE(waitFor([&] { return item("minor").selected(); }));
    ASSERT_TRUE(item("Major6th").act("Toggle"));
    ASSERT_TRUE(waitFor([&] { return item("Major6th").selected(); }));
    EXPECT_EQ(selectedItems(), std::vector<std::string>{"Major6th"});

    // Strum Me answers for Major6th: the diagram this window shows for it here.
    lessondriver::show(f, major6th, c, third);
    ASSERT_TRUE(prompts.isEmpty()) << prompts.join(", ").toStdString();
    const std::string fret = f.lblFretNumber.Caption().toStdString();
    ASSERT_TRUE(find(w, "radio button", "C").act("Toggle"));
    ASSERT_TRUE(find(w, "radio button", "3rd. Inversion").act("Toggle"));
    ASSERT_TRUE(waitFor([&] { return find(w, "radio button", "C").checked() && find(w, "radio button", "3rd. Inversion").checked(); }));
    ASSERT_TRUE(showingButton(w, "Strum Me").act("Press"));
    std::string message;
    ASSERT_TRUE(waitFor([&] { return bool(find(w, "label", fret)) || !(message = closeMessageBox()).empty(); }));
    EXPECT_EQ(message, "") << "Strum Me answered with a message";
    // Toggling the chosen entry again leaves it chosen: the list cannot be emptied.
    ASSERT_TRUE(item("Major6th").act("Toggle"));
    atspi::pump();
    EXPECT_EQ(selectedItems(), std::vector<std::string>{"Major6th"});
}

// The entry picked in a drop-down list, read as a screen reader reads a combo box: from its
// edit field if it has one, else from its own text. Arrowing changes it in the closed list,
// and the program says so: the new entry inserted in that text, where a screen reader finds
// it selected in a drop-down list (the cause it speaks it for). The name stays the label's.
TEST_F(AccessibilityTest, ThePickedEntryOfADropDownReadsAsAScreenReaderReadsIt) {
    const struct {
        const char* button;
        Form& (*form)();
        ComboBox& (*box)();
        std::string label;
    } cases[] = {
        {"Common Chord Progressions", formOf<frmPro>, [] () -> ComboBox& { return instance<frmPro>().cmbProgression; }, "Chord Progressions"},
        {"Chord Symbols", formOf<frmSymbols>, [] () -> ComboBox& { return instance<frmSymbols>().cmbChordType; }, "Chord Type"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Form& f = c.form();
        f.Show();
        std::vector<std::string> entries;
        for (int i = 0; i < c.box().ListCount(); ++i) entries.push_back(c.box().List(i).toStdString());
        const std::string caption = captionOf(f);
        const std::string tip = c.box().ToolTipText().toStdString();
        f.Unload();
        ASSERT_GE(entries.size(), 2u);

        const Node w = open("Strumvane", c.button, caption);
        ASSERT_TRUE(w);
        const Node box = find(w, "combo box", c.label);
        ASSERT_TRUE(box) << "no combo box named by its label";
        Node field;
        for (const Node& child : box.children())
            if (child.role() == "text" && child.editable()) field = child;
        const Node reads = field ? field : box;
        const auto heard = [&] { return reads.text(); };

        atspi::Events inserted("object:text-changed:insert");
        ASSERT_TRUE(typeInto(caption));
        ASSERT_TRUE(box.grabFocus());
        ASSERT_TRUE(waitFor([&] { return box.focused() || (field && field.focused()); })) << "the drop-down never took the focus";

        // One step on from what it shows (before any pick, the first entry), or back from the last.
        const auto at = std::find(entries.begin(), entries.end(), heard());
        const bool last = at != entries.end() && at + 1 == entries.end();
        const std::string expected = at == entries.end() ? entries.front() : last ? *(at - 1) : *(at + 1);
        ASSERT_TRUE(typeInto(caption, last ? "Up" : "Down"));
        ASSERT_TRUE(waitFor([&] { return heard() == expected; })) << "reads \"" << heard() << "\", not \"" << expected << "\"";
        EXPECT_EQ(box.name(), c.label);
        // A screen reader follows the caret into the edit field and reads the field as the box.
        if (field) {
            EXPECT_EQ(field.name(), c.label);
            EXPECT_FALSE(tip.empty());
            EXPECT_EQ(field.description(), tip);
        }

        ASSERT_TRUE(waitFor([&] {
            return std::any_of(inserted.seen.begin(), inserted.seen.end(), [&](const atspi::Events::Event& e) { return e.source == reads && e.text == expected; });
        })) << "no text-changed:insert of the new entry";
        if (!field) {
            EXPECT_EQ(box.selectedText(), expected) << "the entry a focused drop-down list shows highlighted reads as selected";
        }
    }
}

// Opening the Chord Symbols page fills its combo box before the window shows. A screen
// reader that is sent an event for each entry takes the flood for a deluge and drops what
// follows, the window's and the focus's announcements among them: the filling tells it
// nothing entry by entry, the first opening or a later one.
TEST_F(AccessibilityTest, FillingTheChordTypeBoxAtOpeningSendsNoEventPerEntry) {
    auto& f = instance<frmSymbols>();
    f.Show();
    const int entries = f.cmbChordType.ListCount();
    const std::string caption = captionOf(f);
    f.Unload();
    ASSERT_GE(entries, 30);

    for (const int opening : {1, 2}) {
        SCOPED_TRACE(opening);
        if (window(caption)) {
            ASSERT_TRUE(closeWindow(caption));
            ASSERT_TRUE(waitFor([&] { return !window(caption); })) << "the page did not close";
        }
        atspi::Events sent("object:");
        ASSERT_TRUE(showingButton(window("Strumvane"), "Chord Symbols").act("Press"));
        const Node w = waitForWindow(caption);
        ASSERT_TRUE(w);
        const Node start = showingButton(w, "Other Symbols");
        ASSERT_TRUE(start);
        // The focus's arrival on the first control is told after all that the filling sent.
        ASSERT_TRUE(waitFor([&] {
            return std::any_of(sent.seen.begin(), sent.seen.end(), [&](const atspi::Events::Event& e) {
                return e.type.starts_with("object:state-changed:focused") && e.source == start;
            });
        })) << "the focus never came to Other Symbols";

        const Node box = find(w, "combo box", "Chord Type");
        ASSERT_TRUE(box);
        std::vector<Node> inBox = box.findAll([](const Node&) { return true; });
        inBox.push_back(box);
        std::map<std::string, int> fromBox;
        int count = 0;
        for (const atspi::Events::Event& e : sent.seen) {
            if (std::find(inBox.begin(), inBox.end(), e.source) == inBox.end()) continue;
            ++fromBox[e.type];
            ++count;
        }
        std::string told;
        for (const auto& [type, n] : fromBox) told += " " + type + " x" + std::to_string(n);
        EXPECT_LT(count, entries) << count << " events from the box, of " << sent.seen.size() << " in all:" << told;
    }
}

// A screen reader that Tab lands on a control with no name says only "tab": every control
// that takes the focus, in every window, is named.
TEST_F(AccessibilityTest, EveryControlThatTakesTheFocusIsNamed) {
    eachWindow([](Form&, const Node& w) {
        for (const Node& n : w.findAll([](const Node& n) { return n.focusable() && n.showing(); })) {
            // Entries of lists and menus are read by their text.
            if (n.role() == "list item" || n.role().starts_with("menu")) continue;
            EXPECT_NE(n.name(), "") << "a " << n.role() << " with no name";
        }
    });
}

// Tab from the last button of the main window's rows goes to the two picture panels and
// then to the two browser views in them, each read as the picture it shows (a screen reader
// names the panel it enters), and on to the last button.
TEST_F(AccessibilityTest, TabThroughTheMainWindowsPicturesReadsWhatEachShows) {
    const Node w = window("Strumvane");
    ASSERT_TRUE(w);
    const auto focused = [&] { return w.find([](const Node& n) { return n.focused(); }); };
    const Node last = showingButton(w, "Major  /  minor Extensions");
    ASSERT_TRUE(last);
    ASSERT_TRUE(typeInto("Strumvane"));
    ASSERT_TRUE(last.grabFocus());
    ASSERT_TRUE(waitFor([&] { return last.focused(); }));
    const std::pair<std::string, std::string> expected[] = {
        {"image", "Left picture panel"},
        {"image", "Right picture panel"},
        {"image", "Guitar player"},
        {"image", "Guitar player"},
        {"push button", "Common Chord Progressions"},
    };
    Node before = last;
    for (const auto& [role, name] : expected) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(typeInto("Strumvane", "Tab"));
        Node now;
        ASSERT_TRUE(waitFor([&] { return (now = focused()) && !(now == before); })) << "Tab left the focus where it was";
        EXPECT_EQ(now.role(), role);
        EXPECT_EQ(now.name(), name);
        before = now;
    }
}

// Tab into the Chord Type box selects its text, as the platform's did, and a screen reader
// hears the text with the focus alone: the edit field tells no selection before the focus
// is told, which the reader would speak as selected, again with the focus, and as
// unselected at the first arrow press.
TEST_F(AccessibilityTest, TabIntoTheChordTypeBoxTellsItsTextWithTheFocusAlone) {
    const std::string caption = captionOf(formOf<frmSymbols>());
    const Node w = open("Strumvane", "Chord Symbols", caption);
    ASSERT_TRUE(w);
    const Node start = showingButton(w, "Other Symbols");
    const Node box = find(w, "combo box", "Chord Type");
    ASSERT_TRUE(start && box);
    Node field;
    for (const Node& child : box.children())
        if (child.role() == "text" && child.editable()) field = child;
    ASSERT_TRUE(field);
    ASSERT_TRUE(typeInto(caption));
    ASSERT_TRUE(start.grabFocus());
    ASSERT_TRUE(waitFor([&] { return start.focused(); }));

    atspi::Events told("object:");
    ASSERT_TRUE(typeInto(caption, "Tab"));
    const auto focusTold = [&] {
        return std::find_if(told.seen.begin(), told.seen.end(), [&](const atspi::Events::Event& e) {
            return e.type.starts_with("object:state-changed:focused") && (e.source == box || e.source == field);
        });
    };
    ASSERT_TRUE(waitFor([&] { return focusTold() != told.seen.end(); })) << "the box never took the focus";
    for (auto e = told.seen.begin(); e != focusTold(); ++e)
        EXPECT_FALSE(e->source == field && e->type.starts_with("object:text-selection-changed")) << "the field's selection was told before the focus";
    EXPECT_FALSE(field.text().empty());
    EXPECT_EQ(field.selectedText(), field.text()) << "Tab selects the edit field's text";
}

}  // namespace
