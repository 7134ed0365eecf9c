// The colours the toolkit's controls share, as 0xRRGGBB. Two roles that
// happen to share a value keep two names, so that one may change alone.
#pragma once

constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;

// The face of a control when neither it, its parents nor its form has a
// colour of its own.
constexpr int kDefaultBack = 0xAAAAAA;
// The background of a disabled text box.
constexpr int kDisabledBack = 0xAAAAAA;
// Captions, text, lines and ticks of a disabled control.
constexpr int kDisabledInk = 0x9B9B9B;
// The light edge of a scroll bar's frame and the outline of its arrows.
constexpr int kFrameLight = 0xDDDDDD;
// The shadow line beside a slider's line and ticks, and its pointer's outline.
constexpr int kShade = 0xDDDDDD;
// The filled part of a progress bar.
constexpr int kProgressFill = 0x0000FF;
// The default background of a highlighted cell and colour of a text caret.
constexpr int kHighlight = 0xFFFF00;
