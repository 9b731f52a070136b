// Thousands of random actions across every window, from a fixed seed, with
// the message boxes answering at random. After each action the program must
// still hold together: one instance per window, no end while a window is
// shown, and every result label showing what its calculation gives for the
// inputs beside it (or nothing).
#include "cadence/cadence.h"
#include "development/development.h"
#include "main_window/climbing_speed.h"
#include "main_window/equivalence.h"
#include "tests/support/test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

using namespace dentivel;
using namespace dentivel::test;

namespace {

QString textOf(QWidget* window, const char* name)
{
    QWidget* widget = window->findChild<QWidget*>(QLatin1String(name));
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    qFatal("no input or label %s in %s", name, qPrintable(window->objectName()));
}

// One calculation of a window: its result labels and how its handler turns
// the window's inputs into their texts.
struct Calculation {
    QString window;
    QStringList labels;
    std::function<std::vector<std::optional<QString>>(QWidget*, const QLocale&, MessageService&)>
        compute;
};

std::vector<Calculation> calculations()
{
    return {
        {QStringLiteral("Form1"),
         {QStringLiteral("Label7"), QStringLiteral("Label6")},
         [](QWidget* w, const QLocale& locale, MessageService& messages) {
             const EquivalenceLabels r = computeEquivalence(
                 {textOf(w, "Combo1"), textOf(w, "Combo3"), textOf(w, "Combo2")}, locale, messages);
             return std::vector{r.sprocket, r.development};
         }},
        {QStringLiteral("Form1"),
         {QStringLiteral("Label4")},
         [](QWidget* w, const QLocale& locale, MessageService& messages) {
             const ClimbingSpeedOutcome r =
                 computeClimbingSpeed({textOf(w, "Combo5"), textOf(w, "Combo4")}, locale, messages);
             return std::vector{r.speed};
         }},
        {QStringLiteral("Form3"),
         {QStringLiteral("Label5"), QStringLiteral("Label1"), QStringLiteral("Label6"),
          QStringLiteral("aff")},
         [](QWidget* w, const QLocale& locale, MessageService& messages) {
             const DevelopmentLabels r = computeDevelopment(
                 {textOf(w, "Combo1"), textOf(w, "Combo2"), textOf(w, "Combo3")}, locale, messages);
             return std::vector{r.sentence, r.development, r.heading, r.distance};
         }},
        {QStringLiteral("Form4"),
         {QStringLiteral("Label5"), QStringLiteral("Label6")},
         [](QWidget* w, const QLocale& locale, MessageService& messages) {
             const CadenceOutcome r = computeCadence(
                 {textOf(w, "Text1"), textOf(w, "Combo1"), textOf(w, "Combo3")}, locale, messages);
             return std::vector{r.heading, r.cadence};
         }},
    };
}

// What a rider may type: numbers good and bad, separators of every kind,
// letters, exponents far beyond the double range and digits of other scripts.
const QStringList kPieces{
    QStringLiteral("53"),
    QStringLiteral("39"),
    QStringLiteral("13"),
    QStringLiteral("25"),
    QStringLiteral("1000"),
    QStringLiteral("8"),
    QStringLiteral("30"),
    QStringLiteral("12"),
    QStringLiteral("45"),
    QStringLiteral("53"),
    QStringLiteral("17"),
    QStringLiteral("0"),
    QStringLiteral("7.5"),
    QStringLiteral("7,5"),
    QStringLiteral(" "),
    QStringLiteral(""),
    QStringLiteral(","),
    QStringLiteral("."),
    QStringLiteral("-"),
    QStringLiteral("+"),
    QStringLiteral("e"),
    QStringLiteral("E400"),
    QStringLiteral("1e308"),
    QStringLiteral("D-999"),
    QStringLiteral("abc"),
    QStringLiteral("dents"),
    QStringLiteral("\t"),
    QStringLiteral("\u0663"),
    QStringLiteral("\uff15"),
    QStringLiteral("\u00b2"),
    QStringLiteral("9999999999999999999999"),
    QStringLiteral("1e-400"),
    QStringLiteral("0.0000001"),
    QStringLiteral("32767.5"),
    QStringLiteral("2147483648"),
    QStringLiteral("NaN"),
    QStringLiteral("inf"),
    QStringLiteral("\u202f"),
};

const QStringList kWindows{QStringLiteral("frmSplash2"), QStringLiteral("Formfen"),
                           QStringLiteral("Form1"),      QStringLiteral("Form2"),
                           QStringLiteral("Form3"),      QStringLiteral("Form4"),
                           QStringLiteral("Form5"),      QStringLiteral("frmAbout")};

class Monkey {
public:
    Monkey(unsigned seed, const QLocale& locale) : m_random(seed), m_locale(locale) { restart(); }

