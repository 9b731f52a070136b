#include "main_window/climbing_speed.h"
#include "main_window/equivalence.h"
#include "main_window/form1.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

// The equivalence frame of a main window opened through the registry.
struct EquivalenceFrame {
    explicit EquivalenceFrame(const QLocale& locale = kEnglish) : program(locale)
    {
        window = program.show<Form1>(WindowName::Form1);
    }

    QComboBox* combo(const char* name) const
    {
        return window->findChild<QComboBox*>(QLatin1String(name));
    }
    QLabel* label(const char* name) const
    {
        return window->findChild<QLabel*>(QLatin1String(name));
    }

    void calculate(const QString& p1, const QString& s1, const QString& p2)
    {
        combo("Combo1")->setEditText(p1);
        combo("Combo3")->setEditText(s1);
        combo("Combo2")->setEditText(p2);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    }

    test::TestProgram program;
    Form1* window = nullptr;
};

QStringList entries(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

QStringList numbers(std::initializer_list<int> values)
{
    QStringList list;
    for (int v : values)
        list << QString::number(v);
    return list;
}

struct ClimbingFrame {
    explicit ClimbingFrame(const QLocale& locale = kEnglish) : program(locale)
    {
        window = program.show<Form1>(WindowName::Form1);
        // What Label4 showed while each box was up.
        program.messages.onShow = [this] { speedDuringBox << speed()->text(); };
    }

    QComboBox* combo(const char* name) const
    {
        return window->findChild<QComboBox*>(QLatin1String(name));
    }
    QLabel* speed() const { return window->findChild<QLabel*>(QStringLiteral("Label4")); }

    void calculate(const QString& elevation, const QString& gradient)
    {
        combo("Combo5")->setEditText(elevation);
        combo("Combo4")->setEditText(gradient);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command3")),
                          Qt::LeftButton);
    }

    QStringList titles() const
    {
        QStringList list;
        for (const auto& m : program.messages.shown)
            list << m.title;
        return list;
    }

    test::TestProgram program;
    Form1* window = nullptr;
    QStringList speedDuringBox;
};

} // namespace

