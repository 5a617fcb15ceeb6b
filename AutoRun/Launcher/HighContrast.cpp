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

// Read on the window's thread only: at the first drawing and at each theme change it hears
// of (not before the program's own code runs, nor in a run that draws nothing).
bool g_forced = false;
bool g_known = false;
bool g_on = false;

} // namespace

bool IsOn() noexcept
{
    if (!g_known)
        Refresh();
    return g_on;
}

void Refresh() noexcept
{
    g_on = g_forced || SystemSaysOn();
    g_known = true;
}

void Force(bool on) noexcept
{
    g_forced = on;
    Refresh();
}

} // namespace HighContrast
