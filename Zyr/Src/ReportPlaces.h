// ReportPlaces.h
// Holds the places that the window library's internal-error reports name: the source name and line
// (and for a failed Windows call the function and the expression) by which users and
// support know each report. They are the reports' identities, fixed texts that are not
// positions in this code: moving or editing code never changes them.
#pragma once

#include "Errors.h"
#include "ZyrFailure.h"

namespace ZYR {
namespace Places {

// clang-format off
// Assertions: the source name and line only.
constexpr TObj::CReportPlace kModalLoopEndedBeforeRun{u"messageloopzyr", 250};
constexpr TObj::CReportPlace kModalLoopWithoutWindow{u"messageloopzyr", 255};
constexpr TObj::CReportPlace kStyleOfNoWindow{u"WindowZyr", 103};
constexpr TObj::CReportPlace kExStyleOfNoWindow{u"WindowZyr", 109};
constexpr TObj::CReportPlace kIsChildOfNoWindow{u"WindowZyr", 125};
constexpr TObj::CReportPlace kVisibilityOfNoWindow{u"WindowZyr", 215};
constexpr TObj::CReportPlace kUpdateNoWindow{u"WindowZyr", 253};
constexpr TObj::CReportPlace kInvalidateNoWindow{u"WindowZyr", 265};
constexpr TObj::CReportPlace kInvalidateRectNoWindow{u"WindowZyr", 271};
constexpr TObj::CReportPlace kShowNoWindow{u"WindowZyr", 307};
constexpr TObj::CReportPlace kFocusNoWindow{u"WindowZyr", 359};
constexpr TObj::CReportPlace kPlaceNoWindow{u"WindowZyr", 420};
constexpr TObj::CReportPlace kWindowRectOfNoWindow{u"WindowZyr", 434};
constexpr TObj::CReportPlace kClientRectOfNoWindow{u"WindowZyr", 448};
constexpr TObj::CReportPlace kSendToNoWindow{u"WindowZyr", 510};
constexpr TObj::CReportPlace kTrackNoWindow{u"WindowZyr", 600};
constexpr TObj::CReportPlace kNoCommonControls{u"commctrlzyr", 101};
constexpr TObj::CReportPlace kBitmapDCWithoutBitmap{u"dczyr", 48};
constexpr TObj::CReportPlace kPaintDCWithoutWindow{u"dczyr", 108};
constexpr TObj::CReportPlace kCreateIntoFullWrapper{u"gdiobjectzyr", 28};
constexpr TObj::CReportPlace kTooltipWithoutCommonControls{u"tooltipctrlzyr", 42};
constexpr TObj::CReportPlace kAddToolWithoutTooltip{u"tooltipctrlzyr", 141};
constexpr TObj::CReportPlace kAddToolWithoutWindows{u"tooltipctrlzyr", 142};
constexpr TObj::CReportPlace kIconAttachedTwice{u"userobjectzyr", 34};
constexpr TObj::CReportPlace kNullIcon{u"userobjectzyr", 35};
constexpr TObj::CReportPlace kIconLoadedTwice{u"userobjectzyr", 120};
constexpr TObj::CReportPlace kIconResourceMissing{u"userobjectzyr", 124};
constexpr TObj::CReportPlace kCursorAttachedTwice{u"userobjectzyr", 264};
constexpr TObj::CReportPlace kNullCursor{u"userobjectzyr", 265};
constexpr TObj::CReportPlace kSecondApplication{u"winappzyr", 35};
constexpr TObj::CReportPlace kClassRegisteredTwice{u"windowzyr", 151};
constexpr TObj::CReportPlace kSetTextOfNoWindow{u"windowzyr", 226};
constexpr TObj::CReportPlace kCreateOffGuiThread{u"windowzyr", 816};
constexpr TObj::CReportPlace kChildAtDefaultPlace{u"windowzyr", 819};
constexpr TObj::CReportPlace kBindOwnProcedure{u"windowzyr", 833};
constexpr TObj::CReportPlace kBoundOtherHandle{u"windowzyr", 836};
constexpr TObj::CReportPlace kDestroyWithoutWindow{u"windowzyr", 847};
constexpr TObj::CReportPlace kDetachLeftHandle{u"windowzyr", 958};
constexpr TObj::CReportPlace kDetachedWithLibraryProcedure{u"windowzyr", 1025};
constexpr TObj::CReportPlace kSubclassOffGuiThread{u"windowzyr", 965};
constexpr TObj::CReportPlace kSubclassedTwice{u"windowzyr", 966};
constexpr TObj::CReportPlace kSubclassLibraryWindow{u"windowzyr", 970};
constexpr TObj::CReportPlace kAttachToBoundObject{u"windowzyr", 1005};
constexpr TObj::CReportPlace kAttachToNoWindow{u"windowzyr", 1006};
constexpr TObj::CReportPlace kConstructBoundObject{u"winmapzyr", 38};

// Failed Windows calls: also the function and the expression.
constexpr CFailurePlace kInvalidate{u"ZYR::CWindow::Invalidate", u"::InvalidateRect(handle, 0, erase) != 0", u"WindowZyr", 266};
constexpr CFailurePlace kInvalidateRect{u"ZYR::CWindow::InvalidateRect", u"::InvalidateRect(handle, &rect, erase) != 0", u"WindowZyr", 272};
constexpr CFailurePlace kSetWindowPos{u"ZYR::CWindow::SetWindowPos", u"::SetWindowPos(handle, wndInsertAfter, x, y, cx, cy, flags) != 0", u"WindowZyr", 421};
constexpr CFailurePlace kGetWindowRect{u"ZYR::CWindow::GetWindowRect", u"::GetWindowRect(handle, &rect) != 0", u"WindowZyr", 436};
constexpr CFailurePlace kGetClientRect{u"ZYR::CWindow::GetClientRect", u"::GetClientRect(handle, &rect) != 0", u"WindowZyr", 450};
constexpr CFailurePlace kTrackMouseEvent{u"ZYR::CWindow::TrackMouseEvent", u"::TrackMouseEvent(&track) != 0", u"WindowZyr", 601};
constexpr CFailurePlace kCMemoryDC{u"ZYR::CMemoryDC::CMemoryDC", u"hdc != 0", u"dczyr", 32};
constexpr CFailurePlace kCWindowDC{u"ZYR::CWindowDC::CWindowDC", u"hdc != 0", u"dczyr", 91};
constexpr CFailurePlace kCPaintDC{u"ZYR::CPaintDC::CPaintDC", u"hdc != 0", u"dczyr", 111};
constexpr CFailurePlace kGetTextExtentPoint32W{u"ZYR::GetTextExtentPoint32W", u"::GetTextExtentPoint32(dc, text, text.Length(), &size)", u"gdiglobalszyr", 286};
constexpr CFailurePlace kCreateRectRgn{u"ZYR::CRegion::CreateRect", u"region != 0", u"gdiobjectzyr", 296};
constexpr CFailurePlace kCreateSolidBrush{u"ZYR::CBrush::CreateSolidBrush", u"brush != 0", u"gdiobjectzyr", 139};
constexpr CFailurePlace kGetLogFont{u"ZYR::CFont::GetLogFont", u"::GetObject(font, sizeof(logFont), &logFont) != 0", u"gdiobjectzyr", 189};
constexpr CFailurePlace kCreateFontW{u"ZYR::CFont::CreateFontW", u"font != 0", u"gdiobjectzyr", 209};
constexpr CFailurePlace kCreateFontIndirectW{u"ZYR::CFont::CreateFontIndirectW", u"font != 0", u"gdiobjectzyr", 216};
constexpr CFailurePlace kGetBitmap{u"ZYR::CBitmap::GetBitmap", u"::GetObject(bitmap, sizeof(bitmapInfo), &bitmapInfo) != 0", u"gdiobjectzyr", 233};
constexpr CFailurePlace kCreateCompatibleBitmap{u"ZYR::CBitmap::CreateCompatibleBitmap", u"bitmap != 0", u"gdiobjectzyr", 270};
constexpr CFailurePlace kCreateDIBSection{u"ZYR::CBitmap::CreateDIBSection", u"bitmap != 0", u"gdiobjectzyr", 278};
constexpr CFailurePlace kOnCreate{u"ZYR::CMessageBox::OnCreate", u"::SystemParametersInfo(SPI_GETNONCLIENTMETRICS) != 0", u"messageboxzyr", 212};
constexpr CFailurePlace kPumpMessage{u"ZYR::CMessageLoop::PumpMessage", u"::GetMessage( &msg, 0, 0, 0 ) != -1", u"messageloopzyr", 126};
constexpr CFailurePlace kAddTool{u"ZYR::CToolTipCtrl::AddTool", u"::SendMessage(Handle(), TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&toolInfo)) != 0", u"tooltipctrlzyr", 138};
constexpr CFailurePlace kLoadIconW{u"ZYR::CIcon::LoadIconW", u"icon != 0", u"userobjectzyr", 127};
constexpr CFailurePlace kLoadCursorW{u"ZYR::CCursor::LoadCursorW", u"cursor != 0", u"userobjectzyr", 270};
constexpr CFailurePlace kGetProcessDefaultLayout{u"ZYR::GetProcessDefaultLayout", u"::GetProcessDefaultLayout( &layout ) != 0", u"winappzyr", 312};
constexpr CFailurePlace kRegisterWindowClass{u"ZYR::RegisterWindowClass", u"atom != 0", u"windowzyr", 137};
constexpr CFailurePlace kUnregisterWindowClass{u"ZYR::UnregisterWindowClass", u"::UnregisterClass(className, instanceHandle) != 0", u"windowzyr", 170};
constexpr CFailurePlace kGetWindowClassInfo{u"ZYR::GetWindowClassInfo", u"::GetClassInfoEx( instanceHandle, className, &wcx ) != 0", u"windowzyr", 180};
constexpr CFailurePlace kSetWindowTextW{u"ZYR::SetWindowTextW", u"text == prevText || ::SetWindowText(handle, text.Ptr()) != 0", u"windowzyr", 233};
constexpr CFailurePlace kUpdateWindow{u"ZYR::CWindow::UpdateWindow", u"::UpdateWindow(handle) != 0", u"windowzyr", 254};
constexpr CFailurePlace kAdjustWindowRectEx{u"ZYR::AdjustWindowRectEx", u"::AdjustWindowRectEx(&rect, style, hasMenu, exStyle) != 0", u"windowzyr", 513};
constexpr CFailurePlace kCreateEx{u"ZYR::CWindow::CreateEx", u"hwnd != 0", u"windowzyr", 830};
constexpr CFailurePlace kSubclassWindow{u"ZYR::CWindow::SubclassWindow", u"superWndProc != 0", u"windowzyr", 976};

// clang-format on
} // namespace Places
} // namespace ZYR
