#pragma once

#include <exception>

namespace dentivel {

// Run-time failures of a calculation carry the numeric code the user-facing
// rules test for; a handler's trap reads the code and decides what to show.
enum class FailureCode : int {
    None = 0,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

class Failure : public std::exception {
public:
    explicit Failure(FailureCode code) : m_code(code) {}
    FailureCode code() const noexcept { return m_code; }

private:
    FailureCode m_code;
};

// Runs a handler body and reports how it ended: FailureCode::None when it ran
// to completion, otherwise the code of the failure that cut it short. Every
// handler funnels through this, so no failure ever escapes to the event loop.
template <typename Body> FailureCode runTrapped(Body&& body)
{
    try {
        body();
        return FailureCode::None;
    } catch (const Failure& failure) {
        return failure.code();
    }
}

} // namespace dentivel
