#pragma once
// The flag vocabulary of the page engine: text flags, fill flags and line styles, as every
// caller and the configuration's alignment words use them.

#include <QColor>
#include <QString>

#include <optional>

namespace fakvo {

// Text flags.
inline constexpr unsigned kTextBold = 0x001;
inline constexpr unsigned kTextItalic = 0x002;
inline constexpr unsigned kTextUnderline = 0x004;
inline constexpr unsigned kTextStrikeOut = 0x008;
inline constexpr unsigned kTextFill = 0x010; // fill the text rectangle with the fill brush first
inline constexpr unsigned kTextLeft = 0x020; // carries no extra bit: left is the default
inline constexpr unsigned kTextRight = 0x040;
inline constexpr unsigned kTextCentre = 0x080; // wins over right
inline constexpr unsigned kTextExpandTabs = 0x100;
inline constexpr unsigned kTextSingleLine = 0x200; // otherwise word-wrapped in the rectangle
inline constexpr unsigned kTextNoClip = 0x400;
inline constexpr unsigned kTextVCentre = 0x800;

// Left aligned and not clipped: the flags of a fresh page.
inline constexpr unsigned kDefaultTextFlags = kTextLeft | kTextNoClip;
// A flags argument of this value keeps the current flags.
inline constexpr unsigned kKeepFlags = 0xFFFF;

// Fill flags select a brush; the first set bit in this order wins, 0 means no brush.
inline constexpr unsigned kFillGray = 1;
inline constexpr unsigned kFillLightGray = 2;
inline constexpr unsigned kFillDarkGray = 4;
inline constexpr unsigned kFillBlack = 8;

// Line style flags; boxes honour only dashed and dotted.
inline constexpr unsigned kLineDotted = 0x01;
inline constexpr unsigned kLineDashed = 0x02;
inline constexpr unsigned kLineDashDot = 0x10;
inline constexpr unsigned kLineDashDotDot = 0x20;

// The colour of the stock brush the fill flags select; none for 0.
std::optional<QColor> FillColor(unsigned fillFlags);
// Text on a dark gray or black fill is printed in white.
bool NeedsWhiteText(unsigned fillFlags);

// The text flags of a configuration alignment word: "center"/"CENTER" centre,
// "right"/"RIGHT" right, every other word left.
unsigned AlignmentFlags(const QString& word);

} // namespace fakvo
