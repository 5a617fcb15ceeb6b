// WindowIcons.h
// Holds CWindowIcons, the main window's title bar icons: from the disc's icon file, or the
// launcher's own when the disc names none or its file fails after the window is shown.
#pragma once

#include "Icon.h"
#include "UnicodeString.h"
#include "Window.h"

class CWindowIcons {
public:
    // The disc's icon file, or empty for the launcher's own. A file whose first bytes are no
    // icon's is loaded, and fails, now: before the window exists, that failure ends the start.
    // Others wait for Show.
    void Prepare(const TObj::CUnicodeString& path);
    // Loads the icons unless they are, and gives them to the window's title bar. An icon file
    // that looked like one and still cannot be loaded is reported; the launcher's own shows.
    void Show(const ZYR::CWindow& window);

private:
    void LoadIcons();

    TObj::CUnicodeString m_iconPath; // the disc's icon file, or empty for the launcher's own
    ZYR::CIcon m_smallIcon;
    ZYR::CIcon m_bigIcon;
};
