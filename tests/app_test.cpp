// The application core on a real X server: window-manager properties,
// dispatch of real X events, focus, timers, the loop's Run, file loading and
// the trace log's lines.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <sys/stat.h>

#include <filesystem>
#include <initializer_list>
#include <utility>

#include "app/Application.h"
#include "app/Services.h"
#include "app/Timer.h"
#include "tests/support/XTestSupport.h"
#include "util/Files.h"

namespace {

using Lines = std::vector<std::string>;
Lines calls; // what the recorders saw, in order

// What was recorded since the last call, joined by ", ".
std::string Take() {
    std::string joined;
    for (const std::string& call : std::exchange(calls, {})) joined += (joined.empty() ? "" : ", ") + call;
    return joined;
}

// Records every event it receives as "<who>.<event>", then handles it as usual.
template <class Base>
class Rec : public Base {
public:
    using Base::Base;
    std::string who = "form";
    bool allowClose = true;
    void Note(const std::string& what) { calls.push_back(who + "." + what); }
    void MouseDown(Point p) override { Note("down"), Base::MouseDown(p); }
    void MouseUp(Point p) override { Note("up"), Base::MouseUp(p); }
    void OtherButtonDown(Point) override { Note("other down"); }
    void OtherButtonUp(Point) override { Note("other up"); }
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
};

// A client message of type None with data 1: a user message.
void SendUserMessage(Form* form) {
    XEvent ev{};
    ev.xclient = XClientMessageEvent{ClientMessage, 0, False, xt::TestDisplay(), form->GetWindow(), None, 32, {}};
    ev.xclient.data.l[0] = 1;
    XSendEvent(xt::TestDisplay(), form->GetWindow(), False, NoEventMask, &ev);
    XSync(xt::TestDisplay(), False);
}

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

} // namespace

// What a window manager reads: the class, the close protocol, a size it may
// not change, and only a dialog's window type.
TEST_F(AppTest, FormCarriesTheWindowManagerProperties) {
    xt::TestForm form(320, 240), dialog(200, 100, true);
    CreateAll({&form, &dialog});
    Display* d = xt::TestDisplay();
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(d, form.GetWindow(), &hint));
    EXPECT_EQ(std::string(hint.res_name) + "|" + hint.res_class, "Rullomat.exe|Rullomat.exe");
    XFree(hint.res_name), XFree(hint.res_class);
    form.SetTitle("renamed");
    XTextProperty name{}; // the new title, and only it
    ASSERT_TRUE(XGetWMName(d, form.GetWindow(), &name));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(name.value), name.nitems), "renamed");
    XFree(name.value);
    Atom* protocols = nullptr;
    int n = 0;
    ASSERT_TRUE(XGetWMProtocols(d, form.GetWindow(), &protocols, &n));
    EXPECT_EQ(std::vector<Atom>(protocols, protocols + n),
              std::vector<Atom>{XInternAtom(d, "WM_DELETE_WINDOW", False)});
    XFree(protocols);
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(d, form.GetWindow(), &hints, &supplied));
    EXPECT_EQ(std::vector<int>({hints.min_width, hints.max_width, hints.min_height, hints.max_height}),
              std::vector<int>({320, 320, 240, 240}));
    auto type = [d](Window w) {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), 0, 1, False, XA_ATOM, &actual, &format,
                           &count, &after, &data);
        const Atom value = count == 1 ? *reinterpret_cast<Atom*>(data) : None;
        XFree(data);
        return value;
    };
    EXPECT_EQ(std::pair(type(form.GetWindow()), type(dialog.GetWindow())),
              std::pair(Atom{None}, XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False)));
    // The form takes the keyboard focus, and showing it again raises it above
    // the dialog made after it.
    form.SetFocus();
    form.Show();
    Window focus = 0, root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XGetInputFocus(d, &focus, &n);
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    EXPECT_EQ(std::pair(focus, children[count - 1]), std::pair(form.GetWindow(), form.GetWindow()));
    XFree(children);
}

