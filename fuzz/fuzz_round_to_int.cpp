// The whole-number conversions: the nearest whole number with halves to
// even, or Overflow exactly when that number is outside the type's range.
// Any other outcome, or a conversion the sanitizers flag, stops the run.
#include "fuzz/fuzz_support.h"
#include "shell/numbers.h"

#include <limits>

using namespace dentivel;
using namespace dentivel::fuzz;

namespace {

template <typename Int, typename Convert>
void checkConversion(double value, Convert convert, const char* name)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const double expected = std::nearbyint(value);
    const bool inRange = std::isfinite(value) &&
                         expected >= double(std::numeric_limits<Int>::min()) &&
                         expected <= double(std::numeric_limits<Int>::max());
    const QString where = QLatin1String(name) + QLatin1Char(' ') + describe(value);
    const Checked<Int> result = convert(value);
    if (result.ok()) {
        check(inRange, "conversion fails outside the range", where);
        check(double(result.value()) == expected, "nearest whole number, halves to even",
              where + QStringLiteral(" -> ") + QString::number(result.value()));
    } else {
        check(result.failure() == FailureCode::Overflow, "conversion fails only with Overflow",
              where);
        check(!inRange, "conversion succeeds inside the range", where);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const double value = doubleFrom(data, size);
    checkConversion<std::int16_t>(value, RoundToInt16, "RoundToInt16");
    checkConversion<std::int32_t>(value, RoundToInt32, "RoundToInt32");
    return 0;
}
