// The application core on a real X server: window-manager properties,
// dispatch of real X events, focus and Tab order, timers, the registry and
// the trace log's exact lines.
#include <X11/Xatom.h>
#include <sys/stat.h>
#include <unistd.h>

#include <initializer_list>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "app/Services.h"
#include "app/Timer.h"
#include "tests/support/XTestSupport.h"
#include "util/Files.h"

namespace {

using Lines = std::vector<std::string>;
Lines calls; // what the recorders saw, in order

// What was recorded since the last call.
Lines Take() { return std::exchange(calls, {}); }

// Records every event it receives as "<who>.<event>", then handles it as usual.
template <class Base> class Rec : public Base {
public:
    using Base::Base;
    std::string who = "form";
    bool allowClose = true;
    void Note(const std::string& what) { calls.push_back(who + "." + what); }
    void MouseDown(Point p) override { Note("down"), Base::MouseDown(p); }
    void MouseUp(Point p) override { Note("up"), Base::MouseUp(p); }
    void GotFocus() override { Note("got"), Base::GotFocus(); }
    void LostFocus() override { Note("lost"), Base::LostFocus(); }
    void KeyDown(uint32_t k) override { Note("keydown " + std::to_string(k)); }
    void KeyUp(uint32_t k) override { Note("keyup " + std::to_string(k)); }
    bool KeyChar(char c) override { return Note("char " + std::to_string(static_cast<int>(c))), true; }
    void MouseMove(int, int) override { Note("move"); }
    bool QueryClose() override { return Note("queryclose"), allowClose; }
    void Closed() override { Note("closed"), Base::Closed(); }
};

class RecForm : public Rec<xt::TestForm> {
public:
    using Rec::Rec;
    void UserMessage() override { Note("user"); }
};

// A minimal 20 by 20 control.
class Probe : public Rec<Child> {
public:
    Probe(GUIElement* owner, const std::string& name, int px, int py, const char* kind = "probe") {
        who = text = name;
        parent = owner, typeTag = kind, x = px, y = py, width = height = 20;
    }
    void Create() override {
        if (id == 0) id = Application::NextId();
        created = visible = true;
    }
    void SetTabStop(bool flag) { tabStop = flag; }
};

void CreateAll(std::initializer_list<GUIElement*> elements) {
    for (GUIElement* e : elements) e->Create();
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        xt::ClearLog();
        Application::focused = nullptr;
    }
};

std::string StringProperty(Window w, const char* name) {
    Display* d = xt::TestDisplay();
    XTextProperty prop{};
    if (!XGetTextProperty(d, w, &prop, XInternAtom(d, name, False)) || prop.value == nullptr) return "";
    std::string s(reinterpret_cast<char*>(prop.value), prop.nitems);
    XFree(prop.value);
    return s;
}

Atom Intern(const char* name) { return XInternAtom(xt::TestDisplay(), name, False); }

// A list of atoms set on the window; empty when the property is missing.
std::vector<Atom> Atoms(Window w, const char* name) {
    Atom actual = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(xt::TestDisplay(), w, Intern(name), 0, 16, False, XA_ATOM, &actual, &format, &n, &after, &data);
    std::vector<Atom> atoms(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + (actual == XA_ATOM ? n : 0));
    if (data) XFree(data);
    return atoms;
}

} // namespace

TEST_F(AppTest, FormCarriesEveryWindowManagerProperty) {
    xt::TestForm form(320, 240), dialog(200, 100, true);
    form.SetTitle("Rullomat - title");
    CreateAll({&form, &dialog});
    Display* d = xt::TestDisplay();
    Window w = form.GetWindow();
    EXPECT_EQ(StringProperty(w, "WM_NAME") + "|" + StringProperty(w, "WM_ICON_NAME"), "Rullomat - title|Rullomat.exe");
    EXPECT_EQ(StringProperty(w, "WM_CLASS"), std::string("Rullomat.exe\0Rullomat.exe\0", 26)); // name, class

    // The window manager may not resize a form.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(d, w, &hints, &supplied));
    EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
    EXPECT_EQ(std::vector<int>({hints.min_width, hints.min_height, hints.max_width, hints.max_height}),
              std::vector<int>({320, 240, 320, 240}));
    EXPECT_EQ(Atoms(w, "WM_PROTOCOLS"), std::vector<Atom>{Intern("WM_DELETE_WINDOW")});

    // Only a dialog is announced as one.
    EXPECT_TRUE(Atoms(w, "_NET_WM_WINDOW_TYPE").empty());
    EXPECT_EQ(Atoms(dialog.GetWindow(), "_NET_WM_WINDOW_TYPE"),
              std::vector<Atom>{Intern("_NET_WM_WINDOW_TYPE_DIALOG")});

    // Title changes after creation reach both names.
    form.SetTitle("new");
    EXPECT_EQ(StringProperty(w, "WM_NAME") + "|" + StringProperty(w, "WM_ICON_NAME"), "new|new");
}

