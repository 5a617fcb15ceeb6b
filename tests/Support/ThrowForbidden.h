// ThrowForbidden.h
// Holds CThrowForbidden: for one scope, failures on this thread are shown at once instead
// of thrown, as where the library runs without a handler that catches; the thread's error
// state is as before afterwards.
#pragma once

#include "Errors.h"

class CThrowForbidden {
public:
    CThrowForbidden() { TObj::ThreadErrorState().throwForbidden = true; }
    ~CThrowForbidden()
    {
        TObj::ThreadErrorState().throwForbidden = false;
        TObj::ThreadErrorState().errorAlreadyShown = false;
    }
    CThrowForbidden(const CThrowForbidden&) = delete;
    CThrowForbidden& operator=(const CThrowForbidden&) = delete;
};
