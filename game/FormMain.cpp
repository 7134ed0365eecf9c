#include "game/FormMain.h"

#include <X11/keysym.h>

#include <cstdlib>

#include "app/Application.h"
#include "app/ChildProcesses.h"
#include "app/FormHandler.h"
#include "app/Log.h"
#include "app/Loop.h"
#include "app/Services.h"
#include "app/Timer.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/Slider.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormMsgBox.h"
#include "dialogs/FormNamePlayer.h"
#include "dialogs/SoundPlayer.h"
#include "game/Product.h"
#include "game/art/Pictures.h"
#include "gfx/Graphics.h"
#include "gfx/MyImage.h"
#include "gfx/Picture.h"
#include "util/Files.h"
#include "util/Strings.h"

namespace {

FormMain* mainWindow = nullptr;

// The FormMain that holds an element: the first form up its parent chain,
// else the main window.
FormMain* FindFormMain(GUIElement* element) {
    Form* form = element != nullptr ? Application::GetForm(element->GetParent()) : nullptr;
    if (FormMain* f = dynamic_cast<FormMain*>(form)) return f;
    return mainWindow;
}

FormMain* AsFormMain(GUIElement* element) {
    if (element == nullptr) return nullptr;
    if (element->GetTypeTag() == kFormTag) return dynamic_cast<FormMain*>(element);
    return FindFormMain(element);
}

// Handlers that call an operation of the window an element belongs to.
template <auto Method>
constexpr FormHandler<Method, AsFormMain> ToMain{};

// Presses on the window itself and on the lock cells.
void OnMousePress(GUIElement* e, uint64_t, Point) {
    if (e == nullptr) return;
    if (e->GetTypeTag() == kFormTag) {
        if (FormMain* f = dynamic_cast<FormMain*>(e)) f->FormMouseDown();
    } else if (e->IsChild()) {
        if (FormMain* f = FindFormMain(e)) f->ToggleLock(e);
    }
}

void OnNameDialogClosed(GUIElement*) {}

// The reel (0 to 4) whose hold a key toggles, -1 for other keys: the digits
// 1 to 5 of the main keyboard, and the keypad's with Num Lock on or off.
int HoldKeyReel(uint32_t keysym) {
    static constexpr uint32_t kHoldKeys[FormMain::kReels][3] = {{XK_1, XK_KP_1, XK_KP_End},
                                                                {XK_2, XK_KP_2, XK_KP_Down},
                                                                {XK_3, XK_KP_3, XK_KP_Next},
                                                                {XK_4, XK_KP_4, XK_KP_Left},
                                                                {XK_5, XK_KP_5, XK_KP_Begin}};
    for (int reel = 0; reel < FormMain::kReels; ++reel)
        for (uint32_t key : kHoldKeys[reel])
            if (key == keysym) return reel;
    return -1;
}

} // namespace

FormMain* FormMain::MainWindow() { return mainWindow; }

FormMain::FormMain(Screen* screenArg, const std::string& title) : Form(0) {
    if (screenArg != nullptr) SetScreen(screenArg);
    sound = std::make_unique<SoundPlayer>();
    SetSize(800, 600);
    SetTitle(title);
    SetOption3(false);
    SetOption2(true);
    SetOnLoad(ToMain<&FormMain::FormLoad>);
    SetOnQueryClose(ToMain<&FormMain::ConfirmExit>);
    SetOnResize(ToMain<&FormMain::FormResized>);
    SetOnKeyChar(ToMain<&FormMain::AcceptKey>);
    SetOnKeyDown(ToMain<&FormMain::FormKeyDown>);
    SetOnKeyUp(ToMain<&FormMain::FormKeyUp>);
    SetOnMouseDown(OnMousePress);
    SetBackColor(0x000000);
#ifdef RULLOMAT_SPIN_STATS
    stats.enabled = true;
#endif
    LoadSheet();
    Create();
    if (mainWindow == nullptr) mainWindow = this;
}

