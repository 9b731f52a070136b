#pragma once

#include <cassert>
#include <initializer_list>
#include <utility>

namespace dentivel {

// Run-time failures of a calculation carry the numeric code the user-facing
// rules test for; a handler reads the code and decides what to show.
enum class FailureCode : int {
    None = 0,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

// A result, or the failure that kept it from being worked out. Failures
// travel as values rather than exceptions, which the browser build would pay
// for in size and in the way it suspends a handler for a message box.
template <typename T> class [[nodiscard]] Checked {
public:
    Checked(T value) : m_value(std::move(value)) {}
    Checked(FailureCode failure) : m_failure(failure) {}

    bool ok() const { return m_failure == FailureCode::None; }
    FailureCode failure() const { return m_failure; }
    // Only meaningful once ok(): a failure holds no value worth reading.
    const T& value() const
    {
        assert(ok());
        return m_value;
    }

private:
    T m_value{};
    FailureCode m_failure = FailureCode::None;
};

// The leftmost failure among some results, as a calculation written left to
// right would meet it; None when every one of them holds a value.
template <typename... T> FailureCode firstFailure(const Checked<T>&... results)
{
    for (const FailureCode code : {results.failure()...})
        if (code != FailureCode::None)
            return code;
    return FailureCode::None;
}

} // namespace dentivel
