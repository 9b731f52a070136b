#include "tests/support/test_support.h"

#include <QDir>

using namespace dentivel;

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
};

DENTIVEL_TEST_MAIN(TestTextFit)
#include "test_text_fit.moc"
