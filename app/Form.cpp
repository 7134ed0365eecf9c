#include "app/Form.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <utility>

#include "app/Log.h"

bool paintSuspended = false;

namespace {
constexpr long kEventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | EnterWindowMask |
                            LeaveWindowMask | PointerMotionMask | ButtonMotionMask | ExposureMask |
                            StructureNotifyMask | SubstructureNotifyMask;
static_assert(kEventMask == 0xAA07F, "event mask");
} // namespace

Form::Form(uint64_t ownerDataValue) : Form(ownerDataValue, false) {}

Form::Form(uint64_t ownerDataValue, bool dialogFlag) : GUIElement(ownerDataValue), isDialog(dialogFlag) {
    typeTag = kFormTag;
    backColor = kNoColor;
    Application::RegisterForm(this);
}

Form::~Form() {
    // The owner must not go on recording a dialog that no longer exists.
    if (IsOwnersDialog()) BlockedOwner()->SetDialog(nullptr);
    Application::RemoveWinForm(this);
    created = false;
    DestroyXWindow();
}

void Form::DestroyXWindow() {
    if (window == 0) return;
    // Only a control of this window loses the focus with it: a control of a
    // window that stays (the owner a closing dialog has just given the focus
    // back to) keeps it.
    Form* home = Application::GetForm(Application::focused);
    if (home == nullptr || home == this || home->GetWindow() == 0) Application::ClearFocus();
    if (Display* d = GetDisplay()) {
        XUnmapWindow(d, window);
        XDestroyWindow(d, window);
        XFlush(d);
    }
    window = 0;
}

int Form::GetWidth() { return width; }
int Form::GetHeight() { return height; }

