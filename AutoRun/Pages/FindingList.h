// FindingList.h
// Holds CFindingList, the author's finding sink: it keeps every finding, each that stops the
// launcher with the message the launcher would end with.
#pragma once

#include "PageFindingSink.h"

#include <vector>

class CFindingList : public CPageFindingSink {
public:
    bool WantsEveryFinding() const noexcept override { return true; }
    void Note(CPageFinding finding) override;
    void Stop(CPageFinding finding, const CRaiseCall& raise) override;

    std::vector<CPageFinding>& Findings() noexcept { return m_findings; }

private:
    std::vector<CPageFinding> m_findings;
};
