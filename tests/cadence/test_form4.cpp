#include "cadence/cadence.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

struct CadenceWindow {
    explicit CadenceWindow(const QLocale& locale = kEnglish) : program(locale)
    {
        window = program.windows.show(WindowName::Form4);
    }

    template <typename W> W* find(const char* name) const
    {
        return window->findChild<W*>(QLatin1String(name));
    }

    void calculate(const QString& speed, const QString& chainring, const QString& sprocket)
    {
        find<QLineEdit>("Text1")->setText(speed);
        find<QComboBox>("Combo1")->setEditText(chainring);
        find<QComboBox>("Combo3")->setEditText(sprocket);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
    }

    test::TestProgram program;
    QWidget* window = nullptr;
};

} // namespace

// The cadence window's own share: its contents, what "Calculer" does with the
// calculation, and the windows it opens and closes.
class TestForm4 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void opensWithDesignedContents()
    {
        CadenceWindow form;
        QCOMPARE(form.window->windowTitle(), QStringLiteral("Fréquence de pédalage"));
        QCOMPARE(form.window->size(), QSize(248, 290));
        QVERIFY(!(form.window->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(form.window->focusWidget(), form.find<QLineEdit>("Text1"));
        QCOMPARE(form.find<QComboBox>("Combo1")->count(), 20);
        QCOMPARE(form.find<QComboBox>("Combo1")->itemText(8), QStringLiteral("42"));
        QCOMPARE(form.find<QComboBox>("Combo3")->count(), 17);
        QCOMPARE(form.find<QLabel>("Label5")->text(), QString());
        QCOMPARE(form.find<QLabel>("Label6")->text(), QString());
        QCOMPARE(form.find<QLabel>("Label1")->font().pointSizeF(), 9.75);
        QCOMPARE(form.find<QLabel>("Label6")->palette().color(QPalette::WindowText),
                 QColor(0, 0, 255));
        for (const char* decoration : {"Command5", "Command4_0", "Command4_1"})
            QVERIFY(!form.find<QPushButton>(decoration)->isEnabled());
    }

    // "Calculer" runs the calculation on the inputs' texts: the labels show
    // what it returned, keep their text where it returned nothing, and a
    // warning comes once the cadence it is about is shown.
    void calculateShowsTheResult_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::newRow("30 on 52x17") << kEnglish << "30"
                                     << "52"
                                     << "17";
        QTest::newRow("fr too high") << kFrench << "50"
                                     << "39"
                                     << "21";
        QTest::newRow("speed empty") << kEnglish << ""
                                     << "52"
                                     << "17";
        QTest::newRow("sprocket empty") << kEnglish << "20"
                                        << "50"
                                        << "";
    }

    void calculateShowsTheResult()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, speed);
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        CadenceWindow form(locale);
        QStringList labelsDuringBoxes;
        form.program.messages.onShow = [&] {
            labelsDuringBoxes << form.find<QLabel>("Label5")->text() + u'|' +
                                     form.find<QLabel>("Label6")->text();
        };
        const QString earlier = QStringLiteral("earlier");
        form.find<QLabel>("Label5")->setText(earlier);
        form.find<QLabel>("Label6")->setText(earlier);
        form.calculate(speed, chainring, sprocket);

        test::ScriptedMessageService expectedBoxes;
        const CadenceOutcome expected =
            computeCadence({speed, chainring, sprocket}, locale, expectedBoxes);
        const QString heading = expected.heading.value_or(earlier);
        const QString cadence = expected.cadence.value_or(earlier);
        QCOMPARE(form.find<QLabel>("Label5")->text(), heading);
        QCOMPARE(form.find<QLabel>("Label6")->text(), cadence);
        QStringList titles;
        for (const test::ShownMessage& box : expectedBoxes.shown)
            titles << box.title;
        if (expected.warning)
            titles << expected.warning->title;
        QStringList shownTitles;
        for (const test::ShownMessage& box : form.program.messages.shown)
            shownTitles << box.title;
        QCOMPARE(shownTitles, titles);
        if (expected.warning)
            QCOMPARE(labelsDuringBoxes.back(), heading + u'|' + cadence);
    }

    void buttonsNavigate()
    {
        CadenceWindow form;
        auto* infos = form.find<QPushButton>("Command3");
        QTest::mouseClick(infos, Qt::LeftButton);
        QWidget* example = form.program.windows.instance(WindowName::Form5);
        QVERIFY(example && example->isVisible());
        QTest::mouseClick(infos, Qt::LeftButton);
        QCOMPARE(form.program.windows.instance(WindowName::Form5), example);

        QTest::mouseClick(form.find<QPushButton>("Command2"), Qt::LeftButton); // Fermer
        test::settle();
        QCOMPARE(form.program.windows.loadedWindows(), QStringList{QStringLiteral("Form5")});
        QVERIFY(example->isVisible());
        QCOMPARE(form.program.endCount, 0);

        QTest::mouseClick(example->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        test::settle();
        QVERIFY(form.program.windows.loadedWindows().isEmpty());
        QCOMPARE(form.program.endCount, 1);
    }

    void exampleWindowShowsItsTable()
    {
        test::TestProgram program;
        QWidget* example = program.windows.show(WindowName::Form5);
        QCOMPARE(example->windowTitle(), QStringLiteral("Exemple"));
        QVERIFY(example->windowFlags() & Qt::WindowMaximizeButtonHint);
        auto text = [&](const QString& name) { return example->findChild<QLabel*>(name)->text(); };
        QCOMPARE(
            text(QStringLiteral("Label1")),
            QStringLiteral("Pour vous éclairer, sachez que pour respecter seulement 75 /min :"));
        QCOMPARE(text(QStringLiteral("Label2")), QStringLiteral("Sivous grimpez à : "));
        QCOMPARE(text(QStringLiteral("Label3")),
                 QStringLiteral("Votre braquet ne devra pas dépasser : "));
        // Rows from top to bottom: the speed label's index, its text, the gear.
        const struct {
            int speedIndex;
            const char* speed;
            const char* gear;
        } rows[] = {{0, "14 km/h", "32 X 21     ou équivalent"},
                    {6, "13 km/h", "32 X 22     \""},
                    {5, "12 km/h", "32 X 24     \""},
                    {4, "11 km/h", "30 X 24     \""},
                    {3, "10 km/h", "30 X 27     \""},
                    {2, "9 km/h", "30 X 30     \""},
                    {1, "8 km/h", "30 X 32     \""}};
        int previousTop = 0;
        for (int gearIndex = 0; gearIndex < 7; ++gearIndex) {
            auto* speed = example->findChild<QLabel*>(
                QStringLiteral("Label4_%1").arg(rows[gearIndex].speedIndex));
            auto* gear = example->findChild<QLabel*>(QStringLiteral("Label5_%1").arg(gearIndex));
            QCOMPARE(speed->text(), QString::fromUtf8(rows[gearIndex].speed));
            QCOMPARE(gear->text(), QString::fromUtf8(rows[gearIndex].gear));
            QCOMPARE(speed->y(), gear->y());
            QVERIFY(speed->y() > previousTop);
            previousTop = speed->y();
        }
        // Only "Ok" takes the focus; enlarging the window moves nothing.
        auto* ok = example->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QCOMPARE(example->focusWidget(), ok);
        const QRect before = ok->geometry();
        example->resize(600, 600);
        QCOMPARE(ok->geometry(), before);
    }
};

DENTIVEL_TEST_MAIN(TestForm4)
#include "test_form4.moc"
