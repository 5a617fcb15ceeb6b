// PageLayout.h
// Holds the geometry rules of a page's commands: the default column layout (command
// height and gap from the font size and its ratios) and the command text area from a
// rectangle and its margins. All arithmetic is 64-bit; nothing here can overflow.
#pragma once

#include "PageTypes.h"

#include <cstdint>

namespace PageLayout {

// A wide result kept within 32 bits, for sums of page values made where they are used.
std::int32_t Saturated(std::int64_t value);

// trunc(|fontSize| x ratio): a font size in points is stored negative, but the layout
// means its magnitude. False when the result is not a finite 32-bit value.
bool DefaultStep(std::int32_t fontSize, double ratio, std::int32_t& out);
// The step of `ratio`, or of `fallbackRatio` when that of `ratio` does not fit: a ratio
// whose step does not fit is malformed, and its default applies.
std::int32_t StepOrFallback(std::int32_t fontSize, double ratio, double fallbackRatio);

// Command 1 starts at the top of the column; each next one G below the previous command's
// actual bottom. Coordinates that would leave the 32-bit range stop at its edge.
CPageRect FirstDefaultRect(const CPageRect& commandsRect, std::int32_t height);
CPageRect NextDefaultRect(const CPageRect& previous, std::int32_t gap, std::int32_t height);

struct CTextArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;  // W - LeftMargin - RightMargin
    std::int32_t bottom = 0; // Ht - TopMargin - BottomMargin
};

enum class ETextArea {
    Ok,
    NoWidth,    // W is not greater than LeftMargin + RightMargin
    NoHeight,   // Ht is not greater than TopMargin + BottomMargin
    OutOfRange, // the edges do not fit 32 bits: the margins are malformed
};

ETextArea CommandTextArea(const CPageRect& rect, std::int32_t leftMargin, std::int32_t topMargin,
                          std::int32_t rightMargin, std::int32_t bottomMargin, CTextArea& out);

} // namespace PageLayout
