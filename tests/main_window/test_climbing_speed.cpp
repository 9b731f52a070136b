#include "form1.h"
#include "test_support.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

const QString kQuestionTitle = QStringLiteral("Infos");
const QString kMissingTitle = QStringLiteral("Oubli!");
const QString kWalkingPrompt = QStringLiteral("Qui c'est qui ferait mieux de marcher un peu ? ");

// Records each box with what Label4 showed while it was up.
class LabelWatchingMessages final : public MessageService {
public:
    MessageAnswer showMessage(const QString& prompt, MessageIcon icon, MessageButtons buttons,
                              const QString& title) override
    {
        shown.push_back({prompt, title, icon, buttons});
        labelDuringBox.push_back(label ? label->text() : QString());
        if (buttons == MessageButtons::YesNo)
            return answerYes ? MessageAnswer::Yes : MessageAnswer::No;
        return MessageAnswer::Ok;
    }

    std::vector<test::ShownMessage> shown;
    QStringList labelDuringBox;
    QLabel* label = nullptr;
    bool answerYes = false;
};

struct ClimbingFrame {
    explicit ClimbingFrame(const QLocale& locale = kEnglish)
        : program(locale), services{program.windows, messages, locale}
    {
        program.windows.registerWindow(WindowName::Form1, [this] {
            return std::make_unique<Form1>(services, program.printer);
        });
        window = program.show<Form1>(WindowName::Form1);
        messages.label = speed();
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
        for (const auto& m : messages.shown)
            list << m.title;
        return list;
    }

    test::TestProgram program;
    LabelWatchingMessages messages;
    AppServices services;
    Form1* window = nullptr;
};

} // namespace

class TestClimbingSpeed : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void opensWithDesignedInputs()
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

    void calculation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("elevation");
        QTest::addColumn<QString>("gradient");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("titles");
        const QString kept = QStringLiteral("earlier");
        auto row = [](const char* name, const QLocale& locale, const char* elevation,
                      const char* gradient, bool yes, const QString& label, QStringList titles) {
            QTest::newRow(name) << locale << QString::fromUtf8(elevation)
                                << QString::fromUtf8(gradient) << yes << label << titles;
        };
        row("700 at 10", kEnglish, "700", "10", false, "7.0 Km/h", {});
        row("650 at 8", kEnglish, "650", "8", false, "8.1 Km/h", {});
        row("800 at 3", kEnglish, "800", "3", false, "26.7 Km/h", {});
        row("600 at 15 shows 4.0, no warning", kEnglish, "600", "15", false, "4.0 Km/h", {});
        row("550 at 14 shows 3.9, warning", kEnglish, "550", "14", false, "3.9 Km/h", {"3.9 Km/h"});
        row("500 at 15", kEnglish, "500", "15", false, "3.3 Km/h", {"3.3 Km/h"});
        row("fr 650 at 8", kFrench, "650", "8", false, "8,1 Km/h", {});
        row("fr 600 at 15 shows 4,0, no warning", kFrench, "600", "15", false, "4,0 Km/h", {});
        row("fr 550 at 14 shows 3,9, warning", kFrench, "550", "14", false, "3,9 Km/h",
            {"3,9 Km/h"});
        row("steep 20, Oui", kEnglish, "700", "20", true, "3.5 Km/h", {"Infos", "3.5 Km/h"});
        row("steep 20, Non empties", kEnglish, "700", "20", false, "", {"Infos"});
        row("16 asks", kEnglish, "700", "16", true, "4.4 Km/h", {"Infos"});
        row("15.9 does not ask", kEnglish, "700", "15.9", true, "4.4 Km/h", {});
        row("both empty", kEnglish, "", "", false, kept, {"Oubli!"});
        row("both letters", kEnglish, "abc", "x", false, kept, {"Oubli!"});
        row("gradient empty", kEnglish, "700", "", false, kept, {});
        row("elevation empty", kEnglish, "", "10", false, "0.0 Km/h", {"0.0 Km/h"});
        row("negative gradient", kEnglish, "700", "-10", false, "-7.0 Km/h", {"-7.0 Km/h"});
        row("elevation beyond range", kEnglish, "1e400", "10", false, kept, {"Oubli!"});
        row("speed beyond range", kEnglish, "1e307", "1e-10", false, kept, {"Oubli!"});
    }

    void calculation()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, elevation);
        QFETCH(QString, gradient);
        QFETCH(bool, answerYes);
        QFETCH(QString, label);
        QFETCH(QStringList, titles);
        ClimbingFrame frame(locale);
        frame.speed()->setText(QStringLiteral("earlier"));
        frame.messages.answerYes = answerYes;
        frame.calculate(elevation, gradient);
        QCOMPARE(frame.speed()->text(), label);
        QCOMPARE(frame.titles(), titles);
        for (std::size_t i = 0; i < frame.messages.shown.size(); ++i) {
            const test::ShownMessage& box = frame.messages.shown[i];
            if (box.title == kQuestionTitle) {
                QCOMPARE(box.prompt, QStringLiteral("Tu vas entrer dans la légende des Cinglés du "
                                                    "Ventoux ou des Fêlés du Grand Colombier avec "
                                                    "mon papa et Mimo et Bertolin  ..."));
                QCOMPARE(box.buttons, MessageButtons::YesNo);
                QCOMPARE(box.icon, MessageIcon::Information);
            } else if (box.title == kMissingTitle) {
                QCOMPARE(box.prompt, QStringLiteral("Vous avez oublié de saisir une ou plusieurs "
                                                    "donnée(s) nécéssaire(s). Merci de la(les) "
                                                    "saisir maintenant"));
                QCOMPARE(box.icon, MessageIcon::Information);
            } else {
                QCOMPARE(box.prompt, kWalkingPrompt);
                QCOMPARE(box.icon, MessageIcon::Exclamation);
                QCOMPARE(box.buttons, MessageButtons::Ok);
                // The warning comes with the speed it is about already shown.
                QCOMPARE(frame.messages.labelDuringBox[int(i)], label);
            }
        }
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
        QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
        QApplication::sendEvent(combo, &focusIn);
        QCOMPARE(frame.speed()->text(), cleared ? QString() : QStringLiteral("7.0 Km/h"));
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

DENTIVEL_TEST_MAIN(TestClimbingSpeed)
#include "test_climbing_speed.moc"
