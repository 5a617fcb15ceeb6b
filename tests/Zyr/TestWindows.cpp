#include "TestWindows.h"

#include "Errors.h"

std::string g_handled;

namespace {
TOBJ_MESSAGE(ERR_AR_INVALID_LANG_CODE);
}

RECT TestRect() { return RECT{100, 100, 400, 300}; }

ZYR_BEGIN_MESSAGE_MAP(CBaseTestWindow, ZYR::CFrameWindow)
    ZYR_ON_MESSAGE(kBaseOnly, OnBaseOnly)
    ZYR_ON_MESSAGE(kOverridden, OnOverridden)
    ZYR_ON_MESSAGE(WM_CHAR, OnChar)
    ZYR_ON_VOID(WM_GETMINMAXINFO, OnFirstMessage)
    ZYR_ON_CREATE(OnCreateWindow)
ZYR_END_MESSAGE_MAP(ZYR::CFrameWindow)

LRESULT CBaseTestWindow::OnBaseOnly(WPARAM wParam, LPARAM)
{
    g_handled += "base ";
    return static_cast<LRESULT>(wParam) + 1;
}

LRESULT CBaseTestWindow::OnChar(WPARAM, LPARAM)
{
    g_handled += "char ";
    return 0;
}

LRESULT CBaseTestWindow::OnOverridden(WPARAM, LPARAM)
{
    g_handled += "base-overridden ";
    return 10;
}

void CBaseTestWindow::OnFirstMessage()
{
    if (Handle() != nullptr)
        boundBeforeCreate = true;
    Default();
}

int CBaseTestWindow::OnCreateWindow(CREATESTRUCTW* create)
{
    g_handled += "create ";
    return OnCreate(create);
}

ZYR_BEGIN_MESSAGE_MAP(CDerivedTestWindow, CBaseTestWindow)
    ZYR_ON_MESSAGE(kOverridden, OnOverridden)
    ZYR_ON_MESSAGE(kDerivedOnly, OnDerivedOnly)
    ZYR_ON_MESSAGE(kThrows, OnThrows)
ZYR_END_MESSAGE_MAP(CBaseTestWindow)

LRESULT CDerivedTestWindow::OnOverridden(WPARAM, LPARAM)
{
    g_handled += "derived-overridden ";
    return 20;
}

LRESULT CDerivedTestWindow::OnDerivedOnly(WPARAM, LPARAM)
{
    g_handled += "derived ";
    return 30;
}

LRESULT CDerivedTestWindow::OnThrows(WPARAM, LPARAM)
{
    g_handled += "throws ";
    TObj::ThrowCheckError(ERR_AR_INVALID_LANG_CODE, TObj::CUnicodeString(u"thrown"));
    return 40;
}

ZYR_BEGIN_MESSAGE_MAP(CChildTestWindow, ZYR::CWindow)
    ZYR_ON_VOID(WM_PAINT, OnPaintChild)
ZYR_END_MESSAGE_MAP(ZYR::CWindow)

void CChildTestWindow::OnPaintChild()
{
    PAINTSTRUCT paint;
    BeginPaint(Handle(), &paint);
    EndPaint(Handle(), &paint);
}
