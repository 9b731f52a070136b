// FormatFixed writes every displayed result: exactly the pattern's decimals,
// the locale's separator, no grouping, and a text that TextToNumber reads
// back to the value within the pattern's rounding.
#include "fuzz/fuzz_support.h"
#include "shell/numbers.h"

#include <QRegularExpression>

using namespace dentivel;
using namespace dentivel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const QString patterns[] = {QStringLiteral("0"), QStringLiteral("0.0"),
                                       QStringLiteral("0.00")};
    const int decimals = data[0] % 3;
    const QLocale locale = localeFor(data[0] / 3);
    const double value = doubleFrom(data + 1, size - 1);
    const QString where =
        locale.name() + QLatin1Char(' ') + patterns[decimals] + QLatin1Char(' ') + describe(value);

    const Checked<QString> written = FormatFixed(value, patterns[decimals], locale);
    if (!written.ok()) {
        // Only a value that is not finite, or one whose text would be beyond
        // the double range, has no text.
        check(written.failure() == FailureCode::Overflow, "FormatFixed fails only with Overflow",
              where);
        check(!std::isfinite(value) || std::fabs(value) > 1.79769313486231e308,
              "FormatFixed writes every finite value in range", where);
        return 0;
    }
    const QString& text = written.value();

    QString shape = QStringLiteral("^-?[0-9]+");
    if (decimals > 0)
        shape += QRegularExpression::escape(locale.decimalPoint()) +
                 QStringLiteral("[0-9]{%1}").arg(decimals);
    check(QRegularExpression(shape + QLatin1Char('$')).match(text).hasMatch(),
          "FormatFixed has exactly the pattern's decimals and no grouping",
          where + QStringLiteral(" -> ") + text);

    const Checked<double> read = TextToNumber(text, locale);
    if (!read.ok())
        fail("FormatFixed writes what TextToNumber reads", where + QStringLiteral(" -> ") + text);
    const double back = read.value();
    check(closeTo(back, value, 0.5 * std::pow(10.0, -decimals)),
          "FormatFixed's text reads back to the value", where + QStringLiteral(" -> ") + text);
    check(!(back == 0.0 && text.startsWith(QLatin1Char('-'))), "no negative zero is shown",
          where + QStringLiteral(" -> ") + text);
    return 0;
}