void FormMain::LoadSheet() {
    // The loader reports a missing file (size untouched) and one it could
    // not read whole (size -1); a sheet of another size is reported here,
    // by its size on disk before it is read, for it may be huge. In every
    // such case the reels stay blank rather than show bytes that are not a
    // sheet, and the game plays on.
    sheetSize = -1;
    // Anything but a regular file is left to the loader, which refuses it.
    int64_t size = IsRegularFile(kSheetPath) ? FileSize(kSheetPath) : kSheetBytes;
    if (size == kSheetBytes) {
        unsigned char* data = nullptr;
        LoadFile(kSheetPath, data, sheetSize);
        sheetData.reset(data);
        size = sheetSize;
    }
    if (size == kSheetBytes && sheetData != nullptr) return;
    if (size >= 0) Log(std::string(kSheetPath) + ": " + IntToStr(size) + " bytes instead of " + IntToStr(kSheetBytes));
    sheetData.reset();
}

FormMain::~FormMain() {
    spinTimer.reset();
    sound.reset();
    DestroyWindow();
    // A message box still open over this window (the loop normally deletes
    // it first) must not outlive its owner.
    if (pendingMessageBox != nullptr && pendingMessageBox->GetParent() == this)
        DeleteLater(std::move(pendingMessageBox));
    if (mainWindow == this) mainWindow = nullptr;
    // The members go now, in the order their declarations give.
}

std::unique_ptr<CellControl> FormMain::NewCell(int x, int y, int width, int height, uint32_t back, uint32_t fore,
                                               const std::string& caption) {
    auto cell = std::make_unique<CellControl>(this);
    cell->SetPosition(x, y);
    cell->SetSize(width, height);
    cell->SetBackColor(back);
    cell->SetForeColor(fore);
    cell->SetText(caption);
    return cell;
}

std::unique_ptr<ButtonCustom> FormMain::NewButton(const std::string& caption, int x, uint32_t fore, uint32_t back) {
    auto button = std::make_unique<ButtonCustom>(this, caption);
    button->SetSize(100, 28);
    button->SetPosition(x, GetActualHeight() - 55);
    button->SetCommand(ToMain<&FormMain::Command>);
    button->SetForeColor(fore);
    button->SetBackColor(back);
    return button;
}

std::unique_ptr<MyImage> FormMain::NewPicture(int width, int height, int x, int y) {
    auto picture = std::make_unique<MyImage>(this, static_cast<XImage*>(nullptr));
    picture->SetSize(width, height);
    picture->SetPosition(x, y);
    picture->Create();
    return picture;
}

void FormMain::BuildReels() {
    for (int i = 0; i < kReels; ++i) {
        reels[i] = std::make_unique<ImageFrame>(this, sheetData.get(), 1, kSheetWidth, kSheetHeight, i, 0);
        reels[i]->SetSize(kSymbolSize, kSymbolSize);
        reels[i]->SetBackColor(0xFFFFFF);
        reels[i]->SetPosition(ReelX(i), 235);
        reels[i]->SetTransparent(false);
        reels[i]->Create();
    }
    for (int i = 0; i < kReels; ++i) {
        lockCells[i] = NewCell(ReelX(i), 332, kSymbolSize, 25, 0xAAAAAA, 0x000000, "Lock");
        lockCells[i]->SetMarkB(true);
        lockCells[i]->Enable(false);
        lockCells[i]->SetOnMouseDown(OnMousePress);
        lockCells[i]->SetBorder(true);
        lockCells[i]->Create();
    }
    for (int i = 0; i < kReels; ++i) {
        resultCells[i] = NewCell(ReelX(i), 360, kSymbolSize, 15, 0x000000, 0xFFFF00);
        resultCells[i]->Create();
    }
}

// The controls are created in the order that gives their ids, and with them
// the Tab order: INFO, EXIT, START, then the wager slider.
void FormMain::FormLoad() {
    Size s = GetActualSize();
    const int w = s.width;
    const int h = s.height;

    logoPicture = NewPicture(300, 75, 30, 225 - 75);
    paytablePicture = NewPicture(470, 100, w - 470 - 30, 30);
    scoreCell = NewCell(30, 60, 120, 22, 0xFFFF00, 0xFF0000, "Score: 0");
    scoreCell->Create();
    BuildReels();

    infoButton = NewButton("INFO", w / 2, 0x000000, 0xFFFDE5);
    infoButton->Create();
    exitButton = NewButton("EXIT", w / 2 + 110, 0x000000, 0xFFFDE5);
    exitButton->Create();
    startButton = NewButton("START", w / 2 - 150, 0xFFFFFF, 0xFF0000);
    startButton->SetMarkB(true);
    startButton->Create();

    messageCell = NewCell(w / 2 - 150, h - 85, 300, 18, 0x000000, 0xFFFFFF);
    messageCell->Create();
    wagerCell = NewCell(30, h - 85, 176, 22, 0xFFFF00, 0xFF0000);
    wagerCell->Create();

    wagerSlider = std::make_unique<Slider>(this, false, 1, 10);
    wagerSlider->SetPosition(30, h - 60);
    wagerSlider->SetBackColor(0xFFFF00);
    wagerSlider->SetMarkB(true);
    wagerSlider->SetSize(175, 14);
    wagerSlider->SetOnValue(ToMain<&FormMain::ValueChanged>);
    wagerSlider->Create();

    spinTimer = std::make_unique<Timer>(this, 20);
    spinTimer->onTick = ToMain<&FormMain::UserMessage>;
}

