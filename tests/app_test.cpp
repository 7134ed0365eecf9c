// The application core on a real X server: window-manager properties,
// dispatch of real X events, focus and Tab order, timers, the registry and
// the trace log's exact lines.
#include <X11/Xatom.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Services.h"
#include "app/Timer.h"
#include "tests/support/XTestSupport.h"
#include "util/Files.h"

namespace {

std::vector<std::string> calls; // what the probes saw, in order

void Note(const std::string& s) { calls.push_back(s); }

// A minimal control that records every event it receives.
class Probe : public Child {
public:
    Probe(GUIElement* owner, const std::string& name, int px, int py, const char* kind = "probe") {
        parent = owner;
        typeTag = kind;
        text = name;
        x = px;
        y = py;
        width = 20;
        height = 20;
    }
    void Create() override {
        if (created) return;
        if (id == 0) id = Application::NextId();
        created = true;
        visible = true;
    }
    void SetTabStop(bool flag) { tabStop = flag; }
    void MouseDown(Point p) override { Note(text + ".down"), Child::MouseDown(p); }
    void MouseUp(Point p) override { Note(text + ".up"), Child::MouseUp(p); }
    void GotFocus() override { Note(text + ".got"), Child::GotFocus(); }
    void LostFocus() override { Note(text + ".lost"), Child::LostFocus(); }
    void KeyDown(uint32_t k) override { Note(text + ".keydown " + std::to_string(k)); }
    void KeyUp(uint32_t k) override { Note(text + ".keyup " + std::to_string(k)); }
    bool KeyChar(char c) override {
        Note(text + ".char " + std::to_string(static_cast<int>(c)));
        return true;
    }
    void MouseMove(int, int) override { Note(text + ".move"); }
};

// A form that records what the loop tells it.
class RecForm : public xt::TestForm {
public:
    using TestForm::TestForm;
    bool allowClose = true;
    void MouseDown(Point) override { Note("form.down"); }
    void MouseUp(Point) override { Note("form.up"); }
    void KeyDown(uint32_t k) override { Note("form.keydown " + std::to_string(k)); }
    void KeyUp(uint32_t k) override { Note("form.keyup " + std::to_string(k)); }
    bool KeyChar(char c) override {
        Note("form.char " + std::to_string(static_cast<int>(c)));
        return true;
    }
    void MouseMove(int, int) override { Note("form.move"); }
    bool QueryClose() override {
        Note("form.queryclose");
        return allowClose;
    }
    void Closed() override {
        Note("form.closed");
        Form::Closed();
    }
    void UserMessage() override { Note("form.user"); }
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        xt::ClearLog();
        Application::focused = nullptr;
        quitRequested = false;
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

} // namespace

TEST_F(AppTest, FormCarriesEveryWindowManagerProperty) {
    xt::TestForm form(320, 240);
    form.SetTitle("Rullomat - title");
    form.Create();
    xt::Pump();
    Display* d = xt::TestDisplay();
    Window w = form.GetWindow();
    ASSERT_NE(w, 0u);

    EXPECT_EQ(StringProperty(w, "WM_NAME"), "Rullomat - title");
    EXPECT_EQ(StringProperty(w, "WM_ICON_NAME"), "Rullomat.exe");

    XClassHint cls{};
    ASSERT_TRUE(XGetClassHint(d, w, &cls));
    EXPECT_STREQ(cls.res_name, "Rullomat.exe");
    EXPECT_STREQ(cls.res_class, "Rullomat.exe");
    XFree(cls.res_name);
    XFree(cls.res_class);

    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(d, w, &hints, &supplied));
    EXPECT_TRUE(hints.flags & PMinSize);
    EXPECT_TRUE(hints.flags & PMaxSize);
    EXPECT_EQ(hints.min_width, 320);
    EXPECT_EQ(hints.max_width, 320);
    EXPECT_EQ(hints.min_height, 240);
    EXPECT_EQ(hints.max_height, 240);

    XWMHints* wm = XGetWMHints(d, w);
    ASSERT_NE(wm, nullptr);
    EXPECT_TRUE(wm->flags & InputHint);
    EXPECT_EQ(wm->initial_state, NormalState);
    XFree(wm);

