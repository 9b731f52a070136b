#include "shell/numbers.h"

#include "shell/failure.h"

#include <QStringList>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace dentivel {

namespace {

// A number as the parsers found it, before it becomes a double. Keeping the
// digits as text lets overflow be told apart from underflow without relying
// on the C library's locale-dependent strtod.
struct DecimalDigits {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    long exponent = 0;
};

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Exponents are clamped far beyond the double range so that an absurd run of
// exponent digits cannot overflow the accumulator.
constexpr long kExponentClamp = 100000000;

void appendExponentDigit(long& exponent, QChar digit)
{
    if (exponent < kExponentClamp)
        exponent = exponent * 10 + (digit.unicode() - '0');
}

// The exponent after a number's digits: a marker, an optional sign, digits.
// It belongs to the number only when a digit follows; otherwise pos is left
// on the marker, where the number ends. peek() gives the character at pos,
// once it has stepped over whatever the caller ignores.
template <typename Peek>
void readExponent(Peek peek, qsizetype& pos, QStringView markers, DecimalDigits& digits)
{
    if (!markers.contains(peek().toUpper()))
        return;
    const qsizetype markerPos = pos++;
    bool negative = false;
    if (const QChar c = peek(); c == QLatin1Char('+') || c == QLatin1Char('-')) {
        negative = c == QLatin1Char('-');
        ++pos;
    }
    long exponent = 0;
    bool anyDigit = false;
    for (QChar c = peek(); isAsciiDigit(c); c = peek()) {
        appendExponentDigit(exponent, c);
        ++pos;
        anyDigit = true;
    }
    if (anyDigit)
        digits.exponent = negative ? -exponent : exponent;
    else
        pos = markerPos;
}

Checked<double> toDouble(const DecimalDigits& digits)
{
    std::string text = digits.integerDigits.empty() ? std::string("0") : digits.integerDigits;
    if (!digits.fractionDigits.empty())
        text += '.' + digits.fractionDigits;
    text += 'e' + std::to_string(digits.exponent);

    double value = 0.0;
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 200000
    // The browser build's libc++ reads no double yet. Its C library, musl,
    // reads a '.' whatever the locale and rounds correctly; it flags a
    // subnormal result too, which std::from_chars gives without complaint.
    errno = 0;
    value = std::strtod(text.c_str(), nullptr);
    const bool outOfRange = errno == ERANGE && (value == 0.0 || std::isinf(value));
#else
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                        std::chars_format::scientific);
    const bool outOfRange = result.ec == std::errc::result_out_of_range;
#endif
    if (outOfRange) {
        // Decimal position of the first significant digit decides which way
        // the value left the range.
        // (Zeros never leave it, so a significant digit is always there.)
        const std::string all = digits.integerDigits + digits.fractionDigits;
        const long magnitude = static_cast<long>(digits.integerDigits.size()) -
                               static_cast<long>(all.find_first_not_of('0')) - 1;
        if (magnitude + digits.exponent > 0)
            return FailureCode::Overflow;
        return 0.0;
    }
    if (value == 0.0)
        return 0.0; // no negative zero: "-0" reads and shows as 0
    return digits.negative ? -value : value;
}

bool isInputBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

int decimalsOf(QStringView pattern)
{
    const auto point = pattern.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
}

// Value as 15 significant decimal digits and the power of ten of the first.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

Checked<SignificantDigits> significantDigits(double magnitude)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    SignificantDigits out;
    out.digits = text.substr(0, 1) + text.substr(2, e - 2);
    out.exponent = std::stoi(text.substr(e + 1));
    // The largest doubles round up past the double range at 15 digits; such a
    // text could never be read back, so the result counts as overflowing.
    if (out.exponent > 308 || (out.exponent == 308 && out.digits > "179769313486231"))
        return FailureCode::Overflow;
    return out;
}

QString sign(bool negative)
{
    return negative ? QStringLiteral("-") : QString();
}

} // namespace

Checked<double> ReadNumber(QStringView text)
{
    qsizetype pos = 0;
    const qsizetype size = text.size();
    // Blanks are ignored anywhere, so every look at the next character skips them.
    auto peek = [&]() -> QChar {
        while (pos < size && isInputBlank(text[pos]))
            ++pos;
        return pos < size ? text[pos] : QChar();
    };

    DecimalDigits digits;
    if (const QChar c = peek(); c == QLatin1Char('+') || c == QLatin1Char('-')) {
        digits.negative = c == QLatin1Char('-');
        ++pos;
    }
    while (isAsciiDigit(peek()))
        digits.integerDigits += static_cast<char>(text[pos++].unicode());
    if (peek() == QLatin1Char('.')) {
        ++pos;
        while (isAsciiDigit(peek()))
            digits.fractionDigits += static_cast<char>(text[pos++].unicode());
    }
    if (digits.integerDigits.empty() && digits.fractionDigits.empty())
        return 0.0;

    readExponent(peek, pos, u"ED", digits);
    return toDouble(digits);
}