TEST_F(AppTest, CloseRequestReachesQueryClose) {
    RecForm main(200, 100), other(200, 100);
    other.who = "other";
    CreateAll({&main, &other});
    xt::Pump(&main);

    // The main form only hears the question; it decides itself.
    xt::CloseRequest(&main);
    EXPECT_EQ(Take(), Lines{"form.queryclose"});
    EXPECT_TRUE(main.IsCreated());

    // A secondary form that refuses stays open; one that accepts loses its
    // window, then hears Closed.
    other.allowClose = false;
    xt::CloseRequest(&other);
    EXPECT_EQ(Take(), Lines{"other.queryclose"});
    EXPECT_TRUE(other.IsCreated());
    other.allowClose = true;
    xt::CloseRequest(&other);
    EXPECT_EQ(Take(), (Lines{"other.queryclose", "other.closed"}));
    EXPECT_TRUE(!other.IsCreated() && other.GetWindow() == 0);

    // A client message of type None with data 1 is a user message.
    XEvent user{};
    user.xclient.type = ClientMessage;
    user.xclient.window = main.GetWindow();
    user.xclient.format = 32;
    user.xclient.data.l[0] = 1;
    XSendEvent(xt::TestDisplay(), main.GetWindow(), False, NoEventMask, &user);
    xt::Pump(&main);
    EXPECT_EQ(Take(), Lines{"form.user"});
}

TEST_F(AppTest, ClicksDragsMotionAndFocusFollowTheLoopRules) {
    RecForm form(300, 200);
    Probe a(&form, "a", 10, 10), b(&form, "b", 100, 10), s(&form, "s", 250, 10, "slider");
    CreateAll({&form, &a, &b, &s});
    xt::Pump(&form);

    xt::Click(&form, 15, 15);
    EXPECT_EQ(Take(), (Lines{"a.got", "a.down", "form.down", "a.up", "form.up"}));
    EXPECT_EQ(Application::focused, &a);

    // Right edge inclusive: x = left + width still hits.
    xt::Click(&form, 120, 30);
    EXPECT_EQ(Take(), (Lines{"a.lost", "b.got", "b.down", "form.down", "b.up", "form.up"}));

    // Press on a control, drag off, release on empty space: no MouseUp, focus
    // lost. A focused control that is no slider or scroll bar hears no motion.
    xt::Press(&form, 15, 15);
    xt::Motion(&form, 200, 150);
    xt::Release(&form, 200, 150);
    EXPECT_EQ(Take(), (Lines{"b.lost", "a.got", "a.down", "form.down", "form.move", "a.lost", "form.up"}));
    EXPECT_EQ(Application::focused, nullptr);

    // Press on empty space, release over a control: nobody gets MouseUp.
    // Disabled controls are never hit; other buttons go to the form only.
    xt::Press(&form, 200, 150);
    xt::Release(&form, 15, 15);
    b.Enable(false);
    xt::Click(&form, 110, 15);
    xt::Click(&form, 15, 15, 3);
    EXPECT_EQ(Take(), (Lines{"form.down", "form.up", "form.down", "form.up"}));
    EXPECT_EQ(Application::focused, nullptr);

    // A focused slider hears motion, before the form.
    xt::Click(&form, 255, 15);
    Take();
    xt::Motion(&form, 50, 50);
    EXPECT_EQ(Take(), (Lines{"s.move", "form.move"}));

    // Destroying the focused control clears the focus: no key reaches it.
    {
        Probe gone(&form, "gone", 150, 100);
        gone.Create();
        xt::Click(&form, 155, 105);
        EXPECT_EQ(Application::focused, &gone);
    }
    EXPECT_EQ(Application::focused, nullptr);
    xt::Key(&form, XK_a);
}