    Atom* protocols = nullptr;
    int count = 0;
    ASSERT_TRUE(XGetWMProtocols(d, w, &protocols, &count));
    ASSERT_EQ(count, 1);
    EXPECT_EQ(protocols[0], XInternAtom(d, "WM_DELETE_WINDOW", False));
    XFree(protocols);

    // An ordinary window is not announced as a dialog.
    Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    Atom actual = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(d, w, type, 0, 1, False, XA_ATOM, &actual, &format, &n, &after, &data);
    EXPECT_EQ(n, 0u);
    if (data) XFree(data);

    // Title changes after creation reach both names.
    form.SetTitle("new");
    EXPECT_EQ(StringProperty(w, "WM_NAME"), "new");
    EXPECT_EQ(StringProperty(w, "WM_ICON_NAME"), "new");
    EXPECT_EQ(form.GetTag(), form.GetId());
}

TEST_F(AppTest, DialogIsAnnouncedWithTheDialogWindowType) {
    xt::TestForm dialog(200, 100, true);
    dialog.Create();
    Display* d = xt::TestDisplay();
    Atom actual = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(d, dialog.GetWindow(), XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), 0, 1,
                                 False, XA_ATOM, &actual, &format, &n, &after, &data),
              Success);
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(actual, XA_ATOM);
    EXPECT_EQ(*reinterpret_cast<Atom*>(data), XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False));
    XFree(data);
}

TEST_F(AppTest, CloseRequestReachesQueryClose) {
    RecForm main(200, 100);
    RecForm other(200, 100);
    main.Create();
    other.Create();
    xt::Pump(&main);

    // The main form only hears the question; it decides itself.
    calls.clear();
    xt::CloseRequest(&main);
    xt::Pump(&main);
    EXPECT_EQ(calls, std::vector<std::string>{"form.queryclose"});
    EXPECT_TRUE(main.IsCreated());

    // A secondary form that refuses stays open.
    calls.clear();
    other.allowClose = false;
    xt::CloseRequest(&other);
    xt::Pump(&main);
    EXPECT_EQ(calls, std::vector<std::string>{"form.queryclose"});
    EXPECT_TRUE(other.IsCreated());

    // One that accepts loses its window, then hears Closed.
    calls.clear();
    other.allowClose = true;
    Window w = other.GetWindow();
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.format = 32;
    ev.xclient.message_type = XInternAtom(xt::TestDisplay(), "WM_PROTOCOLS", False);
    ev.xclient.data.l[0] = static_cast<long>(other.GetDeleteAtom());
    XSendEvent(xt::TestDisplay(), w, False, NoEventMask, &ev);
    xt::Pump(&main);
    EXPECT_EQ(calls, (std::vector<std::string>{"form.queryclose", "form.closed"}));
    EXPECT_FALSE(other.IsCreated());
    EXPECT_EQ(other.GetWindow(), 0u);

    // A client message of type None with data 1 is a user message.
    calls.clear();
    XEvent user{};
    user.xclient.type = ClientMessage;
    user.xclient.window = main.GetWindow();
    user.xclient.format = 32;
    user.xclient.message_type = None;
    user.xclient.data.l[0] = 1;
    XSendEvent(xt::TestDisplay(), main.GetWindow(), False, NoEventMask, &user);
    xt::Pump(&main);
    EXPECT_EQ(calls, std::vector<std::string>{"form.user"});
}

