#include "controls/ImageFrame.h"

#include <algorithm>

#include "app/Form.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

namespace {

// Frames built from the same raw sheet share one image of it: the game's
// five reels cut their symbols out of one sheet, which is then converted
// and kept once instead of five times.
struct SharedSheet {
    const unsigned char* data;
    int32_t width, height;
    Display* display;
    XImage* image;
    int users;
};

std::vector<SharedSheet>& SharedSheets() {
    static std::vector<SharedSheet> sheets;
    return sheets;
}

XImage* AcquireSheet(GUIElement* owner, Display* d, const unsigned char* data, int32_t w, int32_t h) {
    for (SharedSheet& s : SharedSheets())
        if (s.data == data && s.width == w && s.height == h && s.display == d) {
            ++s.users;
            return s.image;
        }
    XImage* image = CreateXImage(owner, data, w, h);
    if (image != nullptr) SharedSheets().push_back(SharedSheet{data, w, h, d, image, 1});
    return image;
}

void ReleaseSheet(XImage* image) {
    std::vector<SharedSheet>& sheets = SharedSheets();
    for (size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i].image == image) {
            if (--sheets[i].users == 0) {
                DestroyXImage(image);
                sheets.erase(sheets.begin() + static_cast<std::ptrdiff_t>(i));
            }
            return;
        }
}

} // namespace

void ImageFrame::Init(int32_t startColumn, int32_t startRow) {
    column = startColumn;
    row = startRow;
    typeTag = kImageFrameTag;
    tabStop = false;
    repaintWithContainer = true;
}

ImageFrame::ImageFrame(GUIElement* parentElement, XImage* sheetImage, int32_t c, int32_t r)
    : ControlBase(parentElement) {
    Init(c, r);
    sheet = sheetImage;
}

ImageFrame::ImageFrame(GUIElement* parentElement, const std::vector<XImage*>& frameList, int32_t c, int32_t r)
    : ControlBase(parentElement) {
    Init(c, r);
    frames = frameList;
}

ImageFrame::ImageFrame(GUIElement* parentElement, const unsigned char* const* rawFrames, int32_t count, int32_t c,
                       int32_t r)
    : ControlBase(parentElement) {
    Init(c, r);
    frameData = rawFrames;
    frameCount = count < 0 ? 0 : count;
}

ImageFrame::ImageFrame(GUIElement* parentElement, const unsigned char* rawSheet, int32_t format, int32_t sheetW,
                       int32_t sheetH, int32_t c, int32_t r)
    : ControlBase(parentElement) {
    Init(c, r);
    sheetData = rawSheet;
    sheetFormat = format;
    sheetWidth = sheetW;
    sheetHeight = sheetH;
}

ImageFrame::~ImageFrame() {
    if (ownsSheet) ReleaseSheet(sheet);
    if (ownsFrames)
        for (XImage* image : frames) DestroyXImage(image);
}

void ImageFrame::ForgetRawSheet(const unsigned char* rawSheet) {
    for (SharedSheet& s : SharedSheets())
        if (rawSheet != nullptr && s.data == rawSheet) s.data = nullptr;
}

uint64_t ImageFrame::GetFrame() const {
    return (static_cast<uint64_t>(static_cast<uint32_t>(row)) << 32) | static_cast<uint32_t>(column);
}

void ImageFrame::SetFrame(int32_t c, int32_t r) {
    if (c == column && r == row) return;
    column = c;
    row = r;
    if (created) Paint();
}

void ImageFrame::SetFrame(int32_t c, int32_t r, bool erase) {
    if (c == column && r == row) return;
    column = c;
    row = r;
    if (!created) return;
    if (erase) {
        Hide();
        Create();
    }
    Paint();
}

void ImageFrame::SetTransparent(bool flag) {
    transparent = flag;
    Paint();
}

void ImageFrame::BuildImages() {
    if (frameData != nullptr && !ownsFrames && sheet == nullptr) {
        frames.assign(static_cast<size_t>(frameCount) + 1, nullptr);
        for (int32_t i = 0; i < frameCount; ++i)
            frames[static_cast<size_t>(i)] = CreateXImage(this, frameData[i], width, height);
        ownsFrames = true;
    }
    if (sheetData != nullptr && sheet == nullptr && sheetWidth > 0 && sheetHeight > 0) {
        Form* form = OwnerForm();
        sheet = AcquireSheet(this, form != nullptr ? form->GetDisplay() : nullptr, sheetData, sheetWidth, sheetHeight);
        ownsSheet = sheet != nullptr;
        // Converted once: the raw bytes are not read again.
        if (ownsSheet) sheetData = nullptr;
    }
}

XImage* ImageFrame::SourceFrame(int* srcX, int* srcY, int* w, int* h) {
    if (width <= 0 || height <= 0) return nullptr;
    if (sheet != nullptr) {
        // Only a frame wholly inside the sheet is cut out of it.
        const int64_t left = int64_t{width} * column, top = int64_t{height} * row;
        if (column < 0 || row < 0 || left + width > sheet->width || top + height > sheet->height) return nullptr;
        *srcX = static_cast<int>(left);
        *srcY = static_cast<int>(top);
        *w = width;
        *h = height;
        return sheet;
    }
    const int64_t index = int64_t{column} + row;
    if (index < 0 || index >= static_cast<int64_t>(frames.size())) return nullptr;
    XImage* image = frames[static_cast<size_t>(index)];
    if (image == nullptr) return nullptr;
    *srcX = 0;
    *srcY = 0;
    *w = std::min(width, image->width);
    *h = std::min(height, image->height);
    return image;
}

void ImageFrame::Paint() {
    if (!created || !CanDraw()) return;
    BuildImages();
    Graphics g(OwnerForm());
    const Rect r = FormRect();
    int srcX = 0, srcY = 0, w = 0, h = 0;
    XImage* source = SourceFrame(&srcX, &srcY, &w, &h);
    if (!transparent) {
        // A frame outside the sheet or list shows the background instead of
        // leaving the previous frame on screen.
        if (source == nullptr) {
            if (sheet != nullptr || !frames.empty()) g.FillWhole(r, ParentBackOrChain());
            return;
        }
        if (source == sheet)
            g.PutImagePart(r.x, r.y, w, h, sheet, srcX, srcY);
        else
            g.PutImage(r.x, r.y, w, h, source);
        return;
    }
    g.FillRectangle(r, ParentBackOrChain());
    if (source == nullptr) return;
    if (source == sheet)
        g.PutPictureTransparent(r.x, r.y, w, h, sheet, srcX, srcY, 0);
    else
        g.PutImageTransparent(r.x, r.y, w, h, source, 0);
}
