// ExpectThrows.h
// Holds the one way tests expect a failure of the libraries, which throw exceptions as
// pointers: ExpectThrows<E>(call, check) fails unless `call` throws an E, which `check`
// then examines; and MessageOf(call), the text of what `call` threw, or "" when it threw
// nothing. Either deletes the exception.
#pragma once

#include "Exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

template <class E, class FCall, class FCheck>
void ExpectThrows(FCall&& call, FCheck&& check, const std::string& what = std::string())
{
    try {
        call();
    } catch (E* thrown) {
        const std::unique_ptr<E> owned(thrown);
        check(*thrown);
        return;
    } catch (TObj::CException* other) {
        const std::unique_ptr<TObj::CException> owned(other);
        ADD_FAILURE() << what << (what.empty() ? "" : ": ")
                      << "another exception was thrown: " << other->GetMessageText().ToUtf8();
        return;
    }
    ADD_FAILURE() << what << (what.empty() ? "" : ": ") << "nothing was thrown";
}

template <class FCall>
std::string MessageOf(FCall&& call)
{
    try {
        call();
    } catch (TObj::CException* thrown) {
        const std::unique_ptr<TObj::CException> owned(thrown);
        return thrown->GetMessageText().ToUtf8();
    }
    return std::string();
}