    void run(int actions)
    {
        for (int i = 0; i < actions && !QTest::currentTestFailed(); ++i) {
            snapshot();
            answerAtRandom();
            m_action = act();
            settle();
            check(i);
            if (m_program->endCount > 0)
                restart();
        }
    }

    long boxesShown() const { return m_boxes + long(m_program->messages.shown.size()); }
    int restarts() const { return m_restarts; }
    int calculationsChecked() const { return m_checked; }

private:
    struct Seen {
        QPointer<QWidget> window;
        QStringList labels;
    };

    template <typename T> T pick(const QList<T>& list) { return list[m_random() % list.size()]; }
    bool chance(int percent) { return int(m_random() % 100) < percent; }

    void restart()
    {
        if (m_program)
            m_boxes += long(m_program->messages.shown.size());
        m_program.reset();
        settle();
        m_program = std::make_unique<TestProgram>(m_locale);
        m_program->windows.show(QStringLiteral("frmSplash2"));
        ++m_restarts;
    }

    // The boxes of the next action get random answers, kept so that a
    // calculation can be replayed with the very same ones.
    void answerAtRandom()
    {
        static const MessageAnswer all[] = {MessageAnswer::Ok, MessageAnswer::Yes,
                                            MessageAnswer::No};
        m_shownBefore = m_program->messages.shown.size();
        m_program->messages.answers.clear();
        for (int i = 0; i < 8; ++i)
            m_program->messages.answers.push_back(all[m_random() % 3]);
        m_answers = m_program->messages.answers;
    }

    std::deque<MessageAnswer> givenAnswers() const
    {
        const std::size_t count =
            std::min(m_program->messages.shown.size() - m_shownBefore, m_answers.size());
        return {m_answers.begin(), m_answers.begin() + qsizetype(count)};
    }

    QList<QWidget*> shownWindows() const
    {
        QList<QWidget*> shown;
        for (const QString& name : m_program->windows.loadedWindows()) {
            QWidget* window = m_program->windows.instance(name);
            if (window && window->isVisible())
                shown << window;
        }
        return shown;
    }

    QString randomText()
    {
        QString text;
        const int pieces = int(m_random() % 4);
        for (int i = 0; i < pieces; ++i)
            text += pick(kPieces);
        return text;
    }

