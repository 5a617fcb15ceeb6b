// LauncherReportPlaces.h
// Holds the places that the launcher's internal-error reports name: the source name and line
// (and for a failed Windows call the function and the expression) by which users and
// support know each report. They are the reports' identities, fixed texts that are not
// positions in this code: moving or editing code never changes them.
#pragma once

#include "Errors.h"
#include "ZyrFailure.h"

namespace Places {

// clang-format off
// Assertions: the source name and line only.
constexpr TObj::CReportPlace kBackgroundLoadedTwice{u"AutoRunWindow", 49};
constexpr TObj::CReportPlace kBackOnFirstPage{u"AutoRunWindow", 87};
constexpr TObj::CReportPlace kDlgCodeForOtherMessage{u"CommandControl", 195};
constexpr TObj::CReportPlace kSettingsRegisteredTwice{u"Settings", 47};
constexpr TObj::CReportPlace kSettingsNotRegistered{u"Settings", 55};
constexpr TObj::CReportPlace kNoPageFile{u"Settings", 118};
constexpr TObj::CReportPlace kHoverColourWithoutColour{u"Settings", 442};
constexpr TObj::CReportPlace kClickColourWithoutColour{u"Settings", 451};
constexpr TObj::CReportPlace kBorderWithoutColour{u"Settings", 471};
constexpr TObj::CReportPlace kMarginsLeaveNoWidth{u"Settings", 491};
constexpr TObj::CReportPlace kMarginsLeaveNoHeight{u"Settings", 492};
constexpr TObj::CReportPlace kNoCurrentFile{u"Settings", 500};

// Picture loads of the reader and the main window.
constexpr ZYR::CFailurePlace kNormalPictureLoad{u"CSettings::CReader::readCommandBackgroundImage", u"bitmap != 0", u"Settings", 400};
constexpr ZYR::CFailurePlace kHoverPictureLoad{u"CSettings::CReader::readCommandBackgroundImage", u"bitmap != 0", u"Settings", 413};
constexpr ZYR::CFailurePlace kClickPictureLoad{u"CSettings::CReader::readCommandBackgroundImage", u"bitmap != 0", u"Settings", 425};
constexpr ZYR::CFailurePlace kStartPictureLoad{u"CAutoRunWindow::Create", u"loadBitmap != 0", u"AutoRunWindow", 53};
constexpr ZYR::CFailurePlace kSwitchPictureLoad{u"CAutoRunWindow::fullRedrawWindow", u"loadBitmap != 0", u"AutoRunWindow", 172};
// clang-format on
} // namespace Places
