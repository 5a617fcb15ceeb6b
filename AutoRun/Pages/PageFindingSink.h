// PageFindingSink.h
// Holds CPageFindingSink, where the settings reader sends what it finds. The launcher's sink
// (CRaisingSink) raises at the first finding that stops it, exactly as the launcher always
// has; the author's check collects every finding (CFindingList). The reader asks for the
// findings an author alone needs only when the sink wants them, so the launcher pays
// nothing for them.
#pragma once

#include "PageFinding.h"
#include "RaiseCall.h"

class CPageFindingSink {
public:
    virtual ~CPageFindingSink() = default;

    // Whether findings that do not stop the launcher, and the pictures the pages name, are
    // wanted.
    virtual bool WantsEveryFinding() const noexcept = 0;
    // A finding that does not stop the launcher.
    virtual void Note(CPageFinding finding) = 0;
    // A finding that stops the launcher: `raise`, to be called once, raises what the launcher
    // raises for it. When it returns (a failure shown at once where nothing may be thrown),
    // the read goes on.
    virtual void Stop(CPageFinding finding, const CRaiseCall& raise) = 0;
    // A picture file that a page (`isPagePicture`) or a command names at `where`, for the
    // probes of the author's check.
    virtual void PictureNamed(const CPageFinding& where, const TObj::CUnicodeString& path, bool isPagePicture)
    {
        static_cast<void>(where);
        static_cast<void>(path);
        static_cast<void>(isPagePicture);
    }
};
