#include "HighContrast.h"

namespace HighContrast {

namespace {

bool SystemSaysOn() noexcept
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Read on the window's thread only: at the start and at each theme change it hears of.
bool g_forced = false;
bool g_on = SystemSaysOn();

} // namespace

bool IsOn() noexcept { return g_on; }

void Refresh() noexcept { g_on = g_forced || SystemSaysOn(); }

void Force(bool on) noexcept
{
    g_forced = on;
    Refresh();
}

} // namespace HighContrast