TEST_F(AppTest, CloseRequestReachesQueryClose) {
    RecForm main(200, 100), other(200, 100);
    other.who = "other";
    CreateAll({&main, &other});
    xt::Pump(&main);

    // The main form only hears the question; it decides itself.
    xt::CloseRequest(&main);
    EXPECT_EQ(Take(), "form.queryclose");
    EXPECT_TRUE(main.IsCreated());

    // A secondary form that refuses stays open; one that accepts loses its
    // window, then hears Closed.
    other.allowClose = false;
    xt::CloseRequest(&other);
    EXPECT_EQ(Take(), "other.queryclose");
    EXPECT_TRUE(other.IsCreated());
    other.allowClose = true;
    xt::CloseRequest(&other);
    EXPECT_EQ(Take(), "other.queryclose, other.closed");
    EXPECT_TRUE(!other.IsCreated() && other.GetWindow() == 0);
}

TEST_F(AppTest, ClicksDragsMotionAndFocusFollowTheLoopRules) {
    RecForm form(300, 200);
    Probe a(&form, "a", 10, 10), b(&form, "b", 100, 10), s(&form, "s", 250, 10, "slider");
    CreateAll({&form, &a, &b, &s});
    xt::Pump(&form);

    xt::Click(&form, 15, 15);
    EXPECT_EQ(Take(), "a.got, a.down, form.down, a.up, form.up");
    EXPECT_EQ(Application::focused, &a);

    // Right edge inclusive: x = left + width still hits.
    xt::Click(&form, 120, 30);
    EXPECT_EQ(Application::focused, &b);
    Take();

    // Press on a control, drag off, release on empty space: no MouseUp, focus
    // lost. A focused control that is no slider or scroll bar hears no motion.
    xt::Press(&form, 15, 15);
    xt::Motion(&form, 200, 150);
    xt::Release(&form, 200, 150);
    EXPECT_EQ(Take(), "b.lost, a.got, a.down, form.down, form.move, a.lost, form.up");
    EXPECT_EQ(Application::focused, nullptr);

    // Press on empty space, release over a control: nobody gets MouseUp.
    // Disabled controls are never hit; buttons 2 to 4 go to the form only,
    // the wheel's button 5 to nobody.
    xt::Press(&form, 200, 150);
    xt::Release(&form, 15, 15);
    b.Enable(false);
    xt::Click(&form, 110, 15);
    xt::Click(&form, 15, 15, 3);
    xt::Click(&form, 15, 15, 5);
    EXPECT_EQ(Take(), "form.down, form.up, form.down, form.up, form.other down, form.other up");
    EXPECT_EQ(Application::focused, nullptr);

    // A focused slider hears motion, before the form.
    xt::Click(&form, 255, 15);
    Take();
    xt::Motion(&form, 50, 50);
    EXPECT_EQ(Take(), "s.move, form.move");

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
    EXPECT_EQ(Take(), "a.keydown 97, form.keydown 97, a.char 97, a.keyup 97, form.char 97, form.keyup 97");

    // A key without text changes no entry but still reaches KeyDown and KeyUp.
    const std::vector<unsigned char> before(keyStates, keyStates + 255);
    xt::KeyDown(&form, XK_Left);
    EXPECT_EQ(std::vector<unsigned char>(keyStates, keyStates + 255), before);
    xt::KeyUp(&form, XK_Left);
    EXPECT_EQ(std::exchange(calls, {}).size(), 4u);
    EXPECT_FALSE(IsKeyDown(-1) || IsKeyDown(255));

    // A disabled form hears only its own mouse presses, for every button;
    // its focused control gives the focus up.
    form.Enable(false);
    xt::Click(&form, 15, 15);
    xt::Click(&form, 15, 15, 2);
    xt::Key(&form, XK_a);
    xt::Motion(&form, 20, 20);
    EXPECT_EQ(Take(), "a.lost, form.down, form.up, form.down, form.up");
}

