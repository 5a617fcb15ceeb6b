#include "TestDisc.h"

#include "BitmapFiles.h"
#include "errors.h"

#include <windows.h>

CTestDisc::CTestDisc()
{
    environment.launcherFolder = m_folder.Path();
    environment.dpiY = 96;
    environment.userLanguageId = 1033;
    environment.isLanguageInstalled = [](int) { return true; };
}

CTestDisc::~CTestDisc() { m_settings.reset(); }

CTestDisc& CTestDisc::File(const char* name, const std::string& text)
{
    m_folder.Write(name, text);
    return *this;
}

CTestDisc& CTestDisc::Picture(const char* name, int width, int height, std::uint32_t rgb)
{
    return File(name, SolidBitmapFile(width, height, rgb));
}

std::string CTestDisc::Load(const char* arguments)
{
    m_settings.reset();
    m_settings.reset(new CSettings);
    environment.commandLine = TObj::CUnicodeString(u"Autorun.exe ") + TObj::CUnicodeString(arguments);
    try {
        m_settings->Load(environment);
    } catch (TObj::CException* e) {
        const std::unique_ptr<TObj::CException> owned(e);
        return e->GetMessageText().ToUtf8();
    }
    return "";
}

CWindowSettings& CTestDisc::Window(const char* name) { return *m_settings->GetWindow(TObj::CUnicodeString(name)); }

std::string CTestDisc::Expand(const std::string& text) const
{
    std::string result = text;
    const std::string folder = m_folder.Path().ToUtf8();
    for (std::size_t at = result.find("<disc>"); at != std::string::npos; at = result.find("<disc>", at + folder.size()))
        result.replace(at, 6, folder);
    return result;
}
