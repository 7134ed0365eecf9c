// A rectangular container on a form. Its children name it as their parent;
// it paints a background, an optional frame and caption, then its children.
// Showing, hiding and moving the panel carries the children along. Clicks
// inside it reach the child under the pointer (the registry's hit test looks
// into panels); the panel itself is never hit.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ControlBase.h"

class PanelChildren;

using PanelCallback = void (*)(PanelChildren* sender);

class PanelChildren : public ControlBase {
public:
    explicit PanelChildren(GUIElement* parentElement);

    // None of the setters repaints.
    void SetBorder(bool flag); // border := flag, flat frame off
    void SetFlatBorder(bool flag); // flatBorder := flag, border on
    void SetSunken(bool flag); // sunken := flag, border on
    void SetCaptionColor(int64_t rgb);
    void SetChildBackColor(int64_t rgb);

    bool HasBorder() const { return border; }
    bool IsFlatBorder() const { return flatBorder; }
    bool IsSunken() const { return sunken; }
    int64_t GetCaptionColor() const { return captionColor; }
    int64_t GetChildBackColor() const { return childBackColor; }
    void SetUserData(const std::string& value) { userData = value; }
    const std::string& GetUserData() const { return userData; }

    // Values kept for the owner; the panel never uses them.
    void SetFirstCallback(PanelCallback cb) { firstCallback = cb; }
    void SetSecondCallback(PanelCallback cb) { secondCallback = cb; }
    void CallFirst() {
        if (firstCallback != nullptr) firstCallback(this);
    }
    void CallSecond() {
        if (secondCallback != nullptr) secondCallback(this);
    }
    void SetFirstTriple(int32_t a, int32_t b, int32_t c);
    void SetSecondTriple(int32_t a, int32_t b, int32_t c);
    const int32_t* GetFirstTriple() const { return firstTriple; }
    const int32_t* GetSecondTriple() const { return secondTriple; }
    void SetFirstSelector(bool flag) { firstSelector = flag; }
    void SetSecondSelector(bool flag) { secondSelector = flag; }
    bool GetFirstSelector() const { return firstSelector; }
    bool GetSecondSelector() const { return secondSelector; }
    // The first selector writes the second triple, else the second selector
    // writes the first; with neither set nothing changes.
    void SetSelectedTriple(int32_t a, int32_t b, int32_t c);

    // Children in registry order, each nested panel followed by its own
    // children; found by the parent link, so also before the panel has an id.
    std::vector<GUIElement*> Children();

    void Show() override;
    void ShowWindow() override;
    void Hide() override;
    void Create() override;
    void Paint() override;

protected:
    std::string userData;
    bool border = false;
    bool flatBorder = false;
    bool sunken = true;
    int64_t captionColor = -1;
    int64_t childBackColor = -1;

private:
    PanelCallback firstCallback = nullptr;
    PanelCallback secondCallback = nullptr;
    int32_t firstTriple[3] = {0, 0, 0};
    int32_t secondTriple[3] = {0, 0, 0};
    bool firstSelector = false;
    bool secondSelector = false;
};
