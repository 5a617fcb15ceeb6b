// ToolTipCtrl.h
// Holds ZYR::CToolTipCtrl, the common-controls tooltip window of a control: created with
// the common controls initialised once per process, with tools whose texts it keeps for
// as long as it lives, and the first-version tool description of the platform's size.
#pragma once

#include "UnicodeString.h"
#include "Window.h"

#include <vector>

namespace ZYR {

class CToolTipCtrl : public CWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    ~CToolTipCtrl() override;

    // WS_POPUP is added to `style`; `parent` owns the tooltip.
    void Create(DWORD style, CWindow* parent);
    // Registers `tool` (a window) of `owner` with `text`; TTF_SUBCLASS lets the tooltip
    // watch the tool's mouse itself.
    void AddTool(CWindow* owner, CWindow* tool, const TObj::CUnicodeString& text);
    // The texts go with the window, so that the object can make a new one.
    void DestroyWindow() override;

    // The classes initialised, remembered; 0 when the common controls are too old or missing.
    static DWORD InitCommonControls();
    std::size_t StoredTextCountForTesting() const noexcept { return m_texts.size(); }

protected:
    LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);

private:
    std::vector<TObj::CUnicodeString> m_texts; // copies the tooltip's tools point at
};

} // namespace ZYR
