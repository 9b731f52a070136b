// Every text the program writes for a number must read back as that number:
// a displayed result is converted again when it meets a comparison or a
// product, so a text beyond the double range would turn a shown result into
// a failure one step later.
#include "shell/failure.h"
#include "shell/numbers.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace dentivel;

namespace {

using test::kFrench;

enum class Writer { Fixed0, Fixed2, General };

Checked<QString> write(Writer writer, double value)
{
    switch (writer) {
    case Writer::Fixed0:
        return FormatFixed(value, u"0", kFrench);
    case Writer::Fixed2:
        return FormatFixed(value, u"0.00", kFrench);
    case Writer::General:
        break;
    }
    return NumberToText(value, kFrench);
}

} // namespace

class TestNumberRoundTrip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writtenTextReadsBack_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("written");
        const double max = std::numeric_limits<double>::max();
        // 1.79769313486231e308 is the largest 15-digit value inside the range.
        const double lastInside = 1.79769313486231e308;
        // Written with 15 digits, it rounds up to 1.79769313486232e308.
        const double firstBeyond = 1.7976931348623152e308;
        for (const auto& [writer, name] :
             {std::pair{Writer::Fixed0, "0"}, std::pair{Writer::Fixed2, "0.00"},
              std::pair{Writer::General, "general"}}) {
            auto row = [&, writer = writer, name = name](const char* what, double value,
                                                         bool written) {
                QTest::addRow("%s %s", name, what) << int(writer) << value << written;
            };
            row("largest double", max, false);
            row("largest negative double", -max, false);
            row("first value whose text is beyond the range", firstBeyond, false);
            row("last value written", lastInside, true);
            row("last negative value written", -lastInside, true);
            row("smallest subnormal", std::numeric_limits<double>::denorm_min(), true);
            row("everyday", 8.8846, true);
        }
    }

    void writtenTextReadsBack()
    {
        QFETCH(int, writer);
        QFETCH(double, value);
        QFETCH(bool, written);
        const Checked<QString> text = write(Writer(writer), value);
        if (!written) {
            // Beyond the double range once written, so Overflow, like any
            // other result beyond that range.
            QCOMPARE(int(text.failure()), int(FailureCode::Overflow));
            return;
        }
        QCOMPARE(int(text.failure()), int(FailureCode::None));
        const Checked<double> readBack = TextToNumber(text.value(), kFrench);
        QCOMPARE(int(readBack.failure()), int(FailureCode::None));
        const double back = readBack.value();
        const double slack = Writer(writer) == Writer::Fixed0   ? 0.5
                             : Writer(writer) == Writer::Fixed2 ? 0.005
                                                                : 0;
        QVERIFY2(std::fabs(back - value) <= slack + std::fabs(value) * 1e-14,
                 qPrintable(text.value()));
    }
};

QTEST_GUILESS_MAIN(TestNumberRoundTrip)
#include "test_number_round_trip.moc"
