#pragma once

#include "shell/failure.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <variant>

// The number rules every calculator shares: how an input text becomes a
// double, how a result becomes a text, and how the two meet. Everything that
// depends on the user's settings takes the locale as an argument.
namespace dentivel {

// Input text -> double. "." is always the decimal point; blanks anywhere are
// ignored; reading stops at the first character that cannot continue the
// number, and a text with no digit reads as 0. Fails with Overflow only when
// the digits denote a value beyond the double range.
Checked<double> ReadNumber(QStringView text);

// Displayed result -> double, with the locale's decimal and grouping
// separators. Fails with TypeMismatch for a text that is not a number and
// Overflow for one beyond the double range.
Checked<double> TextToNumber(QStringView text, const QLocale& locale);

// Fixed-decimal text for the patterns "0", "0.0" and "0.00": 15 significant
// digits first, then halves away from zero, the locale's decimal separator,
// no grouping. Fails with Overflow for a value that is not finite or whose
// text would be beyond the double range. A failed value passes its failure on,
// here as in every rule below that takes a checked value.
Checked<QString> FormatFixed(Checked<double> value, QStringView pattern, const QLocale& locale);

// General text form: at most 15 significant digits, no trailing zeros, the
// locale's decimal separator, exponent form for very large or small values.
// Fails like FormatFixed.
Checked<QString> NumberToText(Checked<double> value, const QLocale& locale);

// Nearest whole number, halves to even; Overflow outside the type's range.
Checked<std::int16_t> RoundToInt16(Checked<double> value);
Checked<std::int32_t> RoundToInt32(Checked<double> value);

// Arithmetic with the program's failure rules: 0/0 is Overflow, x/0 is
// DivisionByZero, and any result beyond the double range is Overflow. An
// operand that failed already gives its failure, the left one first, so a
// chain of steps ends with the failure met first.
Checked<double> Divide(Checked<double> dividend, Checked<double> divisor);
Checked<double> Multiply(Checked<double> left, Checked<double> right);

// Only a completely empty text counts as missing input; blanks do not.
inline bool IsEmptyInput(QStringView text)
{
    return text.isEmpty();
}

// An intermediate result that is either a number or a displayed text.
class MixedValue {
public:
    MixedValue(double number) : m_value(number) {}
    MixedValue(QString text) : m_value(std::move(text)) {}

    bool isText() const { return std::holds_alternative<QString>(m_value); }
    // toNumber fails on a text that is no number, toText on a number too
    // large to be written.
    Checked<double> toNumber(const QLocale& locale) const;
    Checked<QString> toText(const QLocale& locale) const;

    // Against a numeric constant the comparison is numeric: a text is first
    // converted, so what the user sees is what gets compared.
    Checked<bool> isLessThan(double constant, const QLocale& locale) const;
    Checked<bool> isGreaterThan(double constant, const QLocale& locale) const;
    // Against a text constant the comparison is textual: a number is first
    // written in its general text form.
    Checked<bool> equalsText(QStringView constant, const QLocale& locale) const;
    // Both sides are taken as numbers and multiplied.
    Checked<double> times(const MixedValue& other, const QLocale& locale) const;

private:
    std::variant<double, QString> m_value;
};

} // namespace dentivel
