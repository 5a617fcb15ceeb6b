// LauncherResources.h
// Holds the identifiers of the launcher's own resources, for its code and for the resource
// scripts alike (the resource compiler reads only the preprocessor's lines here).
#pragma once

// The launcher's icon, shown when the disc names none of its own.
#define IDI_LAUNCHER_ICON 102
