#include "shell/design_palette.h"
#include "tests/support/test_support.h"

#include <QDir>

#include <cmath>

using namespace dentivel;

namespace {

// Each label's WCAG contrast between its lightest and darkest pixels as it
// draws itself, text on ground. An empty label is where a result shows later.
QHash<QString, double> labelContrasts(const QString& window)
{
    const auto luminance = [](QRgb colour) {
        const auto linear = [](int channel) {
            const double value = channel / 255.0;
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
               0.0722 * linear(qBlue(colour));
    };
    test::TestProgram program;
    QHash<QString, double> contrasts;
    for (QLabel* label : program.windows.show(window)->findChildren<QLabel*>()) {
        if (label->text().isEmpty() && label->pixmap().isNull())
            label->setText(QStringLiteral("8,40"));
        const QImage picture = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(picture.constBits());
        const auto [darkest, lightest] =
            std::minmax_element(pixels, pixels + picture.width() * picture.height(),
                                [&](QRgb a, QRgb b) { return luminance(a) < luminance(b); });
        contrasts[label->objectName()] =
            (luminance(*lightest) + 0.05) / (luminance(*darkest) + 0.05);
    }
    return contrasts;
}

} // namespace

// Every caption of every window must show whole with the fonts in use. The
// windows are also saved as pictures when DENTIVEL_SCREENSHOT_DIR is set.
class TestTextFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void captionsFit_data()
    {
        QTest::addColumn<QString>("window");
        test::TestProgram program;
        for (const QString& name : program.windows.registeredWindows())
            QTest::newRow(qPrintable(name)) << name;
    }

    void captionsFit()
    {
        QFETCH(QString, window);
        test::TestProgram program;
        QWidget* shown = program.windows.show(window);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        // The same executable runs once per desktop scale; make sure the
        // scale asked for is the one drawn.
        const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                 ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                 : 1.0;
        QCOMPARE(shown->devicePixelRatioF(), scale);
        const QStringList clipped = test::clippedTexts(shown);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("\n"))));

        const QString directory = qEnvironmentVariable("DENTIVEL_SCREENSHOT_DIR");
        if (!directory.isEmpty()) {
            QDir().mkpath(directory);
            QVERIFY(
                shown->grab().save(directory + QLatin1Char('/') + window + QStringLiteral(".png")));
        }
    }

    void readableOnDarkDesktop_data() { captionsFit_data(); }

    // On a dark desktop too, the design's fixed colours (the table's rows, the
    // blue results, the black captions) must meet the ground they were chosen
    // for: no label reads worse than on a light desktop, unless at 4.5:1.
    void readableOnDarkDesktop()
    {
        QFETCH(QString, window);
        QApplication::setPalette(QPalette()); // no roles: the platform's light colours
        const QHash<QString, double> light = labelContrasts(window);
        // As a dark theme hands Qt its colours before the program starts.
        QApplication::setPalette(QPalette(QColor(42, 46, 50)));
        useDesignPalette();
        const QHash<QString, double> dark = labelContrasts(window);
        for (auto it = light.cbegin(); it != light.cend(); ++it)
            QVERIFY2(dark[it.key()] >= std::min(4.5, *it), qPrintable(it.key()));
    }
};

DENTIVEL_TEST_MAIN(TestTextFit)
#include "test_text_fit.moc"