// The size of the real window as the server reports it; 0 x 0 when the
// query fails.
Size Form::WindowSize() {
    Display* d = GetDisplay();
    Window root;
    int gx, gy;
    unsigned w = 0, h = 0, border, depth;
    if (d == nullptr || window == 0 || !XGetGeometry(d, window, &root, &gx, &gy, &w, &h, &border, &depth))
        return Size{0, 0};
    return Size{static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

int Form::GetActualWidth() { return created ? WindowSize().width : width; }
int Form::GetActualHeight() { return created ? WindowSize().height : height; }

Point Form::GetPosition() {
    if (!created) return Point{x, y};
    Display* d = GetDisplay();
    if (d == nullptr || window == 0) return Point{0, 0};
    int rx = 0, ry = 0;
    Window childWin;
    if (!XTranslateCoordinates(d, window, RootWindow(d, DefaultScreen(d)), 0, 0, &rx, &ry, &childWin))
        return Point{0, 0};
    return Point{rx, ry};
}

void Form::SetBackColor(uint64_t rgb) {
    backColor = rgb;
    if (created) Refresh();
}

void Form::Show() {
    GUIElement::Show();
    if (created && window != 0 && GetDisplay()) {
        XRaiseWindow(GetDisplay(), window);
        XFlush(GetDisplay());
    }
}

void Form::ShowWindow() {
    GUIElement::Show();
    if (created && window != 0 && GetDisplay()) {
        XMapWindow(GetDisplay(), window);
        XFlush(GetDisplay());
    }
}

void Form::Hide() {
    GUIElement::Hide();
    if (created && window != 0 && GetDisplay()) {
        XUnmapWindow(GetDisplay(), window);
        XFlush(GetDisplay());
    }
}

void Form::SetFocus() {
    if (created && window != 0 && GetDisplay()) XSetInputFocus(GetDisplay(), window, RevertToNone, CurrentTime);
    GUIElement::SetFocus();
}

void Form::Enable(bool flag) {
    const bool wasEnabled = enabled;
    GUIElement::Enable(flag);
    GUIElement* focusedHere = Application::FocusedOn(this);
    if (!flag) {
        // A second dialog opened over a disabled form keeps the first record.
        if (wasEnabled) focusToRestore = focusedHere != nullptr ? focusedHere->GetSerial() : 0;
        if (focusedHere != nullptr) Application::ClearFocus();
        return;
    }
    // The control gets the focus back only if it still exists, still lives
    // on this form, and no other control of this form has taken the focus.
    GUIElement* previous = Application::FindBySerial(std::exchange(focusToRestore, 0));
    if (previous != nullptr && previous->IsChild() && Application::GetForm(previous) == this && focusedHere == nullptr)
        Application::MoveFocus(previous);
}

void Form::BlockOwner(Form* owner) {
    if (owner == nullptr) return;
    blockedOwner = owner->GetSerial();
    owner->Enable(false);
    owner->SetMarkA(true);
    owner->SetDialog(this);
}

void Form::ReleaseOwner() {
    Form* owner = BlockedOwner();
    if (owner == nullptr) return;
    if (owner->GetDialog() == this) owner->SetDialog(nullptr);
    owner->Enable(true);
    owner->SetMarkA(false);
}

Form* Form::BlockedOwner() const {
    // Only a form can be blocked, so the element found is one.
    return blockedOwner != 0 ? static_cast<Form*>(Application::FindBySerial(blockedOwner)) : nullptr;
}

bool Form::IsOwnersDialog() const {
    const Form* owner = BlockedOwner();
    return owner != nullptr && owner->GetDialog() == this;
}

void Form::Paint() {
    for (GUIElement* e : Application::CollectChildren(id))
        if (e->RepaintsWithContainer() && e->IsCreated()) e->Paint();
}

void Form::SetMarkA(bool flag) {
    if (created) GUIElement::SetMarkA(flag);
}

void Form::SetWMHints(Display* d) {
    XSizeHints* sizeHints = XAllocSizeHints();
    XWMHints* wmHints = XAllocWMHints();
    XClassHint* classHint = XAllocClassHint();
    if (sizeHints == nullptr || wmHints == nullptr || classHint == nullptr) {
        Log("XAllocSizeHints/XAllocWMHints/XAllocClassHint failed");
        if (sizeHints) XFree(sizeHints);
        if (wmHints) XFree(wmHints);
        if (classHint) XFree(classHint);
        return;
    }
    sizeHints->flags = PPosition | PSize | PMinSize | PMaxSize;
    sizeHints->x = x;
    sizeHints->y = y;
    sizeHints->width = sizeHints->min_width = sizeHints->max_width = width;
    sizeHints->height = sizeHints->min_height = sizeHints->max_height = height;

    wmHints->flags = InputHint | StateHint | IconPixmapHint;
    wmHints->input = True;
    wmHints->initial_state = NormalState;
    wmHints->icon_pixmap = icon;

    std::string title = GetText();
    std::string iconTitle = "Rullomat.exe";
    char* titleList[] = {title.data()};
    char* iconList[] = {iconTitle.data()};
    XTextProperty windowName{}, iconName{};
    bool haveName = XStringListToTextProperty(titleList, 1, &windowName) != 0;
    bool haveIcon = XStringListToTextProperty(iconList, 1, &iconName) != 0;
    if (!haveName || !haveIcon) Log("XStringListToTextProperty - error");

    std::string className = "Rullomat.exe";
    classHint->res_name = className.data();
    classHint->res_class = className.data();

    XSetWMProperties(d, window, haveName ? &windowName : nullptr, haveIcon ? &iconName : nullptr, nullptr, 0, sizeHints,
                     wmHints, classHint);
    if (haveName) XFree(windowName.value);
    if (haveIcon) XFree(iconName.value);
    XFree(sizeHints);
    XFree(wmHints);
    XFree(classHint);

    deleteAtom = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, window, &deleteAtom, 1);
    XSelectInput(d, window, kEventMask);
}

void Form::Create() {
    if (created) return;
    if (screen == nullptr || screen->GetDisplay() == nullptr) {
        Log("E' necessario impostare il display");
        return;
    }
    Display* d = screen->GetDisplay();
    int sn = DefaultScreen(d);
    unsigned long background = backColor == kNoColor ? 0xAAAAAAul : static_cast<unsigned long>(backColor);
    unsigned w = width > 0 ? static_cast<unsigned>(width) : 1;
    unsigned h = height > 0 ? static_cast<unsigned>(height) : 1;
    window = XCreateSimpleWindow(d, RootWindow(d, sn), x, y, w, h, 1, BlackPixel(d, sn), background);
    if (window == 0) {
        Log("Errore creazione Form ");
        return;
    }
    SetWMHints(d);
    if (isDialog) {
        Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
        Atom dialogType = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(d, window, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&dialogType),
                        1);
    }
    SetFocus();
    AssignId();
    paintSuspended = true;
    Load(tag != 0 ? tag : id);
    paintSuspended = false;
    created = true;
    Refresh();
    Created();
    XMapWindow(d, window);
    visible = true;
    XFlush(d);
}

