#include "shell/failure.h"
#include "shell/message_service.h"
#include "shell/numbers.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

// A result's failure code, 0 when it succeeded.
template <typename T> int failureOf(const Checked<T>& result)
{
    return int(result.failure());
}

// An operand as a table gives it: a value, or a failure met one step earlier.
Checked<double> operand(double value, int failure)
{
    if (failure != 0)
        return FailureCode(failure);
    return value;
}

} // namespace

class TestNumbers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("failure");
        auto row = [](const char* name, const QString& text, double expected, int failure = 0) {
            QTest::newRow(name) << text << expected << failure;
        };
        row("whole", "53", 53);
        row("decimal point", "7.5", 7.5);
        row("comma ends the number", "7,5", 7);
        row("blank inside", " 5 3", 53);
        row("trailing word", "53 dents", 53);
        row("leading point", ".5", 0.5);
        row("trailing point", "5.", 5);
        row("negative", "-3", -3);
        row("explicit plus", "+4", 4);
        row("exponent", "1e3", 1000);
        row("D exponent", "1D2", 100);
        row("negative exponent", "2E-1", 0.2);
        row("exponent without digits", "1e", 1);
        row("exponent sign without digits", "1e+", 1);
        row("blanks around exponent", "1 e 3", 1000);
        row("letters", "abc", 0);
        row("empty", "", 0);
        row("digits then letters", "12abc", 12);
        row("split digits", "1 2", 12);
        row("lone sign", "+", 0);
        row("sign then blank", "- 4", -4);
        row("tab and line feed", "\t7\n", 7);
        row("two signs", "--3", 0);
        row("second point", "1.2.3", 1.2);
        row("hex prefix reads its zero", "0x1A", 0);
        row("fullwidth digits", QStringLiteral("\uFF11\uFF12"), 0);
        row("arabic-indic digit", QStringLiteral("\u0663"), 0);
        row("minus zero", "-0", 0);
        row("underflow", "1e-400", 0);
        row("largest double", "1.7976931348623157e308", std::numeric_limits<double>::max());
        row("beyond double range", "1e400", 0, 6);
        row("negative beyond range", "-1e400", 0, 6);
        row("four hundred digits", QString(400, QLatin1Char('9')), 0, 6);
        row("huge exponent digits", "1e99999999999999999999", 0, 6);
        row("huge negative exponent", "1e-99999999999999999999", 0);
        row("zero with huge exponent", "0e99999", 0);
    }

    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, failure);
        const Checked<double> value = ReadNumber(text);
        QCOMPARE(failureOf(value), failure);
        if (failure == 0) {
            QCOMPARE(value.value(), expected);
            QVERIFY(!std::signbit(value.value()) || value.value() != 0);
        }
    }

    void textToNumber_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("failure");
        auto row = [](const char* name, const QLocale& locale, const QString& text, double expected,
                      int failure = 0) {
            QTest::newRow(name) << locale << text << expected << failure;
        };
        row("en decimal", kEnglish, "8.88", 8.88);
        row("en blanks around", kEnglish, " 12.5 ", 12.5);
        row("en negative", kEnglish, "-3", -3);
        row("en plus", kEnglish, "+3", 3);
        row("en grouped", kEnglish, "1,234.5", 1234.5);
        row("en comma before two digits is not grouping", kEnglish, "8,88", 0, 13);
        row("en revolutions typed with a comma", kEnglish, "2,5", 0, 13);
        row("en grouped millions", kEnglish, "1,234,567.5", 1234567.5);
        row("en first group of three", kEnglish, "123,456", 123456);
        row("en first group of four", kEnglish, "1234,567", 0, 13);
        row("en last group of two", kEnglish, "1,234,56", 0, 13);
        row("en group of four", kEnglish, "1,2345", 0, 13);
        row("en grouping in the decimals", kEnglish, "0.123,456", 0, 13);
        row("en exponent", kEnglish, "1E+20", 1e20);
        row("en letters", kEnglish, "abc", 0, 13);
        row("en empty", kEnglish, "", 0, 13);
        row("en blank", kEnglish, " ", 0, 13);
        row("en lone sign", kEnglish, "-", 0, 13);
        row("en two points", kEnglish, "1.2.3", 0, 13);
        row("en with unit", kEnglish, "12.5 Km/h", 0, 13);
        row("en exponent without digits", kEnglish, "1E", 0, 13);
        row("en infinity word", kEnglish, "inf", 0, 13);
        row("en beyond range", kEnglish, "1E+400", 0, 6);
        row("fr decimal comma", kFrench, "8,88", 8.88);
        row("fr point is not a separator", kFrench, "8.88", 0, 13);
        row("fr negative", kFrench, "-0,5", -0.5);
        row("fr narrow space grouping", kFrench, QStringLiteral("1\u202F234,5"), 1234.5);
        row("fr plain space grouping", kFrench, "1 234,5", 1234.5);
        row("fr no-break space grouping", kFrench, QStringLiteral("12\u00A0345"), 12345);
        row("fr space before two digits", kFrench, "2 5", 0, 13);
        row("fr narrow space before two digits", kFrench, QStringLiteral("1\u202F23"), 0, 13);
        row("de point grouping", QLocale(QLocale::German, QLocale::Germany), "1.234,5", 1234.5);
        row("de point before one digit", QLocale(QLocale::German, QLocale::Germany), "2.5", 0, 13);
        row("fr displayed speed", kFrench, "3,9", 3.9);
        row("fr exponent", kFrench, "1,5E-07", 1.5e-7);
        row("fr leading comma", kFrench, ",5", 0.5);
        row("en grouping at the end", kEnglish, "1,", 0, 13);
        row("en grouping doubled", kEnglish, "1,,000", 0, 13);
        row("en exponent sign without digits", kEnglish, "1E+", 0, 13);
        row("hi grouped by twos before the last three", QLocale(QLocale::Hindi, QLocale::India),
            "12,34,567", 1234567);
        row("hi grouped by threes", QLocale(QLocale::Hindi, QLocale::India), "1,234,567", 0, 13);
        row("sv minus sign", QLocale(QLocale::Swedish, QLocale::Sweden),
            QStringLiteral("\u22123,5"), -3.5);
    }

    void textToNumber()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, failure);
        const Checked<double> value = TextToNumber(text, locale);
        QCOMPARE(failureOf(value), failure);
        if (failure == 0)
            QCOMPARE(value.value(), expected);
    }

    void formatFixed_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("french");
        auto row = [](const char* name, double value, const char* pattern, const char* english,
                      const char* french) {
            QTest::newRow(name) << value << QString::fromLatin1(pattern)
                                << QString::fromLatin1(english) << QString::fromLatin1(french);
        };
        row("zero one decimal", 0, "0.0", "0.0", "0,0");
        row("half away from zero", 2.675, "0.00", "2.68", "2,68");
        row("speed", 12.45, "0.0", "12.5", "12,5");
        row("cadence half", 119.5, "0", "120", "120");
        row("trailing zeros kept", 7, "0.00", "7.00", "7,00");
        row("no grouping", 1234.5, "0", "1235", "1235");
        row("development", 8.8846, "0.00", "8.88", "8,88");
        row("negative half", -2.675, "0.00", "-2.68", "-2,68");
        row("negative rounding to zero", -0.001, "0.00", "0.00", "0,00");
        row("small half", 0.005, "0.00", "0.01", "0,01");
        row("carry into new digit", 9.995, "0.00", "10.00", "10,00");
        row("below a half", 0.45, "0", "0", "0");
        row("exact half", 0.5, "0", "1", "1");
        row("negative exact half", -0.5, "0", "-1", "-1");
        row("binary near half", 1.005, "0.00", "1.01", "1,01");
        row("tiny", 0.000001, "0.00", "0.00", "0,00");
        row("large", 1e20, "0", "100000000000000000000", "100000000000000000000");
        row("large with decimals", 123456789012345678.0, "0.0", "123456789012346000.0",
            "123456789012346000,0");
    }

    void formatFixed()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, english);
        QFETCH(QString, french);
        QCOMPARE(FormatFixed(value, pattern, kEnglish).value(), english);
        QCOMPARE(FormatFixed(value, pattern, kFrench).value(), french);
    }

    void formatFixedRefusesNonFinite()
    {
        const double infinity = std::numeric_limits<double>::infinity();
        QCOMPARE(failureOf(FormatFixed(infinity, u"0", kEnglish)), 6);
        QCOMPARE(failureOf(FormatFixed(std::nan(""), u"0.0", kEnglish)), 6);
        QCOMPARE(failureOf(NumberToText(-infinity, kEnglish)), 6);
    }

    void numberToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("french");
        auto row = [](const char* name, double value, const char* english, const char* french) {
            QTest::newRow(name) << value << QString::fromLatin1(english)
                                << QString::fromLatin1(french);
        };
        row("distance", 22.05, "22.05", "22,05");
        row("whole", 42, "42", "42");
        row("negative", -3.5, "-3.5", "-3,5");
        row("zero", 0, "0", "0");
        row("negative zero", -0.0, "0", "0");
        row("hundred", 100, "100", "100");
        row("third", 1.0 / 3.0, "0.333333333333333", "0,333333333333333");
        row("product noise", 10 * 6.85, "68.5", "68,5");
        row("last plain", 999999999999999.0, "999999999999999", "999999999999999");
        row("large", 1e20, "1E+20", "1E+20");
        row("large mantissa", 123456789012345678.0, "1.23456789012346E+17", "1,23456789012346E+17");
        row("small plain", 0.0001, "0.0001", "0,0001");
        row("small", 0.00001, "1E-05", "1E-05");
        row("small mantissa", -1.5e-7, "-1.5E-07", "-1,5E-07");
        row("huge exponent", 1e300, "1E+300", "1E+300");
    }

    void numberToText()
    {
        QFETCH(double, value);
        QFETCH(QString, english);
        QFETCH(QString, french);
        QCOMPARE(NumberToText(value, kEnglish).value(), english);
        QCOMPARE(NumberToText(value, kFrench).value(), french);
    }

    // Every text the program writes must read back under the same locale.
    void writtenTextsReadBack()
    {
        const double values[] = {0,    1,     -1,      0.1,     2.675, 1e-10, 123456.789,
                                 1e15, -1e20, 3.14159, 0.00001, 1e300, -0.5,  99.995};
        for (const QLocale& locale : {kEnglish, kFrench, QLocale(QLocale::German)}) {
            for (double value : values) {
                const QString general = NumberToText(value, locale).value();
                QCOMPARE(TextToNumber(general, locale).value(),
                         ReadNumber(QString::number(value, 'g', 15)).value());
                for (int decimals = 0; decimals <= 2; ++decimals) {
                    const QString pattern = decimals == 0
                                                ? QStringLiteral("0")
                                                : QStringLiteral("0.") + QString(decimals, u'0');
                    const QString fixed = FormatFixed(value, pattern, locale).value();
                    const double halfStep = 0.5 * std::pow(10.0, -decimals);
                    const double back = TextToNumber(fixed, locale).value();
                    QVERIFY2(std::fabs(back - value) <= halfStep + std::fabs(value) * 1e-14,
                             qPrintable(fixed));
                }
            }
        }
    }

    void roundToWhole_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("int16");
        QTest::addColumn<int>("int16Failure");
        QTest::addColumn<qint64>("int32");
        QTest::addColumn<int>("int32Failure");
        auto row = [](const char* name, double value, int int16, int int16Failure, qint64 int32,
                      int int32Failure = 0) {
            QTest::newRow(name) << value << int16 << int16Failure << int32 << int32Failure;
        };
        row("half down to even", 42.5, 42, 0, 42);
        row("half up to even", 43.5, 44, 0, 44);
        row("negative half", -42.5, -42, 0, -42);
        row("equivalent sprocket", 12.509, 13, 0, 13);
        row("below a half", 2.4999, 2, 0, 2);
        row("int16 top", 32767.4, 32767, 0, 32767);
        row("int16 half over top", 32767.5, 0, 6, 32768);
        row("int16 beyond top", 32767.6, 0, 6, 32768);
        row("int16 bottom half", -32768.5, -32768, 0, -32768);
        row("int16 beyond bottom", -32768.6, 0, 6, -32769);
        row("int32 top", 2147483647.4, 0, 6, 2147483647);
        row("int32 half over top", 2147483647.5, 0, 6, 0, 6);
        row("int32 bottom half", -2147483648.5, 0, 6, -2147483648LL);
        row("huge", 1e300, 0, 6, 0, 6);
        row("not a number", std::nan(""), 0, 6, 0, 6);
    }

    void roundToWhole()
    {
        QFETCH(double, value);
        QFETCH(int, int16);
        QFETCH(int, int16Failure);
        QFETCH(qint64, int32);
        QFETCH(int, int32Failure);
        const Checked<std::int16_t> result16 = RoundToInt16(value);
        QCOMPARE(failureOf(result16), int16Failure);
        if (int16Failure == 0)
            QCOMPARE(int(result16.value()), int16);
        const Checked<std::int32_t> result32 = RoundToInt32(value);
        QCOMPARE(failureOf(result32), int32Failure);
        if (int32Failure == 0)
            QCOMPARE(qint64(result32.value()), int32);
    }

    void arithmetic_data()
    {
        QTest::addColumn<bool>("division");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("failure");
        // An operand's failure, as an earlier step of a chain hands it on.
        QTest::addColumn<int>("leftFailure");
        QTest::addColumn<int>("rightFailure");
        auto row = [](const char* name, bool division, double left, double right, double expected,
                      int failure, int leftFailure = 0, int rightFailure = 0) {
            QTest::newRow(name) << division << left << right << expected << failure << leftFailure
                                << rightFailure;
        };
        row("zero by zero", true, 0.0, 0.0, 0.0, 6);
        row("number by zero", true, 1.0, 0.0, 0.0, 11);
        row("negative by zero", true, -4.0, 0.0, 0.0, 11);
        row("not a number by zero", true, std::nan(""), 0.0, 0.0, 6);
        row("quotient too large", true, 1e308, 1e-10, 0.0, 6);
        row("ordinary quotient", true, 663.0, 53.0, 663.0 / 53.0, 0);
        row("product too large", false, 1e308, 10.0, 0.0, 6);
        row("ordinary product", false, 6.3, 2.1, 6.3 * 2.1, 0);
        row("failed divisor handed on, not division by zero", true, 1.0, 0.0, 0.0, 13, 0, 13);
        row("failed dividend before a zero divisor", true, 0.0, 0.0, 0.0, 11, 11);
        row("left failure before right failure", true, 1.0, 1.0, 0.0, 13, 13, 6);
        row("failed factor handed on", false, 2.0, 3.0, 0.0, 6, 0, 6);
        row("left factor's failure first", false, 2.0, 3.0, 0.0, 11, 11, 13);
    }

    void arithmetic()
    {
        QFETCH(bool, division);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(double, expected);
        QFETCH(int, failure);
        QFETCH(int, leftFailure);
        QFETCH(int, rightFailure);
        const Checked<double> a = operand(left, leftFailure);
        const Checked<double> b = operand(right, rightFailure);
        const Checked<double> result = division ? Divide(a, b) : Multiply(a, b);
        QCOMPARE(failureOf(result), failure);
        if (failure == 0)
            QCOMPARE(result.value(), expected);
    }

    void mixedComparisons_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("constant");
        QTest::addColumn<bool>("below");
        QTest::addColumn<bool>("above");
        QTest::addColumn<int>("failure");
        auto row = [](const char* name, const QLocale& locale, const char* shown, double constant,
                      bool below, bool above, int failure = 0) {
            QTest::newRow(name) << locale << QString::fromLatin1(shown) << constant << below
                                << above << failure;
        };
        row("4.0 is not below 4", kEnglish, "4.0", 4.0, false, false);
        row("3.9 is below 4", kEnglish, "3.9", 4.0, true, false);
        row("3,9 is below 4 in French", kFrench, "3,9", 4.0, true, false);
        row("4,0 is not below 4 in French", kFrench, "4,0", 4.0, false, false);
        row("121 is above 120", kEnglish, "121", 120.0, false, true);
        row("120 is not above 120", kEnglish, "120", 120.0, false, false);
        row("a text that is no number cannot be compared", kEnglish, "abc", 4.0, false, false, 13);
    }

    void mixedComparisons()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, shown);
        QFETCH(double, constant);
        QFETCH(bool, below);
        QFETCH(bool, above);
        QFETCH(int, failure);
        const MixedValue value(shown);
        const Checked<bool> less = value.isLessThan(constant, locale);
        const Checked<bool> greater = value.isGreaterThan(constant, locale);
        QCOMPARE(failureOf(less), failure);
        QCOMPARE(failureOf(greater), failure);
        if (failure == 0) {
            QCOMPARE(less.value(), below);
            QCOMPARE(greater.value(), above);
        }
    }

    void mixedNumbersCompareAsNumbers()
    {
        QVERIFY(MixedValue(9.99).isLessThan(10, kFrench).value());
        QVERIFY(!MixedValue(10.0).isLessThan(10, kFrench).value());
        QVERIFY(MixedValue(120.5).isGreaterThan(120, kFrench).value());
        QCOMPARE(MixedValue(2.5).times(4.0, kFrench).value(), 10.0);
        // A text meeting a text constant is compared as it stands.
        QVERIFY(MixedValue(QStringLiteral("0")).equalsText(u"0", kFrench).value());
        QVERIFY(!MixedValue(QStringLiteral("0,0")).equalsText(u"0", kFrench).value());
    }

    void mixedTextEquality_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("equal");
        QTest::newRow("0 equals \"0\"") << kEnglish << 0.0 << true;
        QTest::newRow("0.5 differs") << kEnglish << 0.5 << false;
        QTest::newRow("0,5 differs in French") << kFrench << 0.5 << false;
        QTest::newRow("negative differs") << kEnglish << -3.0 << false;
        QTest::newRow("tiny differs") << kEnglish << 1e-300 << false;
    }

    void mixedTextEquality()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, number);
        QFETCH(bool, equal);
        QCOMPARE(MixedValue(number).equalsText(u"0", locale).value(), equal);
    }

    void mixedProduct()
    {
        QCOMPARE(MixedValue(QStringLiteral("10")).times(QStringLiteral("6.85"), kEnglish).value(),
                 68.5);
        QCOMPARE(MixedValue(QStringLiteral("10")).times(QStringLiteral("6,85"), kFrench).value(),
                 68.5);
        QCOMPARE(failureOf(MixedValue(QStringLiteral("abc")).times(2.0, kEnglish)), 13);
        QCOMPARE(
            failureOf(
                MixedValue(QStringLiteral("1E+300")).times(QStringLiteral("1E+300"), kEnglish)),
            6);
    }

    void errorTrapSpeaksOnlyForOverflow_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("messages");
        QTest::newRow("completed") << 0 << 0;
        QTest::newRow("overflow") << 6 << 1;
        QTest::newRow("division by zero") << 11 << 0;
        QTest::newRow("type mismatch") << 13 << 0;
    }

    void errorTrapSpeaksOnlyForOverflow()
    {
        QFETCH(int, code);
        QFETCH(int, messages);
        test::ScriptedMessageService service;
        const MessageText complaint{QStringLiteral("prompt"), QStringLiteral("title"),
                                    MessageIcon::Exclamation, MessageButtons::Ok};
        bool ranOn = false;
        const FailureCode ended = ErrorTrap(service, complaint).run([&] {
            if (code != 0)
                return FailureCode(code);
            ranOn = true;
            return FailureCode::None;
        });
        QCOMPARE(int(ended), code);
        QCOMPARE(ranOn, code == 0);
        QCOMPARE(int(service.shown.size()), messages);
        if (messages) {
            QCOMPARE(service.shown.front().title, QStringLiteral("title"));
            QCOMPARE(service.shown.front().icon, MessageIcon::Exclamation);
        }
    }

    void emptinessTest()
    {
        QVERIFY(IsEmptyInput(u""));
        QVERIFY(!IsEmptyInput(u" "));
        QVERIFY(!IsEmptyInput(u"abc"));
        QCOMPARE(ReadNumber(u" ").value(), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
