// NumberToText joins numbers to texts: every finite value gets a text that
// TextToNumber reads back to it within 15 significant digits, and writing
// that value again gives the same text.
#include "fuzz/fuzz_support.h"
#include "shell/numbers.h"

using namespace dentivel;
using namespace dentivel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QLocale locale = localeFor(data[0]);
    const double value = doubleFrom(data + 1, size - 1);
    const QString where = locale.name() + QLatin1Char(' ') + describe(value);

    const Checked<QString> written = NumberToText(value, locale);
    if (!written.ok()) {
        check(written.failure() == FailureCode::Overflow, "NumberToText fails only with Overflow",
              where);
        check(!std::isfinite(value) || std::fabs(value) > 1.79769313486231e308,
              "NumberToText writes every finite value in range", where);
        return 0;
    }
    const QString& text = written.value();
    check(!text.isEmpty() && !text.startsWith(QLatin1Char(' ')), "no leading blank",
          where + QStringLiteral(" -> ") + text);

    const Checked<double> read = TextToNumber(text, locale);
    if (!read.ok())
        fail("NumberToText writes what TextToNumber reads", where + QStringLiteral(" -> ") + text);
    const double back = read.value();
    // Subnormal values keep fewer significant bits than 15 digits can hold.
    check(closeTo(back, value, 1e-320), "NumberToText's text reads back to the value",
          where + QStringLiteral(" -> ") + text);
    check(NumberToText(back, locale).value() == text, "writing the value read back is stable",
          where + QStringLiteral(" -> ") + text);
    return 0;
}
