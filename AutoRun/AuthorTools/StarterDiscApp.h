// StarterDiscApp.h
// Holds CStarterDiscApp, the application object of "--new": it writes the starter disc into
// the folder named, says where and what to do next where the author's options report, and
// ends with 0, or with 1 and the reason when the folder is not empty or a file cannot be
// written, without showing the launcher's window.
#pragma once

#include "UnicodeString.h"
#include "WinApp.h"

class CStarterDiscApp : public ZYR::CWinApp {
public:
    explicit CStarterDiscApp(const TObj::CUnicodeString& folder) : m_folder(folder) {}
    bool InitInstance() override;

private:
    TObj::CUnicodeString m_folder;
};