TEST_F(AppTest, KeysReachFocusedControlThenFormOnlyWhileEnabled) {
    RecForm form(300, 200);
    Probe a(&form, "a", 10, 10);
    CreateAll({&form, &a});
    xt::Click(&form, 15, 15);
    Take();

    xt::KeyDown(&form, XK_a);
    EXPECT_TRUE(IsKeyDown('a'));
    xt::KeyUp(&form, XK_a);
    EXPECT_FALSE(IsKeyDown('a'));
    EXPECT_EQ(Take(), (Lines{"a.keydown 97", "form.keydown 97", "a.char 97", "a.keyup 97", "form.char 97",
                             "form.keyup 97"}));

    // A key without text changes no entry but still reaches KeyDown and KeyUp.
    const std::vector<unsigned char> before(keyStates, keyStates + 255);
    xt::KeyDown(&form, XK_Left);
    EXPECT_EQ(std::vector<unsigned char>(keyStates, keyStates + 255), before);
    xt::KeyUp(&form, XK_Left);
    const std::string left = std::to_string(XK_Left);
    EXPECT_EQ(Take(), (Lines{"a.keydown " + left, "form.keydown " + left, "a.keyup " + left, "form.keyup " + left}));
    EXPECT_FALSE(IsKeyDown(-1) || IsKeyDown(255));

    // A disabled form hears only its own mouse presses, for every button;
    // its focused control gives the focus up.
    form.Enable(false);
    xt::Click(&form, 15, 15);
    xt::Click(&form, 15, 15, 2);
    xt::Key(&form, XK_a);
    xt::Motion(&form, 20, 20);
    EXPECT_EQ(Take(), (Lines{"a.lost", "form.down", "form.up", "form.down", "form.up"}));
}

TEST_F(AppTest, TabFollowsIdsAndWrapsAround) {
    RecForm form(300, 200);
    // Constructed A, B, C; shown C, A, B: ids run C < A < B.
    Probe a(&form, "a", 10, 10), b(&form, "b", 40, 10), c(&form, "c", 70, 10);
    CreateAll({&form, &c, &a, &b});
    EXPECT_TRUE(c.GetId() < a.GetId() && a.GetId() < b.GetId());

    // Nothing focused: the first tab stop in list (construction) order; then
    // the next higher id; from the highest id back to the first tab stop.
    std::vector<GUIElement*> seen;
    for (int i = 0; i < 3; ++i) {
        xt::Key(&form, XK_Tab);
        seen.push_back(Application::focused);
    }
    EXPECT_EQ(seen, (std::vector<GUIElement*>{&a, &b, &a}));

    // Tab on a control that is not a tab stop is delivered to it as a key.
    b.SetTabStop(false);
    xt::Click(&form, 45, 15);
    Take();
    xt::KeyUp(&form, XK_Tab);
    EXPECT_EQ(Application::focused, &b);
    const std::string tab = std::to_string(XK_Tab);
    EXPECT_EQ(Take(), (Lines{"b.char 9", "b.keyup " + tab, "form.char 9", "form.keyup " + tab}));
}

TEST_F(AppTest, TimersFireOnIdleTicksAndTickMsWraps) {
    RecForm form(100, 100);
    Timer t20(&form, 20), t25(&form, 25), idle(&form, 20);
    t20.onTick = [](Timer* t) { calls.push_back(std::to_string(t->GetInterval()) + "@" + std::to_string(tickMs)); };
    t25.onTick = idle.onTick = t20.onTick;
    t20.Start();
    t25.Start();
    EXPECT_EQ(Application::timers.size(), 3u); // a stopped timer still counts
    tickMs = 980;        // 990 after the first tick, 0 after the second
    xt::Ticks(7);        // 20 fires every second tick, 25 every third: no carry-over
    t20.Stop();          // with 10 elapsed, kept while stopped
    xt::Ticks(2);
    t20.Start();         // one more tick to fire
    xt::Ticks(2);
    t20.SetInterval(40); // running with 10 elapsed: three more ticks
    xt::Ticks(3);
    EXPECT_EQ(Take(), (Lines{"20@0", "25@10", "20@20", "20@40", "25@40", "25@70", "20@80", "25@100", "40@120"}));

    // A destroyed timer leaves the list; the next tick must not touch it.
    {
        Timer gone(&form, 10);
        gone.Start();
    }
    EXPECT_EQ(Application::timers.size(), 3u);
    IdleTick();
}

