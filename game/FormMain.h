// The game window: five reels over a picture sheet, a "Lock" cell and a
// result cell under each reel, the score, the wager and its slider, the
// result line, the title and pay-table pictures and the buttons START, INFO
// and EXIT. The round itself (spin, holds, re-spin, payout) lives in
// game/Round.cpp and works on the state kept here.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <memory>
#include <string>

#include "app/Form.h"
#include "gfx/Picture.h"
#include "util/TimeStamp.h"

class ButtonCustom;
class CellControl;
class FormAbout;
class FormNamePlayer;
class ImageFrame;
class MyImage;
class Slider;
class SoundPlayer;
class Timer;

class FormMain : public Form {
public:
    static constexpr int kReels = 5;
    static constexpr int kSymbols = 12;
    static constexpr int kSymbolSize = 96;
    static constexpr int kSheetWidth = kSymbols * kSymbolSize;
    static constexpr int kSheetHeight = kSymbolSize;
    static constexpr int32_t kSheetBytes = kSheetWidth * kSheetHeight * 3;
    static constexpr const char* kSheetPath = "Data/frutta96x96.bin";
    static constexpr const char* kSpinSound = "Data/ding.wav";
    static constexpr int kSpinMs = 15000;
    static constexpr int kExitQuestionId = 1000;

    FormMain(Screen* screen, const std::string& title);
    ~FormMain() override;

    // The first FormMain constructed while none is alive; null otherwise.
    static FormMain* MainWindow();

    // Handlers of the window itself.
    virtual void FormLoad();
    virtual bool ConfirmExit();
    virtual void FormResized();
    virtual bool AcceptKey(char character);
    virtual bool KeyFilter(char character);
    // The game's keys: 1 to 5, of the main keyboard or of the keypad (Num
    // Lock on or off), toggle the hold of reel 1 to 5 as a click on its
    // "Lock" cell does, while that cell takes clicks (the hold phase).
    virtual void FormKeyDown(uint32_t keysym);
    virtual void FormKeyUp(uint32_t keysym);
    virtual void Hook1();
    virtual void Hook2();
    virtual void ToggleLock(GUIElement* cell);
    virtual void FormMouseDown();
    virtual void Hook3();
    virtual void Hook4();
    virtual void Command(GUIElement* sender);
    virtual void ValueChanged(GUIElement* sender, int32_t value);
    virtual void Hook5();

    void Paint() override;
    void UserMessage() override;
    void DialogResult(int dialogId, int result) override;
    void Initialize() override;

    // Score and wager displays.
    void SetWagerText(int32_t wager);
    int32_t GetWager();
    void ChangeScore(int64_t delta);
    int64_t GetScore();
    void EnableControls(bool flag);
    void ResetLocks();

    // Asks for the player's name in the dialog "Classifica", replacing the
    // previous one. The game has no end, so nothing opens it yet, and its
    // closed handler records nothing.
    void OpenNameDialog();

    // The round (game/Round.cpp).
    void StartSpin();
    void SpinTick();
    void EvaluateSpin();
    // Forgets a running spin's clock, as if no spin had ever started.
    void ResetSpinClock();

