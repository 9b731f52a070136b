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

    const Checked<double> read = TextToNumber(text, locale);
    if (!read.ok()) {
        check(read.failure() == FailureCode::TypeMismatch ||
                  read.failure() == FailureCode::Overflow,
              "TextToNumber fails only with TypeMismatch or Overflow", where);
        return 0;
    }
    const double value = read.value();
    check(std::isfinite(value), "TextToNumber gives a finite number", where);

    const Checked<QString> writing = NumberToText(value, locale);
    check(writing.ok(), "NumberToText writes every number TextToNumber gives", where);
    const QString& written = writing.value();
    const Checked<double> readBack = TextToNumber(written, locale);
    if (!readBack.ok())
        fail("NumberToText writes what TextToNumber reads",
             where + QStringLiteral(" -> ") + written);
    check(NumberToText(readBack.value(), locale).value() == written,
          "writing the value read back is stable", where + QStringLiteral(" -> ") + written);
    return 0;
}