TEST_F(AppTest, ClicksDragsAndFocusFollowTheLoopRules) {
    RecForm form(300, 200);
    Probe a(&form, "a", 10, 10), b(&form, "b", 100, 10);
    form.Create();
    a.Create();
    b.Create();
    xt::Pump(&form);

    calls.clear();
    xt::Click(&form, 15, 15);
    EXPECT_EQ(calls, (std::vector<std::string>{"a.got", "a.down", "form.down", "a.up", "form.up"}));
    EXPECT_EQ(Application::focused, &a);

    // Right edge inclusive: x = left + width still hits.
    calls.clear();
    xt::Click(&form, 120, 30);
    EXPECT_EQ(calls, (std::vector<std::string>{"a.lost", "b.got", "b.down", "form.down", "b.up", "form.up"}));

    // Press on a control, drag off, release on empty space: no MouseUp, focus lost.
    calls.clear();
    xt::Press(&form, 15, 15);
    xt::Motion(&form, 200, 150);
    xt::Release(&form, 200, 150);
    EXPECT_EQ(calls, (std::vector<std::string>{"b.lost", "a.got", "a.down", "form.down", "form.move", "a.lost",
                                               "form.up"}));
    EXPECT_EQ(Application::focused, nullptr);

    // Press on empty space, release over a control: nobody gets MouseUp.
    calls.clear();
    xt::Press(&form, 200, 150);
    xt::Release(&form, 15, 15);
    EXPECT_EQ(calls, (std::vector<std::string>{"form.down", "form.up"}));
    EXPECT_EQ(Application::focused, nullptr);

    // Hidden and disabled controls are never hit.
    b.Enable(false);
    calls.clear();
    xt::Click(&form, 110, 15);
    EXPECT_EQ(calls, (std::vector<std::string>{"form.down", "form.up"}));

    // Other buttons go to the form only.
    calls.clear();
    xt::Click(&form, 15, 15, 3);
    EXPECT_TRUE(calls.empty());
}

TEST_F(AppTest, OnlyFocusedSlidersAndScrollBarsHearMotion) {
    RecForm form(300, 200);
    Probe plain(&form, "p", 10, 10), slider(&form, "s", 100, 10, "slider");
    form.Create();
    plain.Create();
    slider.Create();
    xt::Click(&form, 15, 15);
    calls.clear();
    xt::Motion(&form, 50, 50);
    EXPECT_EQ(calls, std::vector<std::string>{"form.move"});
    xt::Click(&form, 105, 15);
    calls.clear();
    xt::Motion(&form, 50, 50);
    EXPECT_EQ(calls, (std::vector<std::string>{"s.move", "form.move"}));
}

TEST_F(AppTest, KeysReachFocusedControlThenFormAndTrackKeyStates) {
    RecForm form(300, 200);
    Probe a(&form, "a", 10, 10);
    form.Create();
    a.Create();
    xt::Click(&form, 15, 15);

    calls.clear();
    xt::KeyDown(&form, XK_a);
    EXPECT_TRUE(IsKeyDown('a'));
    xt::KeyUp(&form, XK_a);
    EXPECT_FALSE(IsKeyDown('a'));
    EXPECT_EQ(calls, (std::vector<std::string>{"a.keydown 97", "form.keydown 97", "a.char 97", "a.keyup 97",
                                               "form.char 97", "form.keyup 97"}));

    // A key without text changes no entry but still reaches KeyDown and KeyUp.
    unsigned char before[255];
    std::copy(keyStates, keyStates + 255, before);
    calls.clear();
    xt::Key(&form, XK_Left);
    EXPECT_TRUE(std::equal(keyStates, keyStates + 255, before));
    const std::string left = std::to_string(XK_Left);
    EXPECT_EQ(calls, (std::vector<std::string>{"a.keydown " + left, "form.keydown " + left, "a.keyup " + left,
                                               "form.keyup " + left}));
    EXPECT_FALSE(IsKeyDown(-1));
    EXPECT_FALSE(IsKeyDown(255));
}

TEST_F(AppTest, DisabledFormHearsOnlyItsOwnMousePresses) {
    RecForm form(300, 200);
    Probe a(&form, "a", 10, 10);
    form.Create();
    a.Create();
    form.Enable(false);
    calls.clear();
    xt::Click(&form, 15, 15);
    xt::Click(&form, 15, 15, 2);
    xt::Key(&form, XK_a);
    xt::Motion(&form, 20, 20);
    EXPECT_EQ(calls, (std::vector<std::string>{"form.down", "form.up", "form.down", "form.up"}));
    EXPECT_EQ(Application::focused, nullptr);
}