    // Returns a description of the action, for the failure message.
    QString act()
    {
        const QList<QWidget*> shown = shownWindows();
        if (shown.isEmpty() || chance(3)) {
            const QString name = pick(kWindows);
            m_program->windows.show(name);
            return QStringLiteral("show ") + name;
        }
        // Riders spend their time in the calculators, so the monkey does too.
        QList<QWidget*> weighted;
        for (QWidget* window : shown) {
            const bool calculator = window->objectName() == QLatin1String("Form1") ||
                                    window->objectName() == QLatin1String("Form3") ||
                                    window->objectName() == QLatin1String("Form4");
            for (int i = 0; i < (calculator ? 8 : 1); ++i)
                weighted << window;
        }
        QWidget* window = pick(weighted);
        const int kind = int(m_random() % 100);
        if (kind < 2) {
            window->close();
            return QStringLiteral("close ") + window->objectName();
        }
        if (kind < 40) {
            QList<QWidget*> inputs;
            for (auto* combo : window->findChildren<QComboBox*>())
                inputs << combo;
            for (auto* edit : window->findChildren<QLineEdit*>())
                if (!qobject_cast<QComboBox*>(edit->parentWidget()))
                    inputs << edit;
            if (!inputs.isEmpty())
                return edit(window, pick(inputs));
        }
        if (kind < 55) {
            // A focus move, as by mouse or by the Tab key.
            window->activateWindow();
            QList<QWidget*> focusable;
            for (auto* widget : window->findChildren<QWidget*>())
                if (widget->isVisible() && widget->focusPolicy() != Qt::NoFocus)
                    focusable << widget;
            if (!focusable.isEmpty()) {
                QWidget* target = pick(focusable);
                target->setFocus(chance(50) ? Qt::MouseFocusReason : Qt::TabFocusReason);
                return QStringLiteral("focus ") + window->objectName() + QLatin1Char('.') +
                       target->objectName();
            }
        }
        // Every button, toolbar button and spin arrow the rider can reach.
        QList<QAbstractButton*> buttons;
        for (auto* button : window->findChildren<QAbstractButton*>())
            if (button->isVisible() && button->isEnabled())
                buttons << button;
        if (buttons.isEmpty())
            return QStringLiteral("nothing");
        QList<QAbstractButton*> calculate;
        for (auto* button : buttons)
            if (button->text().startsWith(QLatin1String("Calculer")))
                calculate << button;
        // A calculation is what a rider comes for: a third of the clicks go there.
        QAbstractButton* button =
            !calculate.isEmpty() && chance(33) ? pick(calculate) : pick(buttons);
        // Leaving at the first two windows ends the program; most riders go on.
        const bool leaves = button->objectName() == QLatin1String("Command2") &&
                            (window->objectName() == QLatin1String("frmSplash2") ||
                             window->objectName() == QLatin1String("Formfen"));
        if (leaves && chance(90))
            button = window->findChild<QAbstractButton*>(QStringLiteral("Command1"));
        // Each print renders a whole PDF: a few are enough to mix them in.
        if (button->text().startsWith(QLatin1String("Impr")) && chance(95))
            return QStringLiteral("nothing");
        const QString what = QStringLiteral("click ") + window->objectName() + QLatin1Char('.') +
                             button->objectName() + QLatin1Char(' ') + button->text();
        button->click();
        return what;
    }

    QString edit(QWidget* window, QWidget* input)
    {
        const QString text = randomText();
        auto* combo = qobject_cast<QComboBox*>(input);
        if (combo && combo->count() > 0 && chance(40)) {
            combo->setCurrentIndex(int(m_random() % combo->count()));
        } else {
            QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(input);
            if (chance(50)) {
                line->setText(text);
            } else {
                // Typed key by key into the focused input, after what is there;
                // the events carry the text, as a keyboard of any layout sends it.
                window->activateWindow();
                line->setFocus(Qt::MouseFocusReason);
                for (const QChar c : text) {
                    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(line, &press);
                    QApplication::sendEvent(line, &release);
                }
            }
        }
        return QStringLiteral("edit ") + window->objectName() + QLatin1Char('.') +
               input->objectName() + QStringLiteral(" '") +
               (combo ? combo->currentText() : qobject_cast<QLineEdit*>(input)->text()) +
               QLatin1Char('\'');
    }

    QStringList labelsOf(QWidget* window, const Calculation& calculation) const
    {
        QStringList texts;
        for (const QString& label : calculation.labels)
            texts << window->findChild<QLabel*>(label)->text();
        return texts;
    }

    void snapshot()
    {
        m_seen.clear();
        for (const Calculation& calculation : m_calculations) {
            QWidget* window = m_program->windows.instance(calculation.window);
            m_seen.push_back({window, window ? labelsOf(window, calculation) : QStringList()});
        }
    }

