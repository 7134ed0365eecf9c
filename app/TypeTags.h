// The type tags that tell element kinds apart. The registry and the loop
// recognise forms, timers, panels, sliders and scroll bars by theirs; every
// other control carries its own.
#pragma once

inline constexpr char kFormTag[] = "form";
inline constexpr char kTimerTag[] = "timer";
inline constexpr char kPanelTag[] = "panel";
inline constexpr char kSliderTag[] = "slider";
inline constexpr char kScrollBarTag[] = "scrollbar";
inline constexpr char kButtonTag[] = "ButtonCustom";
inline constexpr char kCellTag[] = "cellcontrol";
inline constexpr char kImageFrameTag[] = "imageframe";
inline constexpr char kTextBoxTag[] = "TextBoxCustom";
inline constexpr char kProgressBarTag[] = "progressbar";
inline constexpr char kCheckBoxTag[] = "checkbox";
inline constexpr char kOptionBoxTag[] = "optionbox";
inline constexpr char kImageTag[] = "image";
