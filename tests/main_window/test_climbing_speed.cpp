#include "main_window/climbing_speed.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

const QString kQuestionTitle = QStringLiteral("Infos");
const QString kMissingTitle = QStringLiteral("Oubli!");
const QString kWalkingPrompt = QStringLiteral("Qui c'est qui ferait mieux de marcher un peu ? ");

} // namespace

class TestClimbingSpeed : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void calculation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("elevation");
        QTest::addColumn<QString>("gradient");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("titles");
        const QString kept = test::kUnchanged;
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
        row("gradient beyond range, not asked", kEnglish, "700", "1e400", false, kept, {"Oubli!"});
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
        test::ScriptedMessageService messages;
        if (answerYes)
            messages.answers.push_back(MessageAnswer::Yes);
        const ClimbingSpeedOutcome outcome =
            computeClimbingSpeed({elevation, gradient}, locale, messages);
        // The window shows the warning itself, once Label4 shows the speed.
        std::vector<test::ShownMessage> boxes = messages.shown;
        if (outcome.warning) {
            const MessageText& w = *outcome.warning;
            boxes.push_back({w.prompt, w.title, w.icon, w.buttons});
        }
        QCOMPARE(test::labelText(outcome.speed), label);
        QStringList shownTitles;
        for (const test::ShownMessage& box : boxes)
            shownTitles << box.title;
        QCOMPARE(shownTitles, titles);
        for (const test::ShownMessage& box : boxes) {
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
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestClimbingSpeed)
#include "test_climbing_speed.moc"
