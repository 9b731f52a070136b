#include "development/development.h"
#include "tests/development/development_window.h"

#include <QMetaProperty>
#include <QToolBar>
#include <QToolButton>
#include <QVariantMap>

using namespace dentivel;
using test::DevelopmentWindow;
using test::kEnglish;
using test::kFrench;

namespace {

QStringList entries(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

QStringList range(int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

// How the focus reaches an input.
enum class Entry { Mouse, Tab, Backtab, WindowBack, ListClosed };

} // namespace

Q_DECLARE_METATYPE(Entry)

// The development window's own share: its contents and tab order, what its
// button, focus and spin control do with the calculation.
class TestForm3 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void opensInItsDesignedState()
    {
        DevelopmentWindow form;
        QCOMPARE(form.window->windowTitle(), QStringLiteral("Calcul du développement"));
        QCOMPARE(form.window->size(), QSize(298, 234));
        QCOMPARE(form.window->minimumSize(), form.window->maximumSize());
        QVERIFY(form.window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(form.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(entries(form.combo(QStringLiteral("Combo1"))),
                 QStringList({"28", "30", "32", "34", "36"}) + range(37, 53));
        QCOMPARE(entries(form.combo(QStringLiteral("Combo2"))), range(11, 30));
        QCOMPARE(form.combo(QStringLiteral("Combo1"))->currentText(), QString());
        QCOMPARE(form.combo(QStringLiteral("Combo2"))->currentText(), QString());
        QCOMPARE(form.revolutions()->text(), QStringLiteral("1"));
        QCOMPARE(form.spin()->value(), 1);
        QCOMPARE(form.spin()->minimum(), 1);
        QCOMPARE(form.spin()->maximum(), 100000);
        QCOMPARE(form.spin()->singleStep(), 1);
        QCOMPARE(form.results(), QStringList(4, QString()));
        QCOMPARE(form.label(QStringLiteral("Label2"))->text(), QStringLiteral("Plateau : "));
        QCOMPARE(form.label(QStringLiteral("Label3"))->text(), QStringLiteral("Pignon :"));
        QCOMPARE(form.label(QStringLiteral("Label4"))->text(),
                 QStringLiteral("Nb de tours de pedaliers : "));
        QCOMPARE(form.child<QPushButton>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("Calculer le développement"));
        for (const char* name : {"Label1", "aff"}) {
            QCOMPARE(form.label(QLatin1String(name))->font().pointSizeF(), 13.5);
            QCOMPARE(form.label(QLatin1String(name))->palette().color(QPalette::WindowText),
                     QColor(0, 0, 255));
        }
        QCOMPARE(form.child<QToolBar>(QStringLiteral("Toolbar1"))->geometry(),
                 QRect(0, 0, 298, 28));
        QCOMPARE(form.window->focusWidget(), form.child<QWidget>(QStringLiteral("Command1")));
    }

    void tabOrder()
    {
        DevelopmentWindow form;
        QVERIFY(QTest::qWaitForWindowActive(form.window));
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            order << (focus->parentWidget()->objectName() == QLatin1String("Toolbar1")
                          ? QStringLiteral("Toolbar1 ") + focus->toolTip()
                          : focus->objectName());
        }
        QCOMPARE(order, QStringList({"Combo1", "Combo2", "Toolbar1 Aide", "Toolbar1 Imprimer",
                                     "Toolbar1 Fermer", "Combo3", "UpDown1", "Command1"}));
    }

    // "Calculer le développement" runs the calculation on the inputs' texts:
    // the labels show what it returned and keep their text where it returned
    // nothing.
    void calculateShowsTheResults_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("turns");
        // clang-format off
        QTest::newRow("53/11, 10 turns") << kEnglish << "53" << "11" << "10";
        QTest::newRow("fr 53/11, 2,5 turns") << kFrench << "53" << "11" << "2,5";
        QTest::newRow("sprocket empty") << kEnglish << "53" << "" << "10";
        QTest::newRow("sprocket zero") << kEnglish << "53" << "0" << "10";
        QTest::newRow("turns of letters") << kFrench << "53" << "11" << "abc";
        // clang-format on
    }

    void calculateShowsTheResults()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        QFETCH(QString, turns);
        DevelopmentWindow form(locale);
        form.showEarlierResults();
        const QStringList earlier = form.results();
        form.calculate(chainring, sprocket, turns);
        test::ScriptedMessageService expectedBoxes;
        const DevelopmentLabels expected =
            computeDevelopment({chainring, sprocket, turns}, locale, expectedBoxes);
        QCOMPARE(form.results(), QStringList({expected.heading.value_or(earlier[0]),
                                              expected.development.value_or(earlier[1]),
                                              expected.sentence.value_or(earlier[2]),
                                              expected.distance.value_or(earlier[3])}));
        QCOMPARE(form.program.messages.shown.size(), expectedBoxes.shown.size());
        QVERIFY(form.window->isVisible());
        QCOMPARE(form.program.endCount, 0);
    }

