// One frame of a picture strip: a rectangle of the control's own size cut
// out of a sheet of equal frames, or one picture out of a list. Raw pictures
// (RGB, three bytes a pixel, rows top to bottom) are turned into X images on
// the first paint; those images belong to the control (frames built from
// the same raw sheet share one image of it).
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ControlBase.h"

class ImageFrame : public ControlBase {
public:
    // Frames cut from a ready sheet (stays the caller's).
    ImageFrame(GUIElement* parentElement, XImage* sheetImage, int32_t column, int32_t row);
    // Frames taken from a ready list (the pictures stay the caller's).
    ImageFrame(GUIElement* parentElement, const std::vector<XImage*>& frameList, int32_t column, int32_t row);
    // Frames built from raw pictures of the control's size (data stays the caller's).
    ImageFrame(GUIElement* parentElement, const unsigned char* const* rawFrames, int32_t count, int32_t column,
               int32_t row);
    // A sheet built from a raw picture of width x height (data stays the caller's).
    ImageFrame(GUIElement* parentElement, const unsigned char* rawSheet, int32_t format, int32_t sheetW, int32_t sheetH,
               int32_t column, int32_t row);
    ~ImageFrame() override;

    // Column in the low 32 bits, row in the high 32 bits.
    uint64_t GetFrame() const;
    // A new index is stored and, when created, painted.
    void SetFrame(int32_t column, int32_t row);
    // As above; with erase the area is cleared (Hide, Create) first.
    void SetFrame(int32_t column, int32_t row, bool erase);
    // Stores the flag and repaints (black pixels let the background show).
    void SetTransparent(bool flag);

    // True once the sheet image exists; the raw sheet is then no longer read.
    bool HasSheet() const { return sheet != nullptr; }
    // Called before a raw sheet is freed while frames built from it live on,
    // so that new frames given another buffer at that address build their own.
    static void ForgetRawSheet(const unsigned char* rawSheet);

    bool IsTransparent() const { return transparent; }
    int32_t GetSheetFormat() const { return sheetFormat; }
    void SetUserData(const std::string& value) { userData = value; }
    const std::string& GetUserData() const { return userData; }

    void Paint() override;

protected:
    std::string userData;
    XImage* sheet = nullptr;
    std::vector<XImage*> frames;
    const unsigned char* const* frameData = nullptr;
    int32_t frameCount = 0;
    const unsigned char* sheetData = nullptr;
    int32_t sheetWidth = 0;
    int32_t sheetHeight = 0;
    int32_t sheetFormat = 0;
    int32_t column = 0;
    int32_t row = 0;
    bool transparent = false;

private:
    void Init(int32_t column, int32_t row);
    // Builds the images that raw data stands for, once.
    void BuildImages();
    // The sheet or list frame for the current index, or null when the
    // index lies outside it; w and h come back as the part to draw.
    XImage* SourceFrame(int* srcX, int* srcY, int* w, int* h);

    bool ownsSheet = false;
    bool ownsFrames = false;
};
