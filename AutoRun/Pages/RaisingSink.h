// RaisingSink.h
// Holds CRaisingSink, the launcher's finding sink: the first finding that stops the launcher
// raises its failure; nothing else is looked for.
#pragma once

#include "PageFindingSink.h"

class CRaisingSink : public CPageFindingSink {
public:
    bool WantsEveryFinding() const noexcept override { return false; }
    void Note(CPageFinding) override {}
    void Stop(CPageFinding, const CRaiseCall& raise) override { raise(); }

    // The one the launcher's reads use.
    static CRaisingSink& Instance();
};
