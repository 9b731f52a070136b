// TextToNumber converts displayed results back: any text either fails with
// TypeMismatch or Overflow, or gives a finite number that the program's own
// text form writes and reads back to the same text.
#include "fuzz/fuzz_support.h"
#include "shell/numbers.h"

using namespace dentivel;
using namespace dentivel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QLocale locale = localeFor(data[0]);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString where = locale.name() + QStringLiteral(" '") + text + QLatin1Char('\'');

    double value = 0;
    try {
        value = TextToNumber(text, locale);
    } catch (const Failure& failure) {
        check(failure.code() == FailureCode::TypeMismatch ||
                  failure.code() == FailureCode::Overflow,
              "TextToNumber fails only with TypeMismatch or Overflow", where);
        return 0;
    }
    check(std::isfinite(value), "TextToNumber gives a finite number", where);

    const QString written = NumberToText(value, locale);
    double back = 0;
    try {
        back = TextToNumber(written, locale);
    } catch (const Failure&) {
        fail("NumberToText writes what TextToNumber reads",
             where + QStringLiteral(" -> ") + written);
    }
    check(NumberToText(back, locale) == written, "writing the value read back is stable",
          where + QStringLiteral(" -> ") + written);
    return 0;
}
