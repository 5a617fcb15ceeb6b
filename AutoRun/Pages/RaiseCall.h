// RaiseCall.h
// Holds CRaiseCall, a reference to the code that raises what the launcher raises for a
// finding. The sink that gets it calls it at once, so it owns nothing: no allocation and no
// type-erased copy for each kind of finding in the program that ships.
#pragma once

class CRaiseCall {
public:
    template <class TRaise>
    CRaiseCall(const TRaise& raise) // implicit: the reader passes its lambdas as they are
        : m_raise(&raise), m_call([](const void* callable) { (*static_cast<const TRaise*>(callable))(); })
    {}

    void operator()() const { m_call(m_raise); }

private:
    const void* m_raise; // not owned: the caller's callable, alive while the sink is called
    void (*m_call)(const void*);
};