// The real loop with a fake clock and scripted waits: idle time waited
// before an event counts toward the next tick (which comes before that
// event), time beyond a slice counts toward the next one, and events with
// no gap between them (already queued, or ending a wait at once) add none.
TEST_F(AppTest, RunTicksOnIdleTimeWaitedBetweenEvents) {
    struct Step {
        int waitedMs;
        bool event;
    };
    static const std::vector<Step> script{{4, true}, {4, true}, {4, true}, {4, true}, {0, true},
                                          {0, true}, {4, false}, {10, false}, {13, false}};
    static size_t next;
    static RecForm* target;
    static auto send = [] {
        XEvent ev{};
        ev.xclient = XClientMessageEvent{ClientMessage, 0, False, xt::TestDisplay(), target->GetWindow(), None, 32, {}};
        ev.xclient.data.l[0] = 1;
        XSendEvent(xt::TestDisplay(), target->GetWindow(), False, NoEventMask, &ev);
        XSync(xt::TestDisplay(), False);
    };
    RecForm form(100, 100);
    Timer slice(&form, 10);
    slice.onTick = [](Timer*) { calls.push_back("tick " + std::to_string(tickMs)); };
    CreateAll({&form, &slice});
    slice.Start();
    target = &form, next = 0, tickMs = 980;
    xt::Pump();
    send(), send(), Take();
    const LoopWaiting real = loopWaiting;
    loopWaiting = {[](int, int ms, int64_t* waitedNs) {
        calls.push_back("wait " + std::to_string(ms));
        if (next == script.size()) return quitRequested = true, 0;
        const Step step = script[next++];
        *waitedNs = step.waitedMs * int64_t{1000000};
        if (step.event) send();
        return step.event ? 1 : 0;
    }};
    ::Run(&form);
    loopWaiting = real;
    quitRequested = false;
    EXPECT_EQ(Take(), (Lines{"form.user", "form.user", "wait 10", "form.user", "wait 6", "form.user", "wait 2",
                             "tick 990", "form.user", "wait 8", "form.user", "wait 4", "form.user", "wait 4",
                             "form.user", "wait 4", "tick 0", "wait 10", "tick 10", "wait 10", "tick 20",
                             "wait 7", "form.closed"}));
}

TEST_F(AppTest, RegistryCollectsHitsAndUnregisters) {
    RecForm form(300, 200);
    Probe panel(&form, "panel", 100, 100, "panel");
    Probe inner1(&panel, "i1", 0, 0), inner2(&panel, "i2", 30, 0);
    Probe label(&form, "label", 10, 10);
    panel.SetSize(60, 30);
    CreateAll({&form, &panel, &inner1, &inner2, &label});
    EXPECT_EQ(Application::CollectChildren(form.GetId()),
              (std::vector<GUIElement*>{&panel, &inner1, &inner2, &label}));

    // Hits inside the panel are its children; over none of them, never the panel.
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{105, 105}), &inner1);
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{135, 105}), &inner2);
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{125, 105}), nullptr);
    EXPECT_EQ(Application::GetForm(&inner1), &form);
    Point p = Application::ToFormCoordinates(&inner2, 30, 0);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(130, 100));

}

TEST_F(AppTest, ProtocolErrorsAreLoggedAndTheProgramGoesOn) {
    xt::TestForm f(100, 80);
    f.Create();
    // A request on a window that does not exist: BadWindow from the server.
    XMapWindow(xt::TestDisplay(), 0x7ffffff);
    XSync(xt::TestDisplay(), False);
    std::vector<std::string> lines = xt::LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("X error: BadWindow"), std::string::npos);
    // And the connection is still good.
    EXPECT_NE(f.GetActualWidth(), 0);
}

TEST_F(AppTest, LoadFileResultsAndLines) {
    // A missing file: one line, and the caller's values stay.
    unsigned char* data = reinterpret_cast<unsigned char*>(1);
    int32_t size = 1234;
    LoadFile("Data/frutta96x96.bin", data, size);
    EXPECT_EQ(size, 1234);
    EXPECT_EQ(data, reinterpret_cast<unsigned char*>(1));
    EXPECT_EQ(xt::LogLines(), Lines{"Data/frutta96x96.bin: non trovato"});

    // Files come back whole (an empty one with size 0) and log nothing; a
    // folder, a FIFO or a device exists but is refused at once, unread:
    // size -1 and one line.
    xt::ClearLog();
    TextFile("empty.bin").WriteLines({});
    TextFile("three.bin").WriteLines({"ab"});
    MakeDirIfMissing("adir");
    mkfifo("fifo", 0600);
    const std::pair<const char*, int32_t> cases[] = {
        {"empty.bin", 0}, {"three.bin", 3}, {"adir", -1}, {"fifo", -1}, {"/dev/zero", -1}};
    for (const auto& [path, expected] : cases) {
        data = nullptr;
        size = 99;
        LoadFile(path, data, size);
        EXPECT_EQ(size, expected) << path;
        if (size == 3) {
            EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 3), "ab\n");
        }
        std::free(data);
    }
    EXPECT_EQ(xt::LogLines(), (Lines{"Errore loading adir", "Errore loading fifo", "Errore loading /dev/zero"}));
    for (const char* path : {"fifo", "three.bin", "empty.bin", "adir"}) std::filesystem::remove(path);

    EXPECT_EQ(Random(5, 4), 5); // hi one below lo: no division by zero
    EXPECT_FALSE(RunCommand("true"));
    EXPECT_TRUE(RunCommand("false") && RunProgram("exit", "3"));
}