    void check(int step)
    {
        const QString where = QStringLiteral("action %1: %2").arg(step).arg(m_action);
        const QByteArray message = where.toUtf8();

        // The program ends only when no window is shown any more, or when a
        // rider asked for it (the second button of the splash or warning window).
        const bool explicitEnd = m_action.startsWith(QStringLiteral("click frmSplash2.")) ||
                                 m_action.startsWith(QStringLiteral("click Formfen."));
        if (m_program->endCount > 0) {
            QVERIFY2(m_program->endCount == 1, message);
            QVERIFY2(explicitEnd || shownWindows().isEmpty(), message);
            return;
        }
        QVERIFY2(!shownWindows().isEmpty(), message);

        // One instance per window: no two top-level widgets of one name.
        QHash<QString, int> instances;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (kWindows.contains(top->objectName()) && top->isVisible())
                ++instances[top->objectName()];
        for (auto it = instances.cbegin(); it != instances.cend(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(where + QStringLiteral(" two ") + it.key()));

        for (std::size_t i = 0; i < m_calculations.size(); ++i)
            checkCalculation(m_calculations[i], m_seen[i], where);
    }

    void checkCalculation(const Calculation& calculation, const Seen& seen, const QString& where)
    {
        QWidget* window = m_program->windows.instance(calculation.window);
        if (!window || window != seen.window)
            return; // newly made: its labels hold their design
        const QStringList after = labelsOf(window, calculation);
        bool ran = false;
        for (int i = 0; i < after.size(); ++i)
            ran = ran || (after[i] != seen.labels[i] && !after[i].isEmpty());
        if (!ran) {
            // Without a calculation a result may only be cleared.
            for (int i = 0; i < after.size(); ++i)
                QVERIFY2(after[i] == seen.labels[i] || after[i].isEmpty(),
                         qPrintable(where + QLatin1Char(' ') + calculation.labels[i] +
                                    QStringLiteral(" became '") + after[i] + QLatin1Char('\'')));
            return;
        }
        ScriptedMessageService replay;
        replay.answers = givenAnswers();
        const auto expected = calculation.compute(window, m_locale, replay);
        ++m_checked;
        for (int i = 0; i < after.size(); ++i) {
            const QString wanted = expected[i] ? *expected[i] : seen.labels[i];
            QVERIFY2(after[i] == wanted,
                     qPrintable(where + QLatin1Char(' ') + calculation.labels[i] +
                                QStringLiteral(" shows '") + after[i] +
                                QStringLiteral("', its calculation gives '") + wanted +
                                QLatin1Char('\'')));
        }
    }

    std::mt19937 m_random;
    QLocale m_locale;
    std::deque<MessageAnswer> m_answers;
    std::size_t m_shownBefore = 0;
    std::unique_ptr<TestProgram> m_program;
    const std::vector<Calculation> m_calculations = calculations();
    std::vector<Seen> m_seen;
    QString m_action;
    long m_boxes = 0;
    int m_restarts = 0;
    int m_checked = 0;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomActions_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << 20240601u;
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << 7u;
    }

    void randomActions()
    {
        QFETCH(QLocale, locale);
        QFETCH(unsigned, seed);
        const int actions = qEnvironmentVariableIntValue("DENTIVEL_MONKEY_ACTIONS") > 0
                                ? qEnvironmentVariableIntValue("DENTIVEL_MONKEY_ACTIONS")
                                : 3000;
        // The headless platform says so at every showing; nothing to learn from it.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.contains(QLatin1String("does not support raise()")))
                    previous(type, context, text);
            });
        Monkey monkey(seed, locale);
        monkey.run(actions);
        qInstallMessageHandler(previous);
        qInfo("%d actions, %d calculations checked, %ld boxes answered, %d program starts", actions,
              monkey.calculationsChecked(), monkey.boxesShown(), monkey.restarts());
        // A run that never got a calculation to show anything proves nothing.
        QVERIFY(monkey.calculationsChecked() > 50);
    }
};

DENTIVEL_TEST_MAIN(TestMonkey)
#include "test_monkey.moc"
