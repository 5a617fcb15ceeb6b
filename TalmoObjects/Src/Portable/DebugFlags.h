// DebugFlags.h
// Holds the foundation library's debug flags: one word, 0x148 until start-up reads the
// named string values under "Software\Orvex\Talmo Objects" of the current user.
#pragma once

#include <cstdint>

namespace TObj {

constexpr std::uint32_t kKeepTempFiles = 1;
constexpr std::uint32_t kSaveUndefinedMessages = 2;
constexpr std::uint32_t kEnableHeapSwitching = 8;
constexpr std::uint32_t kShowHeapMemoryLeaks = 16;
constexpr std::uint32_t kBreakOnMemoryException = 32;
constexpr std::uint32_t kUnloadLibraries = 128;
constexpr std::uint32_t kCheckAllResourceModulesExistance = 256;
constexpr std::uint32_t kReportMemoryErrorInMessageBox = 512;
constexpr std::uint32_t kSaveAllMessages = 1024;
constexpr std::uint32_t kCheckMessagesParamsCount = 2048;
constexpr std::uint32_t kInitialDebugFlags = 0x148;

std::uint32_t GetDebugFlags() noexcept;
void SetDebugFlags(std::uint32_t flags) noexcept;

} // namespace TObj
