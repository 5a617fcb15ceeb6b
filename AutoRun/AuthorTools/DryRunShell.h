// DryRunShell.h
// Holds CDryRunShell, the shell requests of a dry run: each request the launcher would make
// is described (verb, file, parameters, working folder) and shown instead of carried out,
// and answered as a success so the launcher goes on as if the shell had opened it; and,
// at the start, every command condition of the pages with what it decides on this machine.
#pragma once

#include "ShellRequests.h"

#include <functional>

class CSettings;

class CDryRunShell : public CShellRequests {
public:
    using FShow = std::function<void(HWND owner, const TObj::CUnicodeString& text)>;

    // Without `show`, the description goes where the author's options report.
    explicit CDryRunShell(FShow show = {});
    INT_PTR Open(HWND owner, const TObj::CUnicodeString& file, const TObj::CUnicodeString* parameters) override;

    // Shown when the pages have conditions: each with its value here, and what that does.
    void ShowDecisions(const CSettings& settings) const;
    static TObj::CUnicodeString DescribeDecisions(const CSettings& settings);

    static TObj::CUnicodeString Describe(const TObj::CUnicodeString& file, const TObj::CUnicodeString* parameters,
                                         const TObj::CUnicodeString& folder);

private:
    FShow m_show;
};
