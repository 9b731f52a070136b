#include "cadence/cadence.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;
const QString kHeading = QStringLiteral("Votre cadence de pédalage est de :");

} // namespace

class TestCadence : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void calculation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("cadence");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        const QString kept = test::kUnchanged;
        const QString high = QStringLiteral("'ttention !");
        const QString low = QStringLiteral("ça monte dur !");
        const QString incomplete = QStringLiteral("Non mais !");
        const QString incompletePrompt =
            QStringLiteral("Vous ne voulez pas en plus que je devine ? Complètez !");
        const QString highPrompt = QStringLiteral(
            " rpm ! T'es pas fous! Tu te mets dans le rouge ! Change de braquet : tombe les "
            "dents ou monte sur la plaque. Au dessus de 130, tu ressembles à une mobylette (mets "
            "plus gros)");
        const QString lowPrompt =
            QStringLiteral(" rpm : Vous êtes dans un mur ? Changer de braquet "
                           "pour approcher 50/60 rpm si possible ou marchez un peu !");
        auto row = [](const char* name, const QLocale& locale, const char* speed,
                      const char* chainring, const char* sprocket, const QString& cadence,
                      const QString& title = {}, const QString& prompt = {}) {
            QTest::newRow(name) << locale << QString::fromUtf8(speed)
                                << QString::fromUtf8(chainring) << QString::fromUtf8(sprocket)
                                << cadence << title << prompt;
        };
        row("30 on 52x17", kEnglish, "30", "52", "17", "78 rpm");
        row("fr 30 on 52x17", kFrench, "30", "52", "17", "78 rpm");
        row("50 on 39x21 too high", kEnglish, "50", "39", "21", "214 rpm", high,
            "214" + highPrompt);
        row("5 on 53x13 too low", kEnglish, "5", "53", "13", "10 rpm", low, "10" + lowPrompt);
        row("12 on 53x13 not crawling", kEnglish, "12", "53", "13", "23 rpm");
        row("shows 120, no warning", kEnglish, "15.1704", "50", "50", "120 rpm");
        row("shows 121, warning", kEnglish, "15.1956", "50", "50", "121 rpm", high,
            "121" + highPrompt);
        row("shows 40, no warning", kEnglish, "4.9896", "50", "50", "40 rpm");
        row("shows 39, warning", kEnglish, "4.9644", "50", "50", "39 rpm", low, "39" + lowPrompt);
        row("fr shows 39, warning", kFrench, "4.9644", "50", "50", "39 rpm", low, "39" + lowPrompt);
        row("negative speed", kEnglish, "-20", "50", "20", "-63 rpm", low, "-63" + lowPrompt);
        row("typed chainring off the list", kEnglish, "30", "55", "17", "74 rpm");
        row("speed empty", kEnglish, "", "52", "17", kept, incomplete, incompletePrompt);
        row("speed zero", kEnglish, "0", "52", "17", kept, incomplete, incompletePrompt);
        row("speed in letters", kEnglish, "vite", "52", "17", kept, incomplete, incompletePrompt);
        row("speed with comma reads 0", kFrench, "0,5", "52", "17", kept, incomplete,
            incompletePrompt);
        row("both lists empty", kEnglish, "20", "", "", kept, incomplete, incompletePrompt);
        row("sprocket empty", kEnglish, "20", "50", "", kept);
        row("chainring empty", kEnglish, "20", "", "17", kept);
        row("speed beyond range", kEnglish, "1e400", "52", "17", kept, incomplete,
            incompletePrompt);
        row("metres beyond range", kEnglish, "1e306", "52", "17", kept, incomplete,
            incompletePrompt);
    }

    void calculation()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, speed);
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        QFETCH(QString, cadence);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        test::ScriptedMessageService messages;
        const CadenceOutcome outcome =
            computeCadence({speed, chainring, sprocket}, locale, messages);
        QCOMPARE(test::labelText(outcome.cadence), cadence);
        QCOMPARE(test::labelText(outcome.heading),
                 cadence == test::kUnchanged ? test::kUnchanged : kHeading);
        // The window shows the warning itself, once the labels show the cadence.
        std::vector<test::ShownMessage> shown = messages.shown;
        if (outcome.warning) {
            const MessageText& w = *outcome.warning;
            shown.push_back({w.prompt, w.title, w.icon, w.buttons});
        }
        QCOMPARE(shown.size(), std::size_t(title.isEmpty() ? 0 : 1));
        if (!title.isEmpty()) {
            QCOMPARE(shown.front().title, title);
            QCOMPARE(shown.front().prompt, prompt);
            QCOMPARE(shown.front().buttons, MessageButtons::Ok);
            QCOMPARE(shown.front().icon, title == QStringLiteral("'ttention !")
                                             ? MessageIcon::Critical
                                             : MessageIcon::Exclamation);
        }
    }
};

QTEST_GUILESS_MAIN(TestCadence)
#include "test_cadence.moc"
