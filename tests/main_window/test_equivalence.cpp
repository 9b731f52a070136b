#include "form1.h"
#include "test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

const QString kMissingPrompt = QStringLiteral(
    "Vous avez oublié de saisir une ou plusieurs donnée(s), merci de la(les) saisir maintenant");

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

    // Results from an earlier calculation, to see which labels a new one touches.
    void showEarlierResults()
    {
        label("Label7")->setText(QStringLiteral("earlier S2"));
        label("Label6")->setText(QStringLiteral("earlier d"));
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

} // namespace

class TestEquivalence : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void opensWithDesignedInputs()
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

    void workedExamples_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("s1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("development");
        struct Example {
            const char* name;
            const char* p1;
            const char* s1;
            const char* p2;
            const char* sprocket;
            const char* english;
            const char* french;
        };
        const Example examples[] = {
            {"53/17 on 39", "53", "17", "39", "13", "6.30", "6,30"},
            {"52/14 on 42", "52", "14", "42", "11", "8.02", "8,02"},
            {"36/18 on 45, half to even", "36", "18", "45", "22", "4.30", "4,30"},
            {"50/15 on 34", "50", "15", "34", "10", "7.14", "7,14"},
            {"typed decimal point", "52.5", "14", "42", "11", "8.02", "8,02"},
            {"typed comma ends the number", "52,5", "14", "42", "11", "8.02", "8,02"},
            {"negative chainring", "-53", "17", "39", "-13", "-6.30", "-6,30"},
        };
        for (const Example& e : examples) {
            for (const auto& [tag, locale, development] :
                 {std::tuple{"en", kEnglish, e.english}, std::tuple{"fr", kFrench, e.french}}) {
                QTest::addRow("%s %s", tag, e.name)
                    << locale << QString::fromUtf8(e.p1) << QString::fromUtf8(e.s1)
                    << QString::fromUtf8(e.p2) << QString::fromUtf8(e.sprocket)
                    << QString::fromUtf8(development);
            }
        }
    }

    void workedExamples()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, p1);
        QFETCH(QString, s1);
        QFETCH(QString, p2);
        QFETCH(QString, sprocket);
        QFETCH(QString, development);
        EquivalenceFrame frame(locale);
        frame.calculate(p1, s1, p2);
        QCOMPARE(frame.label("Label7")->text(), sprocket);
        QCOMPARE(frame.label("Label6")->text(), development);
        QVERIFY(frame.program.messages.shown.empty());
    }

    void missingInput_data()
    {
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("s1");
        QTest::addColumn<QString>("p2");
        QTest::newRow("all empty") << ""
                                   << ""
                                   << "";
        QTest::newRow("first chainring empty") << ""
                                               << "17"
                                               << "39";
        QTest::newRow("first sprocket empty") << "53"
                                              << ""
                                              << "39";
        QTest::newRow("second chainring empty") << "53"
                                                << "17"
                                                << "";
    }

    void missingInput()
    {
        QFETCH(QString, p1);
        QFETCH(QString, s1);
        QFETCH(QString, p2);
        EquivalenceFrame frame;
        frame.showEarlierResults();
        frame.calculate(p1, s1, p2);
        QCOMPARE(frame.program.messages.shown.size(), std::size_t(1));
        const test::ShownMessage& shown = frame.program.messages.shown.front();
        QCOMPARE(shown.title, QStringLiteral("oubli"));
        QCOMPARE(shown.prompt, kMissingPrompt);
        QCOMPARE(shown.icon, MessageIcon::Information);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(frame.label("Label7")->text(), QStringLiteral("earlier S2"));
        QCOMPARE(frame.label("Label6")->text(), QStringLiteral("earlier d"));
    }

    // Inputs that are present but unusable: the calculation stops at the
    // failing step, silently, and the program goes on.
    void failuresAreContained_data()
    {
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("s1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("development");
        const QString earlierS2 = QStringLiteral("earlier S2");
        const QString earlierD = QStringLiteral("earlier d");
        QTest::newRow("first chainring of letters") << "abc"
                                                    << "17"
                                                    << "39" << earlierS2 << earlierD;
        QTest::newRow("everything blank") << " "
                                          << " "
                                          << " " << earlierS2 << earlierD;
        QTest::newRow("sprocket beyond 16 bits") << "1"
                                                 << "1000"
                                                 << "1000" << earlierS2 << earlierD;
        QTest::newRow("second chainring zero") << "53"
                                               << "17"
                                               << "0"
                                               << "0" << earlierD;
        QTest::newRow("sprocket rounds to zero") << "53"
                                                 << "1"
                                                 << "26"
                                                 << "0" << earlierD;
        QTest::newRow("product beyond double range") << "1"
                                                     << "1e200"
                                                     << "1e200" << earlierS2 << earlierD;
        QTest::newRow("input beyond double range") << "1e400"
                                                   << "17"
                                                   << "39" << earlierS2 << earlierD;
    }

    void failuresAreContained()
    {
        QFETCH(QString, p1);
        QFETCH(QString, s1);
        QFETCH(QString, p2);
        QFETCH(QString, sprocket);
        QFETCH(QString, development);
        EquivalenceFrame frame;
        frame.showEarlierResults();
        frame.calculate(p1, s1, p2);
        QCOMPARE(frame.label("Label7")->text(), sprocket);
        QCOMPARE(frame.label("Label6")->text(), development);
        QVERIFY(frame.program.messages.shown.empty());
        QVERIFY(frame.window->isVisible());
        QCOMPARE(frame.program.endCount, 0);
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
};

DENTIVEL_TEST_MAIN(TestEquivalence)
#include "test_equivalence.moc"