Checked<double> TextToNumber(QStringView text, const QLocale& locale)
{
    const QStringView trimmed = text.trimmed();
    const QString decimalPoint = locale.decimalPoint();
    const QString groupSeparator = locale.groupSeparator();
    // Locales whose grouping is a space accept any of the usual space characters.
    const bool spaceGrouping = groupSeparator.size() == 1 && groupSeparator[0].isSpace();
    auto isGroupSeparator = [&](QStringView rest) {
        if (rest.startsWith(groupSeparator))
            return qsizetype(groupSeparator.size());
        if (spaceGrouping && !rest.isEmpty() && rest[0].isSpace())
            return qsizetype(1);
        return qsizetype(0);
    };
    auto mismatch = []() -> Checked<double> { return FailureCode::TypeMismatch; };

    qsizetype pos = 0;
    DecimalDigits digits;
    auto rest = [&]() { return trimmed.mid(pos); };

    if (rest().startsWith(QLatin1Char('+'))) {
        pos += 1;
    } else if (rest().startsWith(QLatin1Char('-'))) {
        digits.negative = true;
        pos += 1;
    } else if (rest().startsWith(locale.negativeSign())) {
        digits.negative = true;
        pos += locale.negativeSign().size();
    } else if (rest().startsWith(locale.positiveSign())) {
        pos += locale.positiveSign().size();
    }

    // A separator stands only where the locale would write one: '1,234.5' is
    // grouped, while '2,5' in English is no number at all rather than 25. The
    // sizes of the last group and of those before it are learnt from how the
    // locale writes a long number: three and three, or three and two in India;
    // three where it writes no groups at all.
    const QStringList written = locale.toString(qlonglong(1234567890)).split(groupSeparator);
    const bool learnt = written.size() > 2;
    const qsizetype lastGroup = learnt ? written.back().size() : 3;
    const qsizetype innerGroup = learnt ? written.at(written.size() - 2).size() : 3;
    qsizetype groupDigits = 0; // since the last separator
    bool grouped = false;
    while (pos < trimmed.size()) {
        if (isAsciiDigit(trimmed[pos])) {
            digits.integerDigits += static_cast<char>(trimmed[pos++].unicode());
            ++groupDigits;
        } else if (const auto width = isGroupSeparator(rest()); width > 0 && groupDigits > 0) {
            if (grouped ? groupDigits != innerGroup : groupDigits > innerGroup)
                return mismatch();
            grouped = true;
            groupDigits = 0;
            pos += width;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != lastGroup)
        return mismatch();
    if (rest().startsWith(decimalPoint)) {
        pos += decimalPoint.size();
        while (pos < trimmed.size() && isAsciiDigit(trimmed[pos]))
            digits.fractionDigits += static_cast<char>(trimmed[pos++].unicode());
    }
    if (digits.integerDigits.empty() && digits.fractionDigits.empty())
        return mismatch();

    readExponent([&] { return pos < trimmed.size() ? trimmed[pos] : QChar(); }, pos, u"E", digits);
    if (pos != trimmed.size())
        return mismatch();
    return toDouble(digits);
}

Checked<QString> FormatFixed(Checked<double> checked, QStringView pattern, const QLocale& locale)
{
    if (!checked.ok())
        return checked.failure();
    const double value = checked.value();
    if (!std::isfinite(value))
        return FailureCode::Overflow;
    const int decimals = decimalsOf(pattern);
    const Checked<SignificantDigits> written = significantDigits(std::fabs(value));
    if (!written.ok())
        return written.failure();
    const SignificantDigits& sig = written.value();

    // Digits of the 15-digit form that survive rounding to the pattern.
    const int kept = sig.exponent + 1 + decimals;
    std::string digits;
    int exponent = sig.exponent;
    if (kept < 0) {
        digits.clear();
    } else if (kept >= static_cast<int>(sig.digits.size())) {
        digits = sig.digits + std::string(kept - sig.digits.size(), '0');
    } else {
        digits = sig.digits.substr(0, kept);
        if (sig.digits[kept] >= '5') { // halves away from zero, on the magnitude
            int i = kept - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }

    // digits now holds every digit from 10^exponent down to 10^-decimals.
    const int integerCount = exponent + 1;
    std::string integerPart;
    std::string fractionPart;
    if (integerCount <= 0) {
        integerPart = "0";
        fractionPart = std::string(-integerCount, '0') + digits;
    } else {
        integerPart = digits.substr(0, integerCount);
        fractionPart = digits.substr(integerCount);
    }
    fractionPart.resize(decimals, '0');
    const auto firstDigit = integerPart.find_first_not_of('0');
    integerPart = firstDigit == std::string::npos ? "0" : integerPart.substr(firstDigit);

    const bool shownAsZero =
        integerPart == "0" && fractionPart.find_first_not_of('0') == std::string::npos;
    QString text = sign(value < 0 && !shownAsZero) + QString::fromLatin1(integerPart);
    if (decimals > 0)
        text += locale.decimalPoint() + QString::fromLatin1(fractionPart);
    return text;
}

Checked<QString> NumberToText(Checked<double> checked, const QLocale& locale)
{
    if (!checked.ok())
        return checked.failure();
    const double value = checked.value();
    if (!std::isfinite(value))
        return FailureCode::Overflow;
    if (value == 0.0)
        return QStringLiteral("0");
    const Checked<SignificantDigits> written = significantDigits(std::fabs(value));
    if (!written.ok())
        return written.failure();
    const SignificantDigits& sig = written.value();
    std::string digits = sig.digits;
    digits.erase(digits.find_last_not_of('0') + 1);

    auto withPoint = [&](const std::string& integerPart, const std::string& fraction) {
        QString text = QString::fromLatin1(integerPart);
        if (!fraction.empty())
            text += locale.decimalPoint() + QString::fromLatin1(fraction);
        return text;
    };

    QString body;
    if (sig.exponent >= 15 || sig.exponent < -4) {
        const QString exponentDigits =
            QStringLiteral("%1").arg(std::abs(sig.exponent), 2, 10, QLatin1Char('0'));
        body = withPoint(digits.substr(0, 1), digits.substr(1)) +
               (sig.exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + exponentDigits;
    } else if (sig.exponent < 0) {
        body = withPoint("0", std::string(-sig.exponent - 1, '0') + digits);
    } else {
        const std::size_t integerCount = std::size_t(sig.exponent) + 1;
        if (digits.size() <= integerCount)
            body = withPoint(digits + std::string(integerCount - digits.size(), '0'), "");
        else
            body = withPoint(digits.substr(0, integerCount), digits.substr(integerCount));
    }
    return sign(value < 0) + body;
}

namespace {

template <typename Int> Checked<Int> roundToWhole(Checked<double> checked)
{
    if (!checked.ok())
        return checked.failure();
    const double value = checked.value();
    if (!std::isfinite(value))
        return FailureCode::Overflow;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    // The range is checked on the double, before any conversion can misbehave.
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        return FailureCode::Overflow;
    return static_cast<Int>(rounded);
}

Checked<double> finiteOrOverflow(double result)
{
    if (!std::isfinite(result))
        return FailureCode::Overflow;
    return result;
}

} // namespace

Checked<std::int16_t> RoundToInt16(Checked<double> value)
{
    return roundToWhole<std::int16_t>(value);
}
Checked<std::int32_t> RoundToInt32(Checked<double> value)
{
    return roundToWhole<std::int32_t>(value);
}

Checked<double> Divide(Checked<double> dividend, Checked<double> divisor)
{
    if (const FailureCode failed = firstFailure(dividend, divisor); failed != FailureCode::None)
        return failed;
    if (divisor.value() == 0.0) {
        if (dividend.value() == 0.0 || std::isnan(dividend.value()))
            return FailureCode::Overflow;
        return FailureCode::DivisionByZero;
    }
    return finiteOrOverflow(dividend.value() / divisor.value());
}

Checked<double> Multiply(Checked<double> left, Checked<double> right)
{
    if (const FailureCode failed = firstFailure(left, right); failed != FailureCode::None)
        return failed;
    return finiteOrOverflow(left.value() * right.value());
}

Checked<double> MixedValue::toNumber(const QLocale& locale) const
{
    if (const auto* text = std::get_if<QString>(&m_value))
        return TextToNumber(*text, locale);
    return std::get<double>(m_value);
}

Checked<QString> MixedValue::toText(const QLocale& locale) const
{
    if (const auto* text = std::get_if<QString>(&m_value))
        return *text;
    return NumberToText(std::get<double>(m_value), locale);
}

Checked<bool> MixedValue::isLessThan(double constant, const QLocale& locale) const
{
    const Checked<double> number = toNumber(locale);
    if (!number.ok())
        return number.failure();
    return number.value() < constant;
}

Checked<bool> MixedValue::isGreaterThan(double constant, const QLocale& locale) const
{
    const Checked<double> number = toNumber(locale);
    if (!number.ok())
        return number.failure();
    return number.value() > constant;
}

Checked<bool> MixedValue::equalsText(QStringView constant, const QLocale& locale) const
{
    const Checked<QString> text = toText(locale);
    if (!text.ok())
        return text.failure();
    return text.value() == constant;
}

Checked<double> MixedValue::times(const MixedValue& other, const QLocale& locale) const
{
    return Multiply(toNumber(locale), other.toNumber(locale));
}

} // namespace dentivel
