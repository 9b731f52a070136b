#include "development/development.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

using namespace dentivel;
using test::kEnglish;
using test::kFrench;

namespace {

const QString kHeading = QStringLiteral("Résultat pour un tour de pédalier :");

QString sentence(const QString& turns)
{
    return QStringLiteral("le nombre de tour de pédalier étant ") + turns +
           QStringLiteral(", la distance finale parcourue pour ce nombre est ");
}

// Label6, Label1, Label5 and aff, in that order, as the window lists them.
QStringList results(const DevelopmentLabels& labels)
{
    return {test::labelText(labels.heading), test::labelText(labels.development),
            test::labelText(labels.sentence), test::labelText(labels.distance)};
}

} // namespace

class TestDevelopment : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void workedExamples_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("turns");
        QTest::addColumn<QString>("development");
        QTest::addColumn<QString>("distance");
        struct Example {
            const char* name;
            const char *chainring, *sprocket, *turns;
            const char *english[2], *french[2];
        };
        // clang-format off
        const Example examples[] = {
            {"53/11, 10 turns", "53", "11", "10", {"10.12 m", "101.2 m"}, {"10,12 m", "101,2 m"}},
            {"52/13, 100000 turns", "52", "13", "100000",
             {"8.40 m", "840000 m"}, {"8,40 m", "840000 m"}},
            {"39/21, one turn", "39", "21", "1", {"3.90 m", "3.9 m"}, {"3,90 m", "3,9 m"}},
            {"total from the shown development", "50", "11", "7",
             {"9.55 m", "66.85 m"}, {"9,55 m", "66,85 m"}},
            {"chainring of letters", "abc", "11", "1", {"0.00 m", "0 m"}, {"0,00 m", "0 m"}},
            {"chainring of one blank", " ", "11", "1", {"0.00 m", "0 m"}, {"0,00 m", "0 m"}},
            {"turns with a leading blank", "53", "11", " 12",
             {"10.12 m", "121.44 m"}, {"10,12 m", "121,44 m"}},
        };
        // clang-format on
        for (const Example& e : examples) {
            QTest::addRow("en %s", e.name)
                << kEnglish << e.chainring << e.sprocket << e.turns << e.english[0] << e.english[1];
            QTest::addRow("fr %s", e.name) << kFrench << e.chainring << e.sprocket << e.turns
                                           << QString::fromUtf8(e.french[0]) << e.french[1];
        }
        // clang-format off
        QTest::newRow("en turns with a decimal point")
            << kEnglish << "53" << "11" << "2.5" << "10.12 m" << "25.3 m";
        QTest::newRow("fr turns with a decimal comma")
            << kFrench << "53" << "11" << "2,5" << "10,12 m" << "25,3 m";
        // clang-format on
    }

    void workedExamples()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        QFETCH(QString, turns);
        QFETCH(QString, development);
        QFETCH(QString, distance);
        test::ScriptedMessageService messages;
        const DevelopmentLabels labels =
            computeDevelopment({chainring, sprocket, turns}, locale, messages);
        QCOMPARE(results(labels), QStringList({kHeading, development, sentence(turns), distance}));
        QVERIFY(messages.shown.empty());
    }

    void missingInput_data()
    {
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        // clang-format off
        QTest::newRow("both lists empty") << "" << "";
        QTest::newRow("chainring empty") << "" << "11";
        QTest::newRow("sprocket empty") << "53" << "";
        // clang-format on
    }

    void missingInput()
    {
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        test::ScriptedMessageService messages;
        const DevelopmentLabels labels =
            computeDevelopment({chainring, sprocket, QStringLiteral("10")}, kEnglish, messages);
        QCOMPARE(messages.shown.size(), std::size_t(1));
        const test::ShownMessage& shown = messages.shown.front();
        QCOMPARE(shown.title, QStringLiteral("oubli ! "));
        QCOMPARE(shown.prompt, QStringLiteral("Vous avez oublié de saisir une ou plusieurs "
                                              "données; merci de la(les) saisir maintenant"));
        QCOMPARE(shown.icon, MessageIcon::Information);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(results(labels), QStringList(4, test::kUnchanged));
    }

    // Unusable input ends the calculation quietly; a total that cannot be
    // worked out never leaves an earlier one beside the new development.
    void failuresAreContained_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("turns");
        QTest::addColumn<QString>("development"); // empty: nothing written
        const QString none;
        // clang-format off
        QTest::newRow("sprocket zero") << kEnglish << "53" << "0" << "10" << none;
        QTest::newRow("sprocket of letters") << kEnglish << "53" << "abc" << "10" << none;
        QTest::newRow("all of letters") << kEnglish << "abc" << "abc" << "10" << none;
        QTest::newRow("chainring beyond doubles") << kEnglish << "1e400" << "11" << "1" << none;
        QTest::newRow("development beyond doubles")
            << kEnglish << "1e308" << "1e-10" << "1" << none;
        QTest::newRow("turns empty") << kEnglish << "53" << "11" << "" << "10.12 m";
        QTest::newRow("turns of letters") << kFrench << "53" << "11" << "abc" << "10,12 m";
        QTest::newRow("fr turns with a decimal point")
            << kFrench << "53" << "11" << "2.5" << "10,12 m";
        QTest::newRow("en turns with a decimal comma")
            << kEnglish << "53" << "11" << "2,5" << "10.12 m";
        QTest::newRow("distance beyond doubles")
            << kEnglish << "53" << "11" << "1e308" << "10.12 m";
        // clang-format on
    }

    void failuresAreContained()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        QFETCH(QString, turns);
        QFETCH(QString, development);
        test::ScriptedMessageService messages;
        const DevelopmentLabels labels =
            computeDevelopment({chainring, sprocket, turns}, locale, messages);
        if (development.isEmpty())
            QCOMPARE(results(labels), QStringList(4, test::kUnchanged));
        else
            QCOMPARE(results(labels), QStringList({kHeading, development, sentence(turns), ""}));
        QVERIFY(messages.shown.empty());
    }

    void reportText()
    {
        // The blanks count, doubled ones included, and lines end with CR LF.
        QCOMPARE(developmentReport({"", "", "1", "", ""}),
                 QStringLiteral("\r\n\r\n        Avec le plateau  et le pignon , votre distance "
                                "parcourue par un tour de pédalier est : .\r\n\r\n        Le "
                                "nombre de tours de pédalier étant 1, la distance totale est : "));
    }
};

QTEST_GUILESS_MAIN(TestDevelopment)
#include "test_development.moc"