TEST_F(AppTest, TimersFireOnIdleTicksAndTickMsWraps) {
    RecForm form(100, 100);
    Timer t20(&form, 20), t25(&form, 25), idle(&form, 20);
    t20.onTick = [](Timer* t) { calls.push_back(std::to_string(t->GetInterval()) + "@" + std::to_string(tickMs)); };
    t25.onTick = idle.onTick = t20.onTick;
    t20.Start();
    t25.Start();
    tickMs = 980; // 990 after the first tick, 0 after the second
    xt::Ticks(7); // 20 fires every second tick, 25 every third: no carry-over
    t20.Stop(); // with 10 elapsed, kept while stopped
    xt::Ticks(2);
    t20.Start(); // one more tick to fire
    xt::Ticks(2);
    t20.SetInterval(40); // running with 10 elapsed: three more ticks
    xt::Ticks(3);
    EXPECT_EQ(Take(), "20@0, 25@10, 20@20, 20@40, 25@40, 25@70, 20@80, 25@100, 40@120");

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
    static const std::vector<Step> script{{4, true}, {4, true},  {4, true},   {4, true},  {0, true},
                                          {0, true}, {4, false}, {10, false}, {13, false}};
    static size_t next;
    static RecForm* target;
    static auto send = [] { SendUserMessage(target); };
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
    // At the end every window goes, then the open message box, then the main
    // form hears Closed.
    struct Box : RecForm {
        using RecForm::RecForm;
        ~Box() override {
            calls.push_back(std::string("box deleted (form ") + (target->IsCreated() ? "shown)" : "gone)"));
        }
    };
    pendingMessageBox = std::make_unique<Box>(50, 50);
    pendingMessageBox->Create();
    ::Run(&form);
    loopWaiting = real;
    quitRequested = false;
    EXPECT_EQ(Take(), "form.user, form.user, wait 10, form.user, wait 6, form.user, wait 2, tick 990, "
                      "form.user, wait 8, form.user, wait 4, form.user, wait 4, form.user, wait 4, tick 0, "
                      "wait 10, tick 10, wait 10, tick 20, wait 7, box deleted (form gone), form.closed");
    EXPECT_EQ(pendingMessageBox, nullptr);
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

// Files come back whole (an empty one with size 0) and log nothing; a
// missing file leaves the caller's size alone; a folder, a FIFO or a device
// exists but is refused at once, unread: size -1. Each failure is one line.
TEST_F(AppTest, LoadFileResultsAndLines) {
    TextFile("empty.bin").WriteLines({});
    TextFile("three.bin").WriteLines({"ab"});
    MakeDirIfMissing("adir");
    mkfifo("fifo", 0600);
    const std::pair<const char*, int32_t> cases[] = {{"missing", 99}, {"empty.bin", 0}, {"three.bin", 3},
                                                     {"adir", -1},    {"fifo", -1},     {"/dev/zero", -1}};
    for (const auto& [path, expected] : cases) {
        unsigned char* data = nullptr;
        int32_t size = 99;
        LoadFile(path, data, size);
        EXPECT_EQ(size, expected) << path;
        EXPECT_TRUE(size != 3 || std::string(reinterpret_cast<char*>(data), 3) == "ab\n");
        std::free(data);
    }
    EXPECT_EQ(xt::LogLines(), (Lines{"missing: non trovato", "Errore loading adir", "Errore loading fifo",
                                     "Errore loading /dev/zero"}));
    for (const char* path : {"fifo", "three.bin", "empty.bin", "adir"}) std::filesystem::remove(path);
    EXPECT_TRUE(!RunCommand("true") && RunCommand("false") && RunProgram("exit", "3"));
}

// Without timers the loop blocks in XNextEvent and never waits on its own.
TEST_F(AppTest, RunWithoutTimersBlocksForEvents) {
    struct Quitter : RecForm {
        using RecForm::RecForm;
        void UserMessage() override { Note("user"), quitRequested = true; }
    } form(100, 100);
    form.Create();
    xt::Pump();
    const LoopWaiting real = loopWaiting;
    loopWaiting = {[](int, int, int64_t*) { return calls.push_back("wait"), 0; }};
    SendUserMessage(&form);
    ::Run(&form);
    loopWaiting = real;
    quitRequested = false;
    EXPECT_EQ(Take(), "form.user, form.closed");
}

// The first draw seeds the C library's generator from the clock; unseeded it
// would give the sequence of seed 1, the same reels at every start.
TEST_F(AppTest, RandomIsSeededFromTheClock) {
    std::srand(1);
    const int unseeded = std::rand();
    std::srand(1);
    EXPECT_NE(Random(0, RAND_MAX - 1), unseeded % RAND_MAX);
    EXPECT_EQ(Random(5, 4), 5); // hi one below lo: no division by zero
}