TEST_F(AppTest, TabFollowsIdsAndWrapsAround) {
    RecForm form(300, 200);
    // Constructed A, B, C; shown C, A, B: ids run C < A < B.
    Probe a(&form, "a", 10, 10), b(&form, "b", 40, 10), c(&form, "c", 70, 10);
    form.Create();
    c.Create();
    a.Create();
    b.Create();
    EXPECT_LT(c.GetId(), a.GetId());
    EXPECT_LT(a.GetId(), b.GetId());

    // Nothing focused: the first tab stop in list (construction) order.
    xt::Key(&form, XK_Tab);
    EXPECT_EQ(Application::focused, &a);
    xt::Key(&form, XK_Tab);
    EXPECT_EQ(Application::focused, &b);
    // Highest id: wrap to the first tab stop in list order.
    xt::Key(&form, XK_Tab);
    EXPECT_EQ(Application::focused, &a);

    // Tab on a control that is not a tab stop is delivered to it as a key.
    b.SetTabStop(false);
    xt::Click(&form, 45, 15);
    calls.clear();
    xt::KeyUp(&form, XK_Tab);
    EXPECT_EQ(Application::focused, &b);
    EXPECT_EQ(calls, (std::vector<std::string>{"b.char 9", "b.keyup " + std::to_string(XK_Tab), "form.char 9",
                                               "form.keyup " + std::to_string(XK_Tab)}));
}

TEST_F(AppTest, TimersFireOnIdleTicks) {
    RecForm form(100, 100);
    int fired20 = 0, fired25 = 0;
    Timer t20(&form, 20), t25(&form, 25), idle(&form, 20);
    t20.onTick = [](Timer* t) { ++*reinterpret_cast<int*>(t->GetTag()); };
    t25.onTick = t20.onTick;
    t20.GetTag() = reinterpret_cast<uint64_t>(&fired20);
    t25.GetTag() = reinterpret_cast<uint64_t>(&fired25);
    t20.Start();
    t25.Start();
    EXPECT_EQ(Application::timers.size(), 3u); // a stopped timer still counts

    std::vector<int> seen20, seen25;
    for (int i = 0; i < 6; ++i) {
        IdleTick();
        seen20.push_back(fired20);
        seen25.push_back(fired25);
    }
    EXPECT_EQ(seen20, (std::vector<int>{0, 1, 1, 2, 2, 3}));
    EXPECT_EQ(seen25, (std::vector<int>{0, 0, 1, 1, 1, 2})); // no carry-over: every third tick
    EXPECT_EQ(idle.IsRunning(), false);

    // Stop after one tick, start again: one more tick to fire.
    fired20 = 0;
    IdleTick(); // elapsed 10
    t20.Stop();
    IdleTick();
    IdleTick();
    EXPECT_EQ(fired20, 0);
    t20.Start();
    IdleTick();
    EXPECT_EQ(fired20, 1);

    // SetInterval(40) with elapsed 10: three more ticks.
    IdleTick(); // elapsed 10
    t20.SetInterval(40);
    EXPECT_TRUE(t20.IsRunning());
    IdleTick();
    IdleTick();
    EXPECT_EQ(fired20, 1);
    IdleTick();
    EXPECT_EQ(fired20, 2);

    {
        Timer gone(&form, 10);
        gone.Start();
    }
    EXPECT_EQ(Application::timers.size(), 3u);
    IdleTick(); // must not touch the destroyed timer
}

TEST_F(AppTest, TickMsWrapsAtOneThousand) {
    tickMs = 0;
    std::vector<int> seen;
    for (int i = 0; i < 101; ++i) {
        IdleTick();
        if (i == 0 || i >= 98) seen.push_back(tickMs);
    }
    EXPECT_EQ(seen, (std::vector<int>{10, 990, 0, 10}));
}

