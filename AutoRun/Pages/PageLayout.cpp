#include "PageLayout.h"

#include <cmath>
#include <limits>

namespace PageLayout {

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

std::int32_t Saturate(std::int64_t value)
{
    return static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

bool Fits(std::int64_t value) { return value >= kMin && value <= kMax; }

} // namespace

std::int32_t Saturated(std::int64_t value) { return static_cast<std::int32_t>(std::max(kMin, std::min(kMax, value))); }

bool DefaultStep(std::int32_t fontSize, double ratio, std::int32_t& out)
{
    const double magnitude = std::fabs(static_cast<double>(fontSize));
    const double product = std::trunc(magnitude * ratio);
    if (!(product >= static_cast<double>(kMin) && product <= static_cast<double>(kMax)))
        return false;
    out = static_cast<std::int32_t>(product);
    return true;
}

std::int32_t StepOrFallback(std::int32_t fontSize, double ratio, double fallbackRatio)
{
    std::int32_t step = 0;
    if (!DefaultStep(fontSize, ratio, step))
        DefaultStep(fontSize, fallbackRatio, step);
    return step;
}

CPageRect FirstDefaultRect(const CPageRect& commandsRect, std::int32_t height)
{
    return CPageRect{commandsRect.left, commandsRect.top, commandsRect.right,
                     Saturate(std::int64_t{commandsRect.top} + height)};
}

CPageRect NextDefaultRect(const CPageRect& previous, std::int32_t gap, std::int32_t height)
{
    const std::int64_t top = std::int64_t{previous.bottom} + gap;
    return CPageRect{previous.left, Saturate(top), previous.right, Saturate(top + height)};
}

ETextArea CommandTextArea(const CPageRect& rect, std::int32_t leftMargin, std::int32_t topMargin,
                          std::int32_t rightMargin, std::int32_t bottomMargin, CTextArea& out)
{
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    const std::int64_t right = width - leftMargin - rightMargin;
    const std::int64_t bottom = height - topMargin - bottomMargin;
    if (right <= 0)
        return ETextArea::NoWidth;
    if (bottom <= 0)
        return ETextArea::NoHeight;
    if (!Fits(right) || !Fits(bottom))
        return ETextArea::OutOfRange;
    out = CTextArea{leftMargin, topMargin, static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
    return ETextArea::Ok;
}

} // namespace PageLayout
