// TestWindows.h
// Holds the window classes the window-library tests create: a base frame and a derived one
// whose message maps chain, and a record of which handler ran.
#pragma once

#include "FrameWindow.h"

#include <string>

extern std::string g_handled;

constexpr UINT kBaseOnly = WM_USER + 1;
constexpr UINT kOverridden = WM_USER + 2;
constexpr UINT kDerivedOnly = WM_USER + 3;
constexpr UINT kThrows = WM_USER + 4;
constexpr UINT kUnhandled = WM_USER + 9;

class CBaseTestWindow : public ZYR::CFrameWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    LRESULT OnBaseOnly(WPARAM wParam, LPARAM);
    LRESULT OnOverridden(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    void OnFirstMessage();
    int OnCreateWindow(CREATESTRUCTW* create);
    bool boundBeforeCreate = false;
};

class CDerivedTestWindow : public CBaseTestWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    LRESULT OnOverridden(WPARAM, LPARAM);
    LRESULT OnDerivedOnly(WPARAM, LPARAM);
    LRESULT OnThrows(WPARAM, LPARAM);
};

// A plain child window of the library's own class.
class CChildTestWindow : public ZYR::CWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    void OnPaintChild();
};

RECT TestRect();
