// What a condition asks of Windows, against what the test makes: files and folders named
// with the environment's names, a key and value in the registry's 32-bit view (which the
// 64-bit view does not see on 64-bit Windows), the user's uninstall entry by its key name
// and its DisplayName, and the bound on the entries read.
#include "RegistryKey.h"
#include "TempFolder.h"
#include "TestText.h"
#include "WindowsMachineFacts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using TObj::CUnicodeString;

TEST(WindowsMachineFacts, AnswerAsWindowsHasIt)
{
    CTempFolder disc;
    disc.Write("Tools\\kestrel.exe", "stand-in");
    const CLoadEnvironment environment = CLoadEnvironment::OfThisProcess();
    CWindowsMachineFacts machine(environment, disc.Path("Pages\\Autorun0.ini"));
    EXPECT_TRUE(machine.Exists(U("..\\Tools\\kestrel.exe")));
    EXPECT_TRUE(machine.Exists(U("..\\Tools")));
    EXPECT_TRUE(machine.Exists(U("..\\Tools\\")));       // a folder written as one
    EXPECT_FALSE(machine.Exists(U("..\\Tools\\*.exe"))); // one name, not a search
    EXPECT_FALSE(machine.Exists(U("..\\Tools\\other.exe")));
    EXPECT_TRUE(machine.Exists(U("%SystemRoot%\\System32\\kernel32.dll")));
    EXPECT_GE(machine.WindowsVersion().major, 6);

    const wchar_t* const key = L"Software\\AutorunConditionTest";
    TObj::CRegistryKey made;
    ASSERT_TRUE(made.Create(HKEY_LOCAL_MACHINE, key, KEY_WRITE | KEY_WOW64_32KEY));
    made.WriteString(L"Version", U("1.0"));
    made.Close();
    const CUnicodeString name(U("Software\\AutorunConditionTest")), version(U("Version")), other(U("Edition"));
    EXPECT_TRUE(machine.HasRegistryEntry(ERegistryRoot::LocalMachine, name, nullptr, true));
    EXPECT_TRUE(machine.HasRegistryEntry(ERegistryRoot::LocalMachine, name, &version, true));
    EXPECT_FALSE(machine.HasRegistryEntry(ERegistryRoot::LocalMachine, name, &other, true));
    EXPECT_EQ(!machine.Is64BitWindows(), machine.HasRegistryEntry(ERegistryRoot::LocalMachine, name, nullptr, false));
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);

    const std::wstring uninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    const std::wstring entry = uninstall + L"{AUTORUN-TEST-ENTRY}", longest = uninstall + std::wstring(255, L'K');
    ASSERT_TRUE(made.Create(HKEY_CURRENT_USER, entry.c_str()));
    made.WriteString(L"DisplayName", U("Kestrel Test Product"));
    made.Close();
    // A key name of 255 characters, the longest the registry allows, is read whole.
    ASSERT_TRUE(made.Create(HKEY_CURRENT_USER, longest.c_str()));
    made.Close();
    EXPECT_TRUE(machine.IsInstalled(CUnicodeString(std::string(255, 'k').c_str())));
    RegDeleteKeyW(HKEY_CURRENT_USER, longest.c_str());
    EXPECT_TRUE(machine.IsInstalled(U("{AUTORUN-TEST-ENTRY}")));
    // The walk reads the first 4096 entries of each list and no more: "!" names sort first, in
    // the 32-bit view of the machine's list, which no other test fills.
    const auto capped = [&](int i) { return uninstall + L"!" + std::to_wstring(10000 + i); };
    for (int i = 0; i <= 4096; made.Close(), ++i)
        if (made.Create(HKEY_LOCAL_MACHINE, capped(i).c_str(), KEY_WRITE | KEY_WOW64_32KEY))
            made.WriteString(L"DisplayName", U(std::to_string(i).c_str()));
    EXPECT_TRUE(machine.IsInstalled(U("kestrel test product")));
    EXPECT_TRUE(machine.IsInstalled(U("4095")) && !machine.IsInstalled(U("4096")));
    for (int i = 0; i <= 4096; ++i)
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, capped(i).c_str(), KEY_WOW64_32KEY, 0);
    EXPECT_FALSE(machine.IsInstalled(U("Kestrel Test")));
    RegDeleteKeyW(HKEY_CURRENT_USER, entry.c_str());
    // Each reading of the pages asks anew; one reading walks the entries once, and its later
    // questions, by key name too, are answered from what that walk read.
    EXPECT_TRUE(machine.IsInstalled(U("Kestrel Test Product")));
    EXPECT_TRUE(machine.IsInstalled(U("{autorun-test-entry}")));
    EXPECT_FALSE(
        CWindowsMachineFacts(environment, disc.Path("Pages\\Autorun0.ini")).IsInstalled(U("Kestrel Test Product")));
}