bool FormMain::ConfirmExit() {
    ShowQuestion(kExitQuestionId, this, "Do you really want to go exit?", "Exit");
    return false;
}

void FormMain::FormResized() {}
bool FormMain::AcceptKey(char) { return true; }
bool FormMain::KeyFilter(char character) { return character != 9 && character != 13; }

void FormMain::FormKeyDown(uint32_t keysym) {
    // The loop gives a blocked window no keys; this holds whatever calls it.
    if (!IsEnabled()) return;
    const int reel = HoldKeyReel(keysym);
    if (reel >= 0 && lockCells[reel] != nullptr && lockCells[reel]->IsEnabled()) ToggleLock(lockCells[reel].get());
}

void FormMain::FormKeyUp(uint32_t) {}
void FormMain::Hook1() {}
void FormMain::Hook2() {}
void FormMain::Hook3() {}
void FormMain::Hook4() {}
void FormMain::Hook5() {}
void FormMain::Initialize() {}

void FormMain::ToggleLock(GUIElement* cell) {
    for (int i = 0; i < kReels; ++i)
        if (lockCells[i] != nullptr && cell != nullptr && lockCells[i]->GetId() == cell->GetId())
            SetHeld(i, lockCells[i]->GetUserData().empty());
}

void FormMain::SetHeld(int reel, bool held) {
    CellControl* lock = lockCells[reel].get();
    lock->SetUserData(held ? kHeldMark : "");
    lock->SetBackColor(held ? kHeldColor : kNotHeldColor);
    // The caption is set again, unchanged, to paint the cell once more.
    lock->SetText(lock->GetText());
}

void FormMain::FormMouseDown() {
    Form* box = GetDialog();
    if (IsEnabled() || box == nullptr) return;
    Beep();
    box->Show();
}

void FormMain::Command(GUIElement* sender) {
    if (sender == nullptr) return;
    const uint32_t id = sender->GetId();
    if (exitButton != nullptr && id == exitButton->GetId()) {
        if (ConfirmExit()) quitRequested = true;
    } else if (startButton != nullptr && id == startButton->GetId()) {
        StartSpin();
    } else if (infoButton != nullptr && id == infoButton->GetId()) {
        OpenAbout();
    }
}

void FormMain::OpenAbout() {
    aboutBox.reset(); // the previous box goes before the new one is made
    aboutBox = std::make_unique<FormAbout>(this);
    aboutBox->SetScreen(GetScreen());
    aboutBox->SetPicture(aboutImage.get(), 164, 50);
    aboutBox->SetHeading(std::string(product::kTitle) + " " + product::kVersion);
    aboutBox->SetInfoLine(product::kCredits);
    aboutBox->SetNotice(product::kNotice);
    aboutBox->SetWebAddress(product::kWebAddress);
    aboutBox->Show();
}

void FormMain::OpenNameDialog() {
    nameDialog.reset();
    nameDialog = std::make_unique<FormNamePlayer>(this, GetOwnerData(), "Classifica");
    nameDialog->SetPrompt("Enter your name:");
    nameDialog->SetOnClosed(OnNameDialogClosed);
    nameDialog->CenterOn(this);
    nameDialog->Show();
}

void FormMain::ValueChanged(GUIElement* sender, int32_t value) {
    if (sender != nullptr && wagerSlider != nullptr && sender->GetId() == wagerSlider->GetId()) SetWagerText(value);
}