TEST_F(AppTest, RegistryCollectsHitsAndUnregisters) {
    RecForm form(300, 200);
    Probe panel(&form, "panel", 100, 100, "panel");
    Probe inner1(&panel, "i1", 0, 0), inner2(&panel, "i2", 30, 0);
    Probe label(&form, "label", 10, 10);
    form.Create();
    panel.Create();
    inner1.Create();
    inner2.Create();
    label.Create();
    std::vector<GUIElement*> expected{&panel, &inner1, &inner2, &label};
    EXPECT_EQ(Application::CollectChildren(form.GetId()), expected);

    // Inside the panel but over none of its children: never the panel itself.
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{135, 105}), &inner2);
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{125, 105}), nullptr);
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{105, 105}), &inner1);
    EXPECT_EQ(Application::FindChildAt(form.GetId(), Point{100 + 25, 100 + 25}), nullptr);
    EXPECT_EQ(Application::GetForm(&inner1), &form);
    Point p = Application::ToFormCoordinates(&inner2, 30, 0);
    EXPECT_EQ(p.x, 130);
    EXPECT_EQ(p.y, 100);

    // A second removal changes nothing and says so.
    size_t before = Application::elements.size();
    Application::RemoveWinForm(&label);
    EXPECT_EQ(Application::elements.size(), before - 1);
    xt::ClearLog();
    Application::RemoveWinForm(&label);
    EXPECT_EQ(Application::elements.size(), before - 1);
    ASSERT_EQ(xt::LogLines().size(), 1u);
    EXPECT_EQ(xt::LogLines()[0], " NON TROVATO! Application::RemoveWinForm = probe size " +
                                     std::to_string(before - 1) + " id " + std::to_string(label.GetId()));
    Application::Register(&label); // so that its destructor finds it
}

TEST_F(AppTest, DestroyingTheFocusedElementClearsTheFocus) {
    RecForm form(300, 200);
    form.Create();
    {
        Probe a(&form, "a", 10, 10);
        a.Create();
        xt::Click(&form, 15, 15);
        EXPECT_EQ(Application::focused, &a);
    }
    EXPECT_EQ(Application::focused, nullptr);
    xt::Key(&form, XK_a); // must not reach the destroyed control
}

TEST_F(AppTest, ElementBaseRules) {
    RecForm form(100, 100);
    Probe a(&form, "a", 0, 0);
    a.SetSize(10, 10);

    // Contains: only when created and visible; all four edges included.
    EXPECT_FALSE(a.Contains(Point{5, 5}));
    a.Create();
    EXPECT_TRUE(a.Contains(Point{0, 0}));
    EXPECT_TRUE(a.Contains(Point{10, 10}));
    EXPECT_FALSE(a.Contains(Point{11, 5}));

    // Releases within 999 ms of each other are double clicks.
    static int clicks = 0, doubles = 0;
    clicks = doubles = 0;
    a.SetOnClick([](GUIElement*, uint64_t, Point) { ++clicks; });
    a.SetOnDoubleClick([](GUIElement*, uint64_t, Point) { ++doubles; });
    static time_t now = 1000000;
    TimeStamp::clockSource = [] { return now; };
    tickMs = 0;
    for (int i = 0; i < 2; ++i) IdleTick(); // 20 ms
    a.MouseUp(Point{});
    for (int i = 0; i < 30; ++i) IdleTick(); // +300 ms
    a.MouseUp(Point{});
    for (int i = 0; i < 30; ++i) IdleTick();
    a.MouseUp(Point{});
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(doubles, 3); // the first release is within 999 ms of construction too
    now += 5;
    a.MouseUp(Point{});
    EXPECT_EQ(doubles, 3);
    TimeStamp::clockSource = nullptr;

    // Load runs the handler once and keeps the first tag.
    static int loads = 0;
    Probe b(&form, "b", 0, 0);
    b.SetOnLoad([](GUIElement*, uint64_t) { ++loads; });
    b.Load(7);
    b.Load(9);
    EXPECT_EQ(b.GetTag(), 7u);
    EXPECT_EQ(loads, 1);

    // Marks exclude each other.
    b.SetMarkB(true);
    b.SetMarkA(true);
    EXPECT_TRUE(b.HasMarkA());
    EXPECT_FALSE(b.HasMarkB());
    b.SetMarkB(true);
    b.SetMarkA(false);
    EXPECT_TRUE(b.HasMarkB());

    // onChange only when the value differs from the one at GotFocus.
    static int changes = 0;
    b.SetOnChange([](GUIElement*) { ++changes; });
    b.GotFocus();
    b.SetText("x");
    b.SetText("b");
    b.LostFocus();
    EXPECT_EQ(changes, 0);
    b.GotFocus();
    b.SetText("c");
    b.LostFocus();
    EXPECT_EQ(changes, 1);

    EXPECT_TRUE(b.KeyChar('z') || true);
    EXPECT_TRUE(form.GUIElement::QueryClose());
}

