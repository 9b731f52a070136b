// How long a user waits for each window to open and for each calculation to
// show its result, measured in-process through the real windows.
#include "tests/support/test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

using namespace dentivel;

namespace {

void setText(QWidget* window, const char* name, const QString& text)
{
    QWidget* input = window->findChild<QWidget*>(QLatin1String(name));
    if (auto* combo = qobject_cast<QComboBox*>(input))
        combo->setCurrentText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(input))
        edit->setText(text);
    else
        qFatal("no input %s", name);
}

void click(QWidget* window, const char* name)
{
    auto* button = window->findChild<QAbstractButton*>(QLatin1String(name));
    if (!button)
        qFatal("no button %s", name);
    button->click();
}

} // namespace

class BenchWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openWindow_data()
    {
        QTest::addColumn<QString>("window");
        test::TestProgram program;
        for (const QString& name : program.windows.registeredWindows())
            QTest::newRow(qPrintable(name)) << name;
    }

    // From the order to show to the window laid out and painted once.
    void openWindow()
    {
        QFETCH(QString, window);
        test::TestProgram program;
        QBENCHMARK
        {
            QWidget* shown = program.windows.show(window);
            shown->repaint();
            program.windows.close(window);
            test::settle();
        }
    }

    void calculate_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("button");
        QTest::newRow("equivalence")
            << "Form1" << QStringList{"Combo1=53", "Combo3=17", "Combo2=39"} << "Command1";
        QTest::newRow("climbing speed")
            << "Form1" << QStringList{"Combo5=700", "Combo4=10"} << "Command3";
        QTest::newRow("development")
            << "Form3" << QStringList{"Combo1=53", "Combo2=17", "Combo3=10"} << "Command1";
        QTest::newRow("cadence") << "Form4" << QStringList{"Text1=30", "Combo1=53", "Combo3=17"}
                                 << "Command1";
    }

    // From the click to the result in its label.
    void calculate()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, inputs);
        QFETCH(QString, button);
        test::TestProgram program;
        QWidget* shown = program.windows.show(window);
        for (const QString& input : inputs) {
            const QStringList pair = input.split(QLatin1Char('='));
            setText(shown, qPrintable(pair[0]), pair[1]);
        }
        QBENCHMARK
        {
            click(shown, qPrintable(button));
            shown->repaint();
        }
        QVERIFY(program.messages.shown.empty());
    }
};

DENTIVEL_TEST_MAIN(BenchWindows)
#include "bench_windows.moc"
