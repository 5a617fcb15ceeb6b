// LauncherMedium.h
// Holds what the launcher asks about the medium it runs from: its drive, and whether a
// device change took that medium away (the launcher then quits).
#pragma once

#include <windows.h>

namespace LauncherMedium {

// The drive letter of the launcher's own folder, upper case; 0 for a network folder.
wchar_t Drive();
// Whether the WM_DEVICECHANGE `event` with `data` tells that the medium in that drive was
// removed.
bool IsRemoval(WPARAM event, LPARAM data);

} // namespace LauncherMedium
