#include "main_window/equivalence.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

const QString kMissingPrompt = QStringLiteral(
    "Vous avez oublié de saisir une ou plusieurs donnée(s), merci de la(les) saisir maintenant");

} // namespace

class TestEquivalence : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        test::ScriptedMessageService messages;
        const EquivalenceLabels labels = computeEquivalence({p1, s1, p2}, locale, messages);
        QCOMPARE(test::labelText(labels.sprocket), sprocket);
        QCOMPARE(test::labelText(labels.development), development);
        QVERIFY(messages.shown.empty());
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
        test::ScriptedMessageService messages;
        const EquivalenceLabels labels = computeEquivalence({p1, s1, p2}, kEnglish, messages);
        QCOMPARE(messages.shown.size(), std::size_t(1));
        const test::ShownMessage& shown = messages.shown.front();
        QCOMPARE(shown.title, QStringLiteral("oubli"));
        QCOMPARE(shown.prompt, kMissingPrompt);
        QCOMPARE(shown.icon, MessageIcon::Information);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        // Both labels keep what they showed.
        QCOMPARE(test::labelText(labels.sprocket), test::kUnchanged);
        QCOMPARE(test::labelText(labels.development), test::kUnchanged);
    }

    // Inputs that are present but unusable: the calculation stops at the
    // failing step, silently.
    void failuresAreContained_data()
    {
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("s1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("development");
        const QString earlierS2 = test::kUnchanged;
        const QString earlierD = test::kUnchanged;
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
        test::ScriptedMessageService messages;
        const EquivalenceLabels labels = computeEquivalence({p1, s1, p2}, kEnglish, messages);
        QCOMPARE(test::labelText(labels.sprocket), sprocket);
        QCOMPARE(test::labelText(labels.development), development);
        QVERIFY(messages.shown.empty());
    }
};

QTEST_GUILESS_MAIN(TestEquivalence)
#include "test_equivalence.moc"
