// ShownPage.h
// Holds CShownPage, the launcher's main window showing a disc made in a temporary folder,
// loaded in this process, with its command controls, screen pixels and the real pointer
// and keyboard (driven through UserInput.h, as a user would); and Until,
// a pumping wait with a deadline.
#pragma once

#include "AutoRunWindow.h"
#include "CommandControl.h"
#include "Deadline.h"
#include "Settings.h"
#include "TempFolder.h"
#include "UserInput.h"

#include <windows.h>

#include <functional>
#include <utility>
#include <string>
#include <vector>

class CShownPage {
public:
    // Writes `pageFile` as "Autorun.inf" beside `files` (name, bytes), loads it with
    // `arguments`, creates the window and shows it, and, with `handleMessages`, handles
    // what that queued (the first frame, the controls' windows).
    explicit CShownPage(const std::string& pageFile, const char* arguments = "",
                        const std::vector<std::pair<const char*, std::string>>& files = {}, bool handleMessages = true);
    // Shows the disc in `folder` as it stands (the source tree's demo, say).
    CShownPage(const TObj::CUnicodeString& folder, const char* arguments);
    // As the first, with `betweenReadAndShow` run on the disc after its pages are read and
    // before the window is made.
    CShownPage(const std::string& pageFile, const std::function<void(CTempFolder&)>& betweenReadAndShow);
    ~CShownPage();
    CShownPage(const CShownPage&) = delete;
    CShownPage& operator=(const CShownPage&) = delete;

    std::vector<CCommandControl*> Controls() const;
    HWND Child(const wchar_t* text) const; // a control by its text
    COLORREF Pixel(int x, int y) const;    // a point of the client area as the screen shows it
    void MoveTo(int x, int y) const;       // the real pointer, in client coordinates
    RECT WindowRect() const;
    // Replaces the text's "<disc>" with the disc folder (with its trailing backslash).
    std::string Expand(const std::string& text) const;

private:
    void show(const TObj::CUnicodeString& folder, const char* arguments, bool handleMessages,
              const std::function<void(CTempFolder&)>& betweenReadAndShow = nullptr);

public:
    CTempFolder disc;
    CSettings settings; // destroyed after the window, whose controls point into it
    CAutoRunWindow window;
};

// Pumps this thread's messages until `condition` holds; false, and a failure, after the
// deadline.
bool Until(const std::function<bool()>& condition, const std::string& what);
