// The windows driven as a person drives them: real key presses into the
// focused widget of an active window, Tab, Enter, mouse clicks and the wheel.
#include "shell/desktop_input.h"
#include "shell/toolbar.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

using namespace dentivel;

namespace {

using Typing = QList<QPair<QString, QString>>; // input, typed text

struct Session {
    QWidget* open(const QString& name)
    {
        QWidget* window = program.windows.show(name);
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            return nullptr;
        return window;
    }

    test::TestProgram program{test::kEnglish};
};

QWidget* input(QWidget* window, const QString& name)
{
    return window->findChild<QWidget*>(name);
}

QString inputText(QWidget* widget)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    return qobject_cast<QLineEdit*>(widget)->text();
}

// Where a click into the input lands: its edit field.
QWidget* editField(QWidget* widget)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->lineEdit();
    return widget;
}

// A click into the input, all of its text selected, then the keys.
void typeInto(QWidget* widget, const QString& text)
{
    QTest::mouseClick(editField(widget), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

QStringList labelTexts(QWidget* window)
{
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << label->objectName() + QLatin1Char('=') + label->text();
    return texts;
}

QAbstractButton* button(QWidget* window, const QString& name)
{
    if (auto* pushButton = window->findChild<QPushButton*>(name))
        return pushButton;
    // Toolbar buttons are known by their key.
    return toolbarButton(*window->findChild<QToolBar*>(QStringLiteral("Toolbar1")), name);
}

} // namespace

class TestDesktopInput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    // Qt would complete "4" into "40", the first entry starting with it.
    void typedTextStaysAsTyped_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("leaveByTab");
        const struct {
            const char* window;
            const char* input;
            const char* typed;
        } rows[] = {
            {"Form1", "Combo1", "4"},  {"Form1", "Combo1", "5"},   {"Form1", "Combo3", "2"},
            {"Form1", "Combo3", "1"},  {"Form1", "Combo2", "4"},   {"Form1", "Combo2", "37"},
            {"Form1", "Combo4", "1"},  {"Form1", "Combo4", "1.5"}, {"Form1", "Combo5", "5"},
            {"Form1", "Combo5", "60"}, {"Form3", "Combo1", "3"},   {"Form3", "Combo1", "29"},
            {"Form3", "Combo2", "2"},  {"Form3", "Combo2", "1"},   {"Form4", "Combo1", "4"},
            {"Form4", "Combo1", "41"}, {"Form4", "Combo3", "2"},   {"Form4", "Combo3", "12"},
        };
        for (const auto& row : rows) {
            for (bool tab : {true, false}) {
                QTest::addRow("%s %s '%s' then %s", row.window, row.input, row.typed,
                              tab ? "Tab" : "click")
                    << QString::fromLatin1(row.window) << QString::fromLatin1(row.input)
                    << QString::fromLatin1(row.typed) << tab;
            }
        }
    }

    void typedTextStaysAsTyped()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(QString, typed);
        QFETCH(bool, leaveByTab);
        Session session;
        QWidget* shown = session.open(window);
        QVERIFY(shown);
        QWidget* field = ::input(shown, input);
        typeInto(field, typed);
        QCOMPARE(inputText(field), typed);
        if (leaveByTab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else
            QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        QVERIFY(!field->hasFocus());
        QCOMPARE(inputText(field), typed);
    }

    void resultIsForWhatWasTyped_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Typing>("typing");
        QTest::addColumn<QString>("calculate");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expected");
        const auto typed = [](std::initializer_list<const char*> pairs) {
            Typing typing;
            for (auto it = pairs.begin(); it != pairs.end(); it += 2)
                typing.append({QString::fromLatin1(*it), QString::fromLatin1(*(it + 1))});
            return typing;
        };
        // 39 x 17 / 4 = 165.75; completed, "40" would give 17 and 4.82.
        const Typing equivalence = typed({"Combo1", "4", "Combo3", "17", "Combo2", "39"});
        QTest::newRow("Form1 sprocket") << "Form1" << equivalence << "Command1"
                                        << "Label7"
                                        << "166";
        QTest::newRow("Form1 development") << "Form1" << equivalence << "Command1"
                                           << "Label6"
                                           << "0.49";
        // Completed, "10" would give 7.0 Km/h.
        QTest::newRow("Form1 climbing speed")
            << "Form1" << typed({"Combo5", "700", "Combo4", "1"}) << "Command3"
            << "Label4"
            << "70.0 Km/h";
        // 53 / 2 x 2.1; completed, "20" would give 5.57 m.
        QTest::newRow("Form3 development")
            << "Form3" << typed({"Combo1", "53", "Combo2", "2"}) << "Command1"
            << "Label1"
            << "55.65 m";
        // 500 m a minute over 4 / 1 x 2.1 m; completed, "40" and "13" would give 77 rpm.
        QTest::newRow("Form4 cadence")
            << "Form4" << typed({"Text1", "30", "Combo1", "4", "Combo3", "1"}) << "Command1"
            << "Label6"
            << "60 rpm";
    }

    void resultIsForWhatWasTyped()
    {
        QFETCH(QString, window);
        QFETCH(Typing, typing);
        QFETCH(QString, calculate);
        QFETCH(QString, label);
        QFETCH(QString, expected);
        Session session;
        QWidget* shown = session.open(window);
        QVERIFY(shown);
        for (const auto& [name, text] : typing) {
            typeInto(::input(shown, name), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::mouseClick(shown->findChild<QPushButton*>(calculate), Qt::LeftButton);
        QCOMPARE(shown->findChild<QLabel*>(label)->text(), expected);
        QVERIFY(session.program.messages.shown.empty());
    }

    // Enter on a focused button does what a click does, as Space does.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opens");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("boxTitle");
        const int enter = Qt::Key_Return;
        const int keypad = Qt::Key_Enter;
        QTest::newRow("splash goes on") << "frmSplash2"
                                        << "Command1" << enter << "Formfen" << true << "";
        QTest::newRow("warning goes on") << "Formfen"
                                         << "Command1" << keypad << "Form1" << true << "";
        QTest::newRow("equivalence") << "Form1"
                                     << "Command1" << enter << "" << false << "oubli";
        QTest::newRow("climbing speed") << "Form1"
                                        << "Command3" << enter << "" << false << "Oubli!";
        QTest::newRow("cadence window") << "Form1"
                                        << "Command8" << enter << "Form4" << false << "";
        QTest::newRow("table window") << "Form1"
                                      << "Command2" << keypad << "Form2" << false << "";
        QTest::newRow("main toolbar help") << "Form1"
                                           << "Aide" << enter << "" << false << "Aide";
        QTest::newRow("development") << "Form3"
                                     << "Command1" << enter << "" << false << "oubli ! ";
        QTest::newRow("development toolbar closes") << "Form3"
                                                    << "Supprimer" << enter << "" << true << "";
        QTest::newRow("cadence") << "Form4"
                                 << "Command1" << enter << "" << false << "Non mais !";
        QTest::newRow("cadence examples") << "Form4"
                                          << "Command3" << enter << "Form5" << false << "";
        QTest::newRow("cadence closes") << "Form4"
                                        << "Command2" << enter << "" << true << "";
        QTest::newRow("examples close") << "Form5"
                                        << "Command1" << enter << "" << true << "";
        QTest::newRow("calculator") << "Form2"
                                    << "Command1" << enter << "" << true << "Calculatrice";
        QTest::newRow("Space still presses")
            << "Form4"
            << "Command3" << int(Qt::Key_Space) << "Form5" << false << "";
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, opens);
        QFETCH(bool, closes);
        QFETCH(QString, boxTitle);
        Session session;
        QWidget* shown = session.open(window);
        QVERIFY(shown);
        QAbstractButton* target = ::button(shown, button);
        QVERIFY(target);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        test::settle();
        if (!opens.isEmpty()) {
            QWidget* opened = session.program.windows.instance(opens);
            QVERIFY(opened && opened->isVisible());
        }
        QCOMPARE(session.program.windows.instance(window) == nullptr, closes);
        const auto& shownBoxes = session.program.messages.shown;
        QCOMPARE(shownBoxes.empty(), boxTitle.isEmpty());
        if (!shownBoxes.empty())
            QCOMPARE(shownBoxes.front().title, boxTitle);
    }

    // Only the about window has a default and a cancel button: in the others
    // Enter and Escape inside an input neither press a button nor close anything.
    void enterInAnInputDoesNothing_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("key");
        const struct {
            const char* window;
            const char* input;
        } inputs[] = {{"Form1", "Combo1"}, {"Form1", "Combo3"}, {"Form1", "Combo2"},
                      {"Form1", "Combo5"}, {"Form1", "Combo4"}, {"Form3", "Combo1"},
                      {"Form3", "Combo2"}, {"Form3", "Combo3"}, {"Form4", "Text1"},
                      {"Form4", "Combo3"}, {"Form4", "Combo1"}};
        for (const auto& row : inputs) {
            for (const auto& [key, keyName] :
                 {std::pair{Qt::Key_Return, "Enter"}, std::pair{Qt::Key_Enter, "keypad Enter"},
                  std::pair{Qt::Key_Escape, "Escape"}}) {
                QTest::addRow("%s %s %s", row.window, row.input, keyName)
                    << QString::fromLatin1(row.window) << QString::fromLatin1(row.input)
                    << int(key);
            }
        }
    }

    void enterInAnInputDoesNothing()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(int, key);
        Session session;
        QWidget* shown = session.open(window);
        QVERIFY(shown);
        QWidget* field = ::input(shown, input);
        typeInto(field, QStringLiteral("3"));
        const QStringList labels = labelTexts(shown);
        const QStringList loaded = session.program.windows.loadedWindows();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        test::settle();
        QVERIFY(shown->isVisible());
        QCOMPARE(session.program.windows.loadedWindows(), loaded);
        QVERIFY(session.program.messages.shown.empty());
        QCOMPARE(labelTexts(shown), labels);
        QCOMPARE(inputText(field), QStringLiteral("3"));
        QVERIFY(field->hasFocus());
    }

    // Scrolling over a window never changes a list the user is not in.
    void wheelChangesOnlyTheFocusedList_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::newRow("list without the focus") << false;
        QTest::newRow("list with the focus") << true;
    }

    void wheelChangesOnlyTheFocusedList()
    {
        QFETCH(bool, focused);
        Session session;
        QWidget* shown = session.open(QStringLiteral("Form1"));
        QVERIFY(shown);
        auto* combo = shown->findChild<QComboBox*>(QStringLiteral("Combo4"));
        auto* elsewhere = shown->findChild<QComboBox*>(QStringLiteral("Combo1"));
        typeInto(focused ? static_cast<QWidget*>(combo) : elsewhere, QString());
        const QString before = combo->currentText();
        const QPointF centre = QRectF(combo->rect()).center();
        QWheelEvent wheel(centre, combo->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->hasFocus(), focused);
        if (focused)
            QCOMPARE_NE(combo->currentText(), before);
        else
            QCOMPARE(combo->currentText(), before);
    }

    // Qt's own texts come from its French translation.
    void contextMenuIsFrench()
    {
        Session session;
        QWidget* shown = session.open(QStringLiteral("Form1"));
        QVERIFY(shown);
        std::unique_ptr<QMenu> menu(shown->findChild<QComboBox*>(QStringLiteral("Combo1"))
                                        ->lineEdit()
                                        ->createStandardContextMenu());
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        }
        QCOMPARE(entries, (QStringList{"Annuler", "Rétablir", "Couper", "Copier", "Coller",
                                       "Supprimer", "Tout sélectionner"}));
    }

    void missingTranslationLeavesTheProgramUsable()
    {
        QTemporaryDir empty;
        QVERIFY(!installToolkitTranslation(*QCoreApplication::instance(), empty.path()));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "Select All"),
                 QStringLiteral("Tout sélectionner"));
    }
};

DENTIVEL_TEST_MAIN(TestDesktopInput)
#include "test_desktop_input.moc"
