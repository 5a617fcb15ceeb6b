// CatchFailure.h
// Holds the one way this code catches a failure, a CException thrown by pointer, in the
// spirit of wil's CATCH_LOG: the failure is owned from the catch on and deleted after its
// handler, whatever the handler does.
//  - CatchFailure(body, onFailure): runs `body`; its failure goes to `onFailure`; answers
//    whether `body` ran through;
//  - ReportFailure(body): the same, the failure reported (ReportException);
//  - IgnoreFailure(body): the same, the failure dropped (say at the call why that is right);
//  - FailureText(body): the failure's text, empty when `body` ran through.
// Anything else thrown goes on up. A site that rethrows, or hands the failure on, catches
// it itself.
#pragma once

#include "Errors.h"
#include "Exception.h"

#include <memory>

namespace TObj {

template <class TBody, class TOnFailure>
bool CatchFailure(TBody&& body, TOnFailure&& onFailure)
{
    try {
        body();
        return true;
    } catch (CException* thrown) {
        const std::unique_ptr<CException> failure(thrown);
        onFailure(*failure);
        return false;
    }
}

template <class TBody>
bool ReportFailure(TBody&& body)
{
    return CatchFailure(body, [](const CException& failure) { ReportException(&failure); });
}

template <class TBody>
bool IgnoreFailure(TBody&& body)
{
    return CatchFailure(body, [](const CException&) {});
}

template <class TBody>
CUnicodeString FailureText(TBody&& body)
{
    CUnicodeString text;
    CatchFailure(body, [&text](const CException& failure) { text = failure.GetMessageText(); });
    return text;
}

} // namespace TObj