    // Read access for the owner and for checks.
    bool IsSpinning() const { return spinning; }
    bool InHoldPhase() const { return holdPhase; }
    bool IsLocked(int reel) const;
    int ReelSymbol(int reel) const;
    ButtonCustom* StartButton() const { return startButton.get(); }
    ButtonCustom* InfoButton() const { return infoButton.get(); }
    ButtonCustom* ExitButton() const { return exitButton.get(); }
    ImageFrame* Reel(int i) const { return reels[i].get(); }
    CellControl* LockCell(int i) const { return lockCells[i].get(); }
    CellControl* ResultCell(int i) const { return resultCells[i].get(); }
    CellControl* MessageCell() const { return messageCell.get(); }
    CellControl* ScoreCell() const { return scoreCell.get(); }
    CellControl* WagerCell() const { return wagerCell.get(); }
    Slider* WagerSlider() const { return wagerSlider.get(); }
    FormAbout* AboutBox() const { return aboutBox.get(); }
    FormNamePlayer* NameDialog() const { return nameDialog.get(); }
    Timer* SpinTimer() const { return spinTimer.get(); }
    SoundPlayer* Sound() const { return sound.get(); }
    const unsigned char* SheetData() const { return sheetData.get(); }
    int32_t SheetSize() const { return sheetSize; }

private:
    // A lock cell's colours in the hold phase, and the mark of a held reel
    // in its userData.
    static constexpr uint32_t kHeldColor = 0xFF0000;
    static constexpr uint32_t kNotHeldColor = 0xFFFF00;
    static constexpr const char* kHeldMark = "1";
    // Marks and colours reel i's lock cell as held or not.
    void SetHeld(int reel, bool held);

    // Controls of the window, made but not created yet: a cell with its
    // place, size, colours and caption, and a button of the bottom row.
    std::unique_ptr<CellControl> NewCell(int x, int y, int width, int height, uint32_t back, uint32_t fore,
                                         const std::string& caption = "");
    std::unique_ptr<ButtonCustom> NewButton(const std::string& caption, int x, uint32_t fore, uint32_t back);
    // A picture of the window, created with no image yet.
    std::unique_ptr<MyImage> NewPicture(int width, int height, int x, int y);
    // The reels, then the lock cells, then the result cells.
    void BuildReels();
    static int ReelX(int reel) { return 155 + 99 * reel; }

    void LoadSheet();
    void FirstPaint();
    void ReleaseRawSheet();
    void OpenAbout();
    void EndOfSpin();
    void PlaySpinSound();
    void NoteReelChange(unsigned long requestsBefore, int64_t cpuBefore);
    void WriteSpinStats();
    void WriteFirstFrameStats();

    bool spinning = false;
    bool holdPhase = false;

    // What the window owns. Members go in the reverse of their declaration
    // order, after the destructor has stopped the timer and the sound and
    // destroyed the window: the dialogs, the reels, the lock and result
    // cells, the other cells and the slider, the buttons, the two pictures,
    // the X images they show and last the reel sheet.
    RgbBuffer sheetData; // the file's bytes, until every reel holds the sheet
    int32_t sheetSize = -1;
    XImagePtr aboutImage, paytableImage, logoImage;
    std::unique_ptr<MyImage> paytablePicture, logoPicture;
    std::unique_ptr<ButtonCustom> exitButton, infoButton, startButton;
    std::unique_ptr<CellControl> messageCell, wagerCell;
    std::unique_ptr<Slider> wagerSlider;
    std::unique_ptr<CellControl> scoreCell;
    std::unique_ptr<CellControl> resultCells[kReels];
    std::unique_ptr<CellControl> lockCells[kReels];
    std::unique_ptr<ImageFrame> reels[kReels];
    std::unique_ptr<FormNamePlayer> nameDialog;
    std::unique_ptr<FormAbout> aboutBox;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<Timer> spinTimer;

    bool firstPaintDone = false;

    // The spin clock, kept across timer ticks.
    bool tickBusy = false;
    bool spinClockStarted = false;
    TimeStamp spinStart;
    int32_t changeTicks = 0;

    // Figures of the running spin, written to standard error at its end in
    // builds made with RULLOMAT_SPIN_STATS (the benchmark's).
    struct SpinStats {
        bool enabled = false;
        int64_t startNs = 0;
        int changes = 0;
        int firstSecondChanges = 0;
        unsigned long requests = 0;
        int64_t startCpuNs = 0; // the process's CPU time at the first tick
        int64_t paintCpuNs = 0; // spent in reel changes
        int64_t soundCpuNs = 0; // spent starting the sound
        long startFaults = 0; // minor page faults at the first tick
    } stats;
};
