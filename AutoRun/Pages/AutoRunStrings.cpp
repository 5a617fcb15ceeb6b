#include "AutoRunStrings.h"

namespace AutoRunStrings {

const TObj::CUnicodeString kExitAction(u"$Exit");
const TObj::CUnicodeString kBackAction(u"$Back");
const TObj::CUnicodeString kCloseAction(u"$Close");
const TObj::CUnicodeString kFolderAction(u"$CD");
const TObj::CUnicodeString kFileUrlPrefix(u"$FileURL$");
const TObj::CUnicodeString kExtCommandPrefix(u"$ExtCommand$");
const TObj::CUnicodeString kVariableOpener(u"$(");
const TObj::CUnicodeString kLanguageOption(u"l");
const TObj::CUnicodeString kStartPageOption(u"startupWindow");
const TObj::CUnicodeString kCommonSection(u"Common");
const TObj::CUnicodeString kAutoRunSection(u"AutoRun");
const TObj::CUnicodeString kVariablesSection(u"Variables");
const TObj::CUnicodeString kRootFileName(u"Autorun.inf");
const TObj::CUnicodeString kDefaultPageFile(u"Autorun0.ini");
const TObj::WChar* const kLanguagePageFile = u"Autorun%d.ini";

} // namespace AutoRunStrings
