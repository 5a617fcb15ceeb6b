// ReportPlaces.h
// Holds the places that the foundation library's internal-error reports name: the source name and line
// (and for a failed Windows call the function and the expression) by which users and
// support know each report. They are the reports' identities, fixed texts that are not
// positions in this code: moving or editing code never changes them.
#pragma once

#include "Errors.h"

namespace TObj {
namespace Places {

// Assertions: the source name and line only.
constexpr TObj::CReportPlace kFileExceptionWithoutCause{u"errors", 655};
constexpr TObj::CReportPlace kFileExceptionWithoutCode{u"errors", 690};
constexpr TObj::CReportPlace kIniFileWithoutPath{u"inifile", 93};
constexpr TObj::CReportPlace kKeysOfMissingSection{u"inifile", 268};
constexpr TObj::CReportPlace kHandlerInstalledTwice{u"messagehandlers", 131};
constexpr TObj::CReportPlace kHandlerUninstalledOutOfOrder{u"messagehandlers", 142};
constexpr TObj::CReportPlace kIconModuleMissing{u"messagehandlers", 412};
constexpr TObj::CReportPlace kFileOpenedTwice{u"nativefile", 52};
constexpr TObj::CReportPlace kFileAccessMode{u"nativefile", 66};
constexpr TObj::CReportPlace kFileSharingMode{u"nativefile", 75};
constexpr TObj::CReportPlace kFileReadArguments{u"nativefile", 110};
constexpr TObj::CReportPlace kFileReadClosed{u"nativefile", 112};
constexpr TObj::CReportPlace kFileWriteArguments{u"nativefile", 125};
constexpr TObj::CReportPlace kFileWriteClosed{u"nativefile", 127};
constexpr TObj::CReportPlace kFileLengthOfClosed{u"nativefile", 155};
constexpr TObj::CReportPlace kExistsModeWithoutSharing{u"nativefilesystem", 210};
constexpr TObj::CReportPlace kLanguageCodeOutOfRange{u"resourceinfo", 512};
constexpr TObj::CReportPlace kLocaleNameFailed{u"resourceinfo", 540};
constexpr TObj::CReportPlace kResourceBaseStartedTwice{u"resourceinfo", 640};
constexpr TObj::CReportPlace kLanguageBeforeStart{u"resourceinfo", 760};
constexpr TObj::CReportPlace kNoDefaultLanguage{u"resourceinfo", 772};
constexpr TObj::CReportPlace kStartedWhileRunning{u"talmoobjects", 212};
constexpr TObj::CReportPlace kIsWow64ProcessFailed{u"talmoobjects", 420};
constexpr TObj::CReportPlace kTextFileOpenedTwice{u"textstream", 61};
// A rule of the standard library's containers and strings, by kind of failure.
constexpr TObj::CReportPlace kRunTimeLogicError{u"runtime", 1};
constexpr TObj::CReportPlace kRunTimeDomainError{u"runtime", 2};
constexpr TObj::CReportPlace kRunTimeInvalidArgument{u"runtime", 3};
constexpr TObj::CReportPlace kRunTimeLengthError{u"runtime", 4};
constexpr TObj::CReportPlace kRunTimeOutOfRange{u"runtime", 5};
constexpr TObj::CReportPlace kRunTimeRuntimeError{u"runtime", 6};
constexpr TObj::CReportPlace kRunTimeRangeError{u"runtime", 7};
constexpr TObj::CReportPlace kRunTimeOverflowError{u"runtime", 8};
constexpr TObj::CReportPlace kRunTimeUnderflowError{u"runtime", 9};
constexpr TObj::CReportPlace kRunTimeBadCast{u"runtime", 10};
constexpr TObj::CReportPlace kRunTimeBadTypeid{u"runtime", 11};
constexpr TObj::CReportPlace kRunTimeBadException{u"runtime", 12};

} // namespace Places
} // namespace TObj