TEST_F(AppTest, FormGeometryAndCreationFailures) {
    // Without a screen the window cannot be made.
    {
        Form lonely(0);
        lonely.Create();
        EXPECT_FALSE(lonely.IsCreated());
        EXPECT_EQ(xt::LogLines(), std::vector<std::string>{"E' necessario impostare il display"});
        EXPECT_EQ(lonely.GetActualWidth(), 100); // stored width, no server call
    }
    xt::TestForm f(400, 300);
    f.SetScreen(nullptr);
    f.CenterOnScreen(); // falls back to the default screen: 1280 x 1024
    EXPECT_EQ(f.GetPosition().x, (static_cast<int>(ScreenWidth()) - 400) / 2);
    f.SetSize(5000, 5000);
    f.CenterOnScreen();
    EXPECT_EQ(f.GetPosition().x, 0);
    EXPECT_EQ(f.GetPosition().y, 0);

    // DestroyWindow then Create: new window, same id, load handler not run again.
    static int loads = 0;
    xt::TestForm g(100, 80);
    g.SetOnLoad([](GUIElement*, uint64_t) { ++loads; });
    g.Create();
    uint32_t id = g.GetId();
    Window first = g.GetWindow();
    g.DestroyWindow();
    EXPECT_FALSE(g.IsCreated());
    g.Create();
    EXPECT_EQ(g.GetId(), id);
    EXPECT_NE(g.GetWindow(), 0u);
    EXPECT_NE(g.GetWindow(), first);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(g.GetActualWidth(), 100);
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
    unsigned char* data = reinterpret_cast<unsigned char*>(1);
    int32_t size = 1234;
    LoadFile("Data/frutta96x96.bin", data, size);
    EXPECT_EQ(size, 1234);
    EXPECT_EQ(data, reinterpret_cast<unsigned char*>(1));
    EXPECT_EQ(xt::LogLines(), std::vector<std::string>{"Data/frutta96x96.bin: non trovato"});

    TextFile("empty.bin").WriteLines({});
    FileRemove("empty.bin");
    { std::FILE* f = std::fopen("empty.bin", "wb"); std::fclose(f); }
    data = nullptr;
    LoadFile("empty.bin", data, size);
    EXPECT_EQ(size, 0);
    std::free(data);

    TextFile("three.bin").WriteLines({"ab"});
    data = nullptr;
    LoadFile("three.bin", data, size);
    ASSERT_EQ(size, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 3), "ab\n");
    std::free(data);

    // A folder exists but cannot be read as a file: refused, one line.
    xt::ClearLog();
    MakeDirIfMissing("adir");
    data = nullptr;
    size = 99;
    LoadFile("adir", data, size);
    EXPECT_EQ(size, -1);
    EXPECT_EQ(xt::LogLines(), std::vector<std::string>{"Errore loading adir"});
    std::free(data);
    FileRemove("three.bin");
    FileRemove("empty.bin");
    rmdir("adir");

    for (int i = 0; i < 200; ++i) {
        int32_t r = Random(3, 5);
        EXPECT_TRUE(r >= 3 && r <= 5);
    }
    EXPECT_EQ(Random(1, 1), 1);
    EXPECT_EQ(Random(5, 1), 5); // hi below lo: no division by zero
    EXPECT_FALSE(RunCommand("true"));
    EXPECT_TRUE(RunCommand("false"));
    EXPECT_TRUE(RunProgram("exit", "3"));
}