void FormMain::DialogResult(int dialogId, int result) {
    if (dialogId != kExitQuestionId || result != kMsgBoxYes) return;
    if (spinTimer != nullptr) spinTimer->Stop();
    quitRequested = true;
}

void FormMain::Paint() {
    const bool first = created && !firstPaintDone;
    if (first) {
        firstPaintDone = true;
        FirstPaint();
    }
    Form::Paint();
    if (first) ReleaseRawSheet();
    if (first && stats.enabled) WriteFirstFrameStats();
}

void FormMain::ReleaseRawSheet() {
    // The reels share the sheet converted for the display; the file's bytes
    // are not needed once every reel holds it.
    for (const auto& reel : reels)
        if (reel == nullptr || !reel->HasSheet()) return;
    ImageFrame::ForgetRawSheet(sheetData.get());
    sheetData.reset();
}

void FormMain::FirstPaint() {
    logoImage = PaletteXImage(this, wTITLE, hTITLE, imgTITLE);
    logoPicture->SetImage(logoImage.get());
    logoPicture->Create();
    paytableImage = PaletteXImage(this, wPAYTABLE, hPAYTABLE, imgPAYTABLE);
    paytablePicture->SetImage(paytableImage.get());
    paytablePicture->Create();
    aboutImage = PaletteXImage(this, wABOUT, hABOUT, imgABOUT);

    ChangeScore(100);
    wagerSlider->SetValue(1);
    SetWagerText(1);
    spinTimer->Start();
}

void FormMain::UserMessage() {
    // Sound processes are collected here, so none stays defunct.
    ReapChildren();
    SpinTick();
}

void FormMain::SetWagerText(int32_t wager) {
    if (wagerCell != nullptr) wagerCell->SetText("Wager: " + IntToStr(wager));
}

int32_t FormMain::GetWager() {
    if (wagerCell == nullptr) return 0;
    StringList pieces = StrSplit(wagerCell->GetText(), ":");
    if (pieces.size() < 2) return 0;
    return static_cast<int32_t>(std::strtol(pieces[1].c_str(), nullptr, 10));
}

int64_t FormMain::GetScore() {
    if (scoreCell == nullptr) return 0;
    StringList pieces = StrSplit(scoreCell->GetText(), ":");
    if (pieces.size() < 2) return 0;
    const std::string digits = StrReplaceAll(pieces[1], ThousandsSeparator(), "");
    return std::strtoll(digits.c_str(), nullptr, 10);
}

void FormMain::ChangeScore(int64_t delta) {
    if (scoreCell == nullptr) return;
    StringList pieces = StrSplit(scoreCell->GetText(), ":");
    const std::string label = pieces.empty() ? std::string("Score") : pieces[0];
    const std::string caption = label + ": " + IntToStrThousands(GetScore() + delta);
    const int newWidth = Graphics::TextWidth(caption) + 25;
    const int newHeight = 22;
    if (newWidth == scoreCell->GetWidth() && newHeight == scoreCell->GetHeight()) {
        scoreCell->SetText(caption);
        return;
    }
    // The cell changes size: clear the old area in the window's colour,
    // take the new size and caption, and paint once at the new size.
    const bool wasCreated = scoreCell->IsCreated();
    if (wasCreated) scoreCell->Hide();
    scoreCell->SetSize(newWidth, newHeight);
    scoreCell->SetText(caption);
    if (wasCreated) scoreCell->Show();
}

void FormMain::EnableControls(bool flag) {
    if (startButton != nullptr) startButton->SetEnabled(flag);
    if (wagerSlider != nullptr) wagerSlider->SetEnabled(flag);
    if (flag && startButton != nullptr) startButton->SetText("START");
}

void FormMain::ResetLocks() {
    for (const auto& c : lockCells) {
        if (c == nullptr) continue;
        c->SetUserData("");
        c->RestoreBackColor();
        c->SetText(c->GetText());
        c->Enable(false);
    }
}

bool FormMain::IsLocked(int reel) const {
    if (reel < 0 || reel >= kReels || lockCells[reel] == nullptr) return false;
    return lockCells[reel]->GetUserData() == kHeldMark;
}

int FormMain::ReelSymbol(int reel) const {
    if (reel < 0 || reel >= kReels || reels[reel] == nullptr) return -1;
    return static_cast<int>(reels[reel]->GetFrame() & 0xFFFFFFFFu);
}