// The main window's own share: its lists, labels and tab order, what its
// buttons and focus do with the calculations, and the windows it opens.
class TestForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void equivalenceOpensWithDesignedInputs()
    {
        EquivalenceFrame frame;
        QCOMPARE(entries(frame.combo("Combo1")), numbers({28, 30, 32, 34, 36, 38, 39, 40, 42, 43,
                                                          44, 45, 46, 47, 48, 49, 50, 51, 52, 53}));
        QCOMPARE(entries(frame.combo("Combo2")),
                 numbers({28, 30, 32, 34, 36, 38, 39, 40, 41, 42, 43,
                          44, 45, 46, 47, 48, 49, 50, 51, 52, 53}));
        QCOMPARE(entries(frame.combo("Combo3")),
                 numbers({13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
        for (const char* name : {"Combo1", "Combo2", "Combo3"}) {
            QVERIFY(frame.combo(name)->isEditable());
            QCOMPARE(frame.combo(name)->currentText(), QString());
        }
        QCOMPARE(frame.label("Label7")->text(), QString());
        QCOMPARE(frame.label("Label6")->text(), QString());
        QCOMPARE(frame.label("Label8")->text(), QStringLiteral("Plateau n°1 : "));
        QCOMPARE(frame.label("Label9")->text(), QStringLiteral("Pignon n° 1 :"));
        QCOMPARE(frame.label("Label2")->text(), QStringLiteral("Plateau n° 2 :"));
        QCOMPARE(frame.label("Label5")->text(), QStringLiteral("Développement :"));
        QCOMPARE(frame.label("Label3")->text(), QString(21, u'-'));
        QCOMPARE(frame.label("Label7")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(frame.label("Label6")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(frame.label("Label6")->font().pointSizeF(), 13.5);
    }

    void typedTextIsNotAddedToTheList()
    {
        EquivalenceFrame frame;
        QComboBox* combo = frame.combo("Combo1");
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("41"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(combo->count(), 20);
        QCOMPARE(combo->currentText(), QStringLiteral("41"));
    }

    void windowTabOrder()
    {
        EquivalenceFrame frame;
        QStringList order;
        QWidget* w = frame.combo("Combo3");
        for (int i = 0; i < 9; ++i) {
            order << w->objectName();
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() ||
                   w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_")))
                w = w->nextInFocusChain();
        }
        // The equivalence's lists, then the climbing speed's, then the buttons.
        QCOMPARE(order.join(u' '),
                 QStringLiteral(
                     "Combo3 Combo2 Combo1 Combo4 Combo5 Command2 Command3 Command1 Command8"));
    }

    void resultsStayWhenInputsChange()
    {
        EquivalenceFrame frame;
        frame.calculate(QStringLiteral("53"), QStringLiteral("17"), QStringLiteral("39"));
        frame.combo("Combo2")->setEditText(QStringLiteral("42"));
        QCOMPARE(frame.label("Label7")->text(), QStringLiteral("13"));
        QCOMPARE(frame.label("Label6")->text(), QStringLiteral("6.30"));
    }

    void pickedEntriesAreRead()
    {
        EquivalenceFrame frame;
        frame.combo("Combo1")->setCurrentIndex(
            frame.combo("Combo1")->findText(QStringLiteral("53")));
        frame.combo("Combo3")->setCurrentIndex(
            frame.combo("Combo3")->findText(QStringLiteral("17")));
        frame.combo("Combo2")->setCurrentIndex(
            frame.combo("Combo2")->findText(QStringLiteral("39")));
        QTest::mouseClick(frame.window->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        QCOMPARE(frame.label("Label7")->text(), QStringLiteral("13"));
    }

    void reopenedWindowStartsEmpty()
    {
        EquivalenceFrame frame;
        frame.calculate(QStringLiteral("53"), QStringLiteral("17"), QStringLiteral("39"));
        frame.program.windows.show(WindowName::Formfen); // keeps the program alive
        frame.window->close();
        test::settle();
        auto* reopened = frame.program.show<Form1>(WindowName::Form1);
        QCOMPARE(reopened->findChild<QLabel*>(QStringLiteral("Label7"))->text(), QString());
        QCOMPARE(reopened->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(),
                 QString());
    }
    void climbingSpeedOpensWithDesignedInputs()
    {
        ClimbingFrame frame;
        QCOMPARE(frame.combo("Combo5")->count(), 7);
        QCOMPARE(frame.combo("Combo5")->itemText(0), QStringLiteral("500"));
        QCOMPARE(frame.combo("Combo5")->itemText(6), QStringLiteral("800"));
        QCOMPARE(frame.combo("Combo4")->count(), 13);
        QCOMPARE(frame.combo("Combo4")->itemText(0), QStringLiteral("3"));
        QCOMPARE(frame.combo("Combo4")->itemText(12), QStringLiteral("15"));
        QCOMPARE(frame.speed()->text(), QString());
        const QString rule = frame.window->findChild<QLabel*>(QStringLiteral("Label14"))->text();
        QVERIFY(rule.contains(QStringLiteral("élévation  / h sont corrects pour un cyclo lambda, "
                                             "calculez votre vitesse :") +
                              QString(21, u' ') + QStringLiteral("V = Vitesse ascensionelle")));
        QVERIFY(rule.endsWith(
            QString(23, u' ') +
            QStringLiteral("Exemple : Une pente à 10 % = (700 * 100) / 10 = 7 km / h")));
    }

    // The buttons run the calculations on the lists' texts: the labels show
    // what the calculation returned and keep their text where it returned
    // nothing; a warning comes once the speed it is about is shown.
    void calculateButtonsShowTheResults_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<bool>("answerYes");
        auto row = [](const char* name, const QLocale& locale, QStringList inputs, bool yes) {
            QTest::newRow(name) << locale << inputs << yes;
        };
        // Equivalence: P1, S1, P2.
        row("equivalence 53/17 on 39", kEnglish, {"53", "17", "39"}, false);
        row("fr equivalence 53/17 on 39", kFrench, {"53", "17", "39"}, false);
        row("equivalence missing input", kEnglish, {"", "17", "39"}, false);
        row("equivalence stops part way", kEnglish, {"53", "17", "0"}, false);
        // Climbing speed: elevation, gradient.
        row("climbing 700 at 10", kEnglish, {"700", "10"}, false);
        row("fr climbing 550 at 14 warns", kFrench, {"550", "14"}, false);
        row("climbing steep, Oui", kEnglish, {"700", "20"}, true);
        row("climbing steep, Non", kEnglish, {"700", "20"}, false);
        row("climbing missing input", kEnglish, {"", ""}, false);
    }

    void calculateButtonsShowTheResults()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, inputs);
        QFETCH(bool, answerYes);
        ClimbingFrame frame(locale);
        test::ScriptedMessageService expectedBoxes;
        if (answerYes) {
            frame.program.messages.answers.push_back(MessageAnswer::Yes);
            expectedBoxes.answers.push_back(MessageAnswer::Yes);
        }
        const QString earlier = QStringLiteral("earlier");
        for (const char* name : {"Label4", "Label6", "Label7"})
            frame.window->findChild<QLabel*>(QLatin1String(name))->setText(earlier);
        auto shows = [&](const char* name) {
            return frame.window->findChild<QLabel*>(QLatin1String(name))->text();
        };
        if (inputs.size() == 3) {
            frame.combo("Combo1")->setEditText(inputs[0]);
            frame.combo("Combo3")->setEditText(inputs[1]);
            frame.combo("Combo2")->setEditText(inputs[2]);
            QTest::mouseClick(frame.window->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
            const EquivalenceLabels expected =
                computeEquivalence({inputs[0], inputs[1], inputs[2]}, locale, expectedBoxes);
            QCOMPARE(shows("Label7"), expected.sprocket.value_or(earlier));
            QCOMPARE(shows("Label6"), expected.development.value_or(earlier));
            QCOMPARE(shows("Label4"), earlier);
        } else {
            frame.calculate(inputs[0], inputs[1]);
            const ClimbingSpeedOutcome expected =
                computeClimbingSpeed({inputs[0], inputs[1]}, locale, expectedBoxes);
            if (expected.warning)
                expectedBoxes.showMessage(expected.warning->prompt, expected.warning->icon,
                                          expected.warning->buttons, expected.warning->title);
            QCOMPARE(shows("Label4"), expected.speed.value_or(earlier));
            QCOMPARE(shows("Label7"), earlier);
            if (expected.warning)
                QCOMPARE(frame.speedDuringBox.back(), shows("Label4"));
        }
        QCOMPARE(frame.titles(), [&] {
            QStringList titles;
            for (const auto& m : expectedBoxes.shown)
                titles << m.title;
            return titles;
        }());
        QVERIFY(frame.window->isVisible());
        QCOMPARE(frame.program.endCount, 0);
    }

    // The user moving into either list empties the result; the focus coming
    // back with the window (after a message box) or from the list's popup does not.
    void focusEntryClearsTheResult_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("cleared");
        for (const char* input : {"Combo4", "Combo5"}) {
            QTest::addRow("%s tab", input) << input << int(Qt::TabFocusReason) << true;
            QTest::addRow("%s backtab", input) << input << int(Qt::BacktabFocusReason) << true;
            QTest::addRow("%s mouse", input) << input << int(Qt::MouseFocusReason) << true;
            QTest::addRow("%s shortcut", input) << input << int(Qt::ShortcutFocusReason) << true;
            QTest::addRow("%s window activated", input)
                << input << int(Qt::ActiveWindowFocusReason) << false;
            QTest::addRow("%s popup closed", input) << input << int(Qt::PopupFocusReason) << false;
        }
    }

    void focusEntryClearsTheResult()
    {
        QFETCH(QString, input);
        QFETCH(int, reason);
        QFETCH(bool, cleared);
        ClimbingFrame frame;
        frame.calculate(QStringLiteral("700"), QStringLiteral("10"));
        QCOMPARE(frame.speed()->text(), QStringLiteral("7.0 Km/h"));
        QComboBox* combo = frame.window->findChild<QComboBox*>(input);
        test::RenameNotices notices;
        QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
        QApplication::sendEvent(combo, &focusIn);
        QCOMPARE(frame.speed()->text(), cleared ? QString() : QStringLiteral("7.0 Km/h"));
        QCOMPARE(notices.told(frame.speed()), cleared);
    }

    void tabbingIntoTheGradientClears()
    {
        ClimbingFrame frame;
        frame.calculate(QStringLiteral("700"), QStringLiteral("10"));
        QVERIFY(QTest::qWaitForWindowActive(frame.window));
        frame.combo("Combo1")->setFocus(); // last of the equivalence's lists
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(frame.combo("Combo4")->hasFocus());
        QCOMPARE(frame.speed()->text(), QString());
    }

    void cadenceButtonOpensOneCadenceWindow()
    {
        ClimbingFrame frame;
        auto* button = frame.window->findChild<QPushButton*>(QStringLiteral("Command8"));
        QCOMPARE(button->text(), QStringLiteral("Cadence en Rpm"));
        QTest::mouseClick(button, Qt::LeftButton);
        QWidget* cadence = frame.program.windows.instance(WindowName::Form4);
        QVERIFY(cadence && cadence->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(frame.program.windows.instance(WindowName::Form4), cadence);
        QCOMPARE(frame.program.windows.loadedWindows(),
                 (QStringList{QStringLiteral("Form1"), QStringLiteral("Form4")}));
    }
};

DENTIVEL_TEST_MAIN(TestForm1)
#include "test_form1.moc"
