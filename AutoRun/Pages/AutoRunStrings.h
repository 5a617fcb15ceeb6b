// AutoRunStrings.h
// Holds the names of the page format, process-wide constants: the special actions, the
// variable opener, the option names, and the section and file names.
#pragma once

#include "UnicodeString.h"

namespace AutoRunStrings {

extern const TObj::CUnicodeString kExitAction;       // "$Exit"
extern const TObj::CUnicodeString kBackAction;       // "$Back"
extern const TObj::CUnicodeString kCloseAction;      // "$Close"
extern const TObj::CUnicodeString kFolderAction;     // "$CD"
extern const TObj::CUnicodeString kFileUrlPrefix;    // "$FileURL$"
extern const TObj::CUnicodeString kExtCommandPrefix; // "$ExtCommand$"
extern const TObj::CUnicodeString kVariableOpener;   // "$("
extern const TObj::CUnicodeString kLanguageOption;   // "l"
extern const TObj::CUnicodeString kStartPageOption;  // "startupWindow"
extern const TObj::CUnicodeString kCommonSection;    // "Common"
extern const TObj::CUnicodeString kAutoRunSection;   // "AutoRun"
extern const TObj::CUnicodeString kVariablesSection; // "Variables"
extern const TObj::CUnicodeString kRootFileName;     // "Autorun.inf"
extern const TObj::CUnicodeString kDefaultPageFile;  // "Autorun0.ini"
extern const TObj::WChar* const kLanguagePageFile;   // "Autorun%d.ini"

} // namespace AutoRunStrings
