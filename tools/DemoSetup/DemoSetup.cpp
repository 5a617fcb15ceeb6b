// The demo disc's stand-in installer: it says what it was started with, so a click on the
// demo's install command shows that the launcher chose this program and passed its
// parameters, without installing anything.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring text = std::wstring(L"This demo disc carries no real installer.\n\nThis is its ") +
                              (sizeof(void*) == 8 ? L"64" : L"32") + L"-bit stand-in, started as:\n" +
                              GetCommandLineW();
    MessageBoxW(nullptr, text.c_str(), L"Orvex Studio 2.1 Setup", MB_OK | MB_ICONINFORMATION);
    return 0;
}