    void focusClearsResults_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("from"); // where the focus was before
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<bool>("developmentCleared");
        QTest::addColumn<bool>("distanceCleared");
        // clang-format off
        QTest::newRow("click into Combo1")
            << "Combo1" << "Command1" << Entry::Mouse << true << true;
        QTest::newRow("click into Combo2")
            << "Combo2" << "Command1" << Entry::Mouse << true << true;
        QTest::newRow("click into Combo3")
            << "Combo3" << "Command1" << Entry::Mouse << false << true;
        QTest::newRow("Tab into Combo1") << "Combo1" << "Command1" << Entry::Tab << true << true;
        QTest::newRow("Tab into Combo2") << "Combo2" << "Combo1" << Entry::Tab << true << true;
        QTest::newRow("Shift+Tab into Combo3")
            << "Combo3" << "UpDown1" << Entry::Backtab << false << true;
        QTest::newRow("Combo1 back with its window")
            << "Combo1" << "Combo1" << Entry::WindowBack << false << false;
        QTest::newRow("Combo3 back with its window")
            << "Combo3" << "Combo3" << Entry::WindowBack << false << false;
        QTest::newRow("Combo2 back from its list")
            << "Combo2" << "Combo2" << Entry::ListClosed << false << false;
        // clang-format on
    }

    void focusClearsResults()
    {
        QFETCH(QString, input);
        QFETCH(QString, from);
        QFETCH(Entry, entry);
        QFETCH(bool, developmentCleared);
        QFETCH(bool, distanceCleared);
        DevelopmentWindow form;
        QVERIFY(QTest::qWaitForWindowActive(form.window));
        form.child<QWidget>(from)->setFocus();
        form.calculate(QStringLiteral("53"), QStringLiteral("11"), QStringLiteral("10"));
        const QStringList shown = form.results();

        test::RenameNotices notices;
        auto* target = form.child<QWidget>(input);
        switch (entry) {
        case Entry::Mouse:
            if (auto* combo = qobject_cast<QComboBox*>(target))
                target = combo->lineEdit();
            QTest::mouseClick(target, Qt::LeftButton);
            break;
        case Entry::Tab:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            break;
        case Entry::Backtab:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Entry::WindowBack:
            form.program.windows.show(WindowName::Formfen);
            QVERIFY(
                QTest::qWaitForWindowActive(form.program.windows.instance(WindowName::Formfen)));
            form.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form.window));
            break;
        case Entry::ListClosed: {
            // A drop-down list closing hands the focus back with this reason.
            QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
            QCoreApplication::sendEvent(target, &back);
            break;
        }
        }
        QCOMPARE(form.window->focusWidget(), form.child<QWidget>(input));
        QCOMPARE(
            form.results(),
            QStringList({developmentCleared ? "" : shown[0], developmentCleared ? "" : shown[1],
                         distanceCleared ? "" : shown[2], distanceCleared ? "" : shown[3]}));
        // A screen reader is told too, or it goes on reading the old result.
        QStringList toldResults;
        for (const char* name : {"Label6", "Label1", "Label5", "aff"})
            toldResults << (notices.told(form.label(QLatin1String(name)))
                                ? QString()
                                : shown[toldResults.size()]);
        QCOMPARE(toldResults, form.results());
    }

    void spinControl_data()
    {
        QTest::addColumn<int>("start"); // 0: the opening value
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("turns");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("step"); // asked of the control before the presses
        // clang-format off
        QTest::newRow("one up from opening") << 0 << "" << "up" << "2" << 2 << 1;
        QTest::newRow("down at opening") << 0 << "" << "down" << "1" << 1 << 1;
        QTest::newRow("typed text does not move it") << 0 << "50" << "up" << "2" << 2 << 1;
        QTest::newRow("down at 1 after typing") << 0 << "50" << "down" << "50" << 1 << 1;
        QTest::newRow("stops at 100000") << 99999 << "" << "up up" << "100000" << 100000 << 1;
        QTest::newRow("down from 100000") << 100000 << "" << "down" << "99999" << 99999 << 1;
        QTest::newRow("arrow keys") << 0 << "" << "Up Up Down" << "2" << 2 << 1;
        QTest::newRow("step of 0 refused") << 0 << "" << "up" << "2" << 2 << 0;
        QTest::newRow("negative step refused") << 0 << "" << "up up" << "3" << 3 << -1;
        // clang-format on
    }

    void spinControl()
    {
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(QString, presses);
        QFETCH(QString, turns);
        QFETCH(int, value);
        QFETCH(int, step);
        DevelopmentWindow form;
        form.spin()->setSingleStep(step);
        if (start)
            form.spin()->setValue(start);
        if (!typed.isEmpty()) {
            form.revolutions()->clear();
            QTest::keyClicks(form.revolutions(), typed);
        }
        for (const QString& press : presses.split(QLatin1Char(' '))) {
            if (press == QLatin1String("Up") || press == QLatin1String("Down"))
                QTest::keyClick(form.spin(),
                                press == QLatin1String("Up") ? Qt::Key_Up : Qt::Key_Down);
            else
                QTest::mouseClick(form.spin()->findChild<QToolButton*>(press), Qt::LeftButton);
        }
        QCOMPARE(form.revolutions()->text(), turns);
        QCOMPARE(form.spin()->value(), value);
    }

    // Designer writes a form's properties in the order the class declares
    // them, and the generated code sets them in that order.
    void spinTakesADesignedValueBeyondTheDefaultLimits()
    {
        const QVariantMap design{{QStringLiteral("minimum"), 1},
                                 {QStringLiteral("maximum"), 100000},
                                 {QStringLiteral("singleStep"), 1},
                                 {QStringLiteral("value"), 50000}};
        UpDown spin;
        const QMetaObject* meta = spin.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QString name = QLatin1String(meta->property(i).name());
            if (design.contains(name))
                spin.setProperty(qPrintable(name), design.value(name));
        }
        QCOMPARE(spin.value(), 50000);
    }

    void spinLeavesResults()
    {
        DevelopmentWindow form(kFrench);
        form.calculate(QStringLiteral("53"), QStringLiteral("11"), QStringLiteral("10"));
        const QStringList shown = form.results();
        QTest::mouseClick(form.spin()->findChild<QToolButton*>(QStringLiteral("up")),
                          Qt::LeftButton);
        QCOMPARE(form.revolutions()->text(), QStringLiteral("2"));
        QCOMPARE(form.results(), shown);
    }

    // Results as long as the examples give must show whole.
    void resultsFit_data()
    {
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("turns");
        // clang-format off
        QTest::newRow("53/11, 10 turns") << "53" << "11" << "10";
        QTest::newRow("52/13, 100000 turns") << "52" << "13" << "100000";
        // clang-format on
    }

    void resultsFit()
    {
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        QFETCH(QString, turns);
        DevelopmentWindow form(kFrench);
        QVERIFY(QTest::qWaitForWindowExposed(form.window));
        form.calculate(chainring, sprocket, turns);
        const QStringList clipped = test::clippedTexts(form.window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        const QString directory = qEnvironmentVariable("DENTIVEL_SCREENSHOT_DIR");
        if (!directory.isEmpty() && turns == QLatin1String("100000"))
            form.window->grab().save(directory + QStringLiteral("/Form3-results.png"));
    }
};

DENTIVEL_TEST_MAIN(TestForm3)
#include "test_form3.moc"
