// ReadNumber is how every input is read: whatever the rider types, it must
// give a finite number or fail with Overflow for a value beyond the double
// range, and blanks anywhere must not change the result.
#include "fuzz/fuzz_support.h"
#include "shell/numbers.h"

using namespace dentivel;
using namespace dentivel::fuzz;

namespace {

// The value, or NaN when reading failed with Overflow.
double readOrNaN(const QString& text)
{
    const Checked<double> read = ReadNumber(text);
    if (!read.ok()) {
        check(read.failure() == FailureCode::Overflow, "ReadNumber fails only with Overflow", text);
        return std::nan("");
    }
    const double value = read.value();
    check(std::isfinite(value), "ReadNumber gives a finite number", text);
    check(!(value == 0.0 && std::signbit(value)), "ReadNumber gives no negative zero", text);
    return value;
}

bool sameOutcome(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = readOrNaN(text);

    QString unblanked = text;
    unblanked.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));
    check(sameOutcome(readOrNaN(unblanked), value), "blanks anywhere are ignored", text);

    // A comma never continues a number, so what follows it is never read.
    check(sameOutcome(readOrNaN(text + QStringLiteral(",9e9")), value), "reading stops at a comma",
          text);
    return 0;
}
