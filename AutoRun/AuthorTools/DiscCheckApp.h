// DiscCheckApp.h
// Holds CDiscCheckApp, the application object of the author's check: it checks the disc
// beside the launcher, reports every problem where the author's options report, and ends
// with 0 for a clean disc and 1 otherwise, without showing the launcher's window.
#pragma once

#include "WinApp.h"

class CDiscCheckApp : public ZYR::CWinApp {
public:
    bool InitInstance() override;
};
