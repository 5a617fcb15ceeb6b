#include "ShownPage.h"

#include "AutoRunStrings.h"
#include "ControlClasses.h"
#include "LauncherRun.h"
#include "Pixels.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK CollectControl(HWND child, LPARAM data)
{
    if (auto* control = dynamic_cast<CCommandControl*>(ZYR::CWindow::FromHandlePermanent(child)))
        reinterpret_cast<std::vector<CCommandControl*>*>(data)->push_back(control);
    return TRUE;
}

} // namespace

CShownPage::CShownPage(const std::string& pageFile, const char* arguments,
                       const std::vector<std::pair<const char*, std::string>>& files, bool handleMessages)
{
    ControlClasses::Register();
    for (const auto& file : files)
        disc.Write(file.first, file.second);
    disc.Write("Autorun.inf", pageFile);
    show(disc.Path(), arguments, handleMessages);
}

CShownPage::CShownPage(const TObj::CUnicodeString& folder, const char* arguments)
{
    ControlClasses::Register();
    show(folder, arguments, true);
}

CShownPage::CShownPage(const std::string& pageFile, const std::function<void(CTempFolder&)>& betweenReadAndShow)
{
    ControlClasses::Register();
    disc.Write("Autorun.inf", pageFile);
    show(disc.Path(), "", true, betweenReadAndShow);
}

void CShownPage::show(const TObj::CUnicodeString& folder, const char* arguments, bool handleMessages,
                      const std::function<void(CTempFolder&)>& betweenReadAndShow)
{
    CLoadEnvironment environment;
    environment.commandLine = TObj::CUnicodeString(u"Autorun.exe ") + TObj::CUnicodeString(arguments);
    environment.launcherFolder = folder;
    environment.isLanguageInstalled = [](int) { return true; };
    settings.Load(environment);
    if (betweenReadAndShow)
        betweenReadAndShow(disc);
    window.Create();
    ShowWindow(window.Handle(), SW_SHOW);
    SetForegroundWindow(window.Handle());
    if (handleMessages)
        TestSupport::PumpMessages();
}

CShownPage::~CShownPage()
{
    if (window.Handle() != nullptr)
        window.DestroyWindow();
    TestSupport::PumpMessages();
}

std::vector<CCommandControl*> CShownPage::Controls() const
{
    std::vector<CCommandControl*> controls;
    EnumChildWindows(window.Handle(), CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

HWND CShownPage::Child(const wchar_t* text) const { return ChildWithText(window.Handle(), text); }

COLORREF CShownPage::Pixel(int x, int y) const { return ScreenPixel(window.Handle(), x, y); }

void CShownPage::MoveTo(int x, int y) const
{
    POINT point{x, y};
    ClientToScreen(window.Handle(), &point);
    SetCursorPos(point.x, point.y);
}

std::string CShownPage::Expand(const std::string& text) const { return Replaced(text, "<disc>", disc.Path().ToUtf8()); }

RECT CShownPage::WindowRect() const
{
    RECT rect{};
    GetWindowRect(window.Handle(), &rect);
    return rect;
}

bool Until(const std::function<bool()>& condition, const std::string& what)
{
    return TestSupport::WaitUntil(condition, what, TestSupport::kPatience, true);
}
