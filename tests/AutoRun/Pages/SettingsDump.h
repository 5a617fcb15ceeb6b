// SettingsDump.h
// Holds DumpSettings, every loaded setting as text for the golden discs: the settings'
// own fields, then each page (in the order of the file's sections) with its fields and
// commands, one group of related fields per line. Paths in `discFolder` read "<disc>".
#pragma once

#include "Settings.h"

#include <string>

std::string DumpSettings(const CSettings& settings, const std::string& discFolder);