void Form::ApplyPosition() {
    if (window != 0 && GetDisplay()) XMoveWindow(GetDisplay(), window, x, y);
}

void Form::ApplySize() {
    if (window != 0 && GetDisplay() && width > 0 && height > 0)
        XResizeWindow(GetDisplay(), window, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void Form::ApplyRaise() {
    if (window != 0 && GetDisplay()) XRaiseWindow(GetDisplay(), window);
}

void Form::ApplyLower() {
    if (window != 0 && GetDisplay()) XLowerWindow(GetDisplay(), window);
}

void Form::Extension1() {}
void Form::Extension2(intptr_t) {}
std::string Form::GetTitle() { return GetValue(); }

void Form::SetTitle(const std::string& title) {
    SetText(title);
    if (!created || window == 0 || GetDisplay() == nullptr) return;
    std::string copy = GetText();
    char* list[] = {copy.data()};
    XTextProperty prop{};
    if (!XStringListToTextProperty(list, 1, &prop)) {
        Log("XStringListToTextProperty - out of memory");
        return;
    }
    XSetWMName(GetDisplay(), window, &prop);
    XSetWMIconName(GetDisplay(), window, &prop);
    XFree(prop.value);
}

std::string Form::GetCaption() { return GetTitle(); }
void Form::SetCaption(const std::string& caption) { SetTitle(caption); }
void Form::Created() {}
void Form::UserMessage() {}
void Form::Extension3() {}
void Form::SetOption2(bool flag) { option2 = flag; }
void Form::SetOption3(bool flag) { option3 = flag; }
void Form::SetOption4(bool flag) { option4 = flag; }

void Form::DestroyWindow() {
    created = false;
    DestroyXWindow();
}

void Form::DialogResult(int, int) {}
bool Form::IsDialog() { return isDialog; }

void Form::SetIcon(Pixmap pixmap) {
    icon = pixmap;
    if (!created || window == 0 || GetDisplay() == nullptr) return;
    XWMHints* hints = XAllocWMHints();
    if (hints == nullptr) {
        Log("XAllocSizeHints/XAllocWMHints/XAllocClassHint failed");
        return;
    }
    hints->flags = InputHint | StateHint | IconPixmapHint;
    hints->input = True;
    hints->initial_state = NormalState;
    hints->icon_pixmap = icon;
    XSetWMHints(GetDisplay(), window, hints);
    XFree(hints);
}

void Form::ResizeKeepingPlace(int w, int h) { ResizeForDecorations(w, h, true); }

void Form::ResizeForDecorations(int w, int h, bool move) {
    if (!created) return;
    int dw = GetWidth() - GetActualWidth();
    int dh = GetHeight() - GetActualHeight();
    if (dw < 0) dw = 0;
    if (dh < 0) dh = 0;
    Point p = GetPosition();
    if (move) SetPosition(p.x - dw, p.y - 2 * dh);
    SetSize(w + dw, h + dh);
}

void Form::SetOption5(bool flag) { option5 = flag; }
void Form::SetOption1(bool flag) { option1 = flag; }
void Form::SetDialog(Form* form) { dialog = form; }

void Form::SetGeometry(int newX, int newY, int newWidth, int newHeight) {
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
}

void Form::SetScreen(Screen* s) { screen = s; }
Screen* Form::GetScreen() { return screen; }

void Form::CenterOnScreen() {
    int sw, sh;
    if (screen != nullptr) {
        sw = static_cast<int>(screen->GetWidth());
        sh = static_cast<int>(screen->GetHeight());
    } else {
        sw = static_cast<int>(ScreenWidth());
        sh = static_cast<int>(ScreenHeight());
    }
    Size s = GetSize();
    MoveClamped((sw - s.width) / 2, (sh - s.height) / 2);
}

void Form::CenterOn(GUIElement* owner) {
    if (owner == nullptr) return;
    Point o = owner->GetPosition();
    Size s = owner->GetSize();
    MoveClamped(o.x + (s.width - width) / 2, o.y + (s.height - height) / 2);
}

void Form::Open() {
    if (!created) Create();
    visible = true;
}

void Form::OpenDialog() { Open(); }
Window Form::GetWindow() { return window; }

void Form::SetMarkBIfCreated() {
    if (created) SetMarkB(true);
}

void Form::ClearMarkBIfCreated() {
    if (created) SetMarkB(false);
}
