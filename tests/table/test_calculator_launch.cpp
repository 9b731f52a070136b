#include "table/form2.h"
#include "tests/table/stand_in_calculators.h"

using namespace dentivel;
using namespace dentivel::test;

namespace {

const QString kNoticePrompt = QStringLiteral(
    "Si votre plateau est de 55, si votre tour de roue est de 2.084, si..., et si ma tante en "
    "avait... <;-} ");
const QString kNotFoundPrompt = QStringLiteral("Calculatrice Windows non trouvée ");

} // namespace

class TestCalculatorLaunch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void launch_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Stand>("first");
        QTest::addColumn<Stand>("second");
        struct Case {
            const char* name;
            Stand first;
            Stand second;
        };
        const Case cases[] = {
            {"calculator at the first path", Stand::Calculator, Stand::Calculator},
            {"calculator at the first path only", Stand::Calculator, Stand::Nothing},
            {"nothing at the first, calculator at the second", Stand::Nothing, Stand::Calculator},
            {"nothing at either path", Stand::Nothing, Stand::Nothing},
            {"first dies at once, second runs", Stand::DiesAtOnce, Stand::Calculator},
            {"first dies at once, nothing at the second", Stand::DiesAtOnce, Stand::Nothing},
            {"nothing at the first, second dies at once", Stand::Nothing, Stand::DiesAtOnce},
            {"both die at once", Stand::DiesAtOnce, Stand::DiesAtOnce},
            {"first hands over, second runs", Stand::HandsOver, Stand::Calculator},
            {"nothing at the first, second hands over", Stand::Nothing, Stand::HandsOver},
            {"first dies at once, second hands over", Stand::DiesAtOnce, Stand::HandsOver},
            {"first not executable, second runs", Stand::NotExecutable, Stand::Calculator},
            {"both not executable", Stand::NotExecutable, Stand::NotExecutable},
            {"first path is shell text, second runs", Stand::ShellCommand, Stand::Calculator},
            {"both paths are shell text", Stand::ShellCommand, Stand::ShellCommand},
        };
        for (const Case& c : cases) {
            for (const auto& [tag, locale] : {std::pair{"en", kEnglish}, std::pair{"fr", kFrench}})
                QTest::addRow("%s %s", tag, c.name) << locale << c.first << c.second;
        }
    }

    void launch()
    {
        QFETCH(QLocale, locale);
        QFETCH(Stand, first);
        QFETCH(Stand, second);
        TableOverStandIns table(locale, first, second);
        const TestProgram& program = table.program;
        const Calculators& calculators = table.calculators;
        const RecordingLauncher& launcher = table.launcher;
        const QString& firstPath = table.paths.at(0);
        const QString& secondPath = table.paths.at(1);

        table.press();
        // The answer comes from the event loop, after the settle time when a
        // calculator keeps running.
        QTRY_COMPARE(table.finished.size(), 1);
        test::settle();

        const bool firstWorks = bringsUp(first);
        const bool found = firstWorks || bringsUp(second);
        // The second path is tried only when the first gave no calculator.
        QStringList tried{firstPath};
        if (!firstWorks)
            tried << secondPath;
        QCOMPARE(launcher.tried, tried);
        // The notice comes first, before anything is started.
        for (std::size_t boxes : launcher.boxesBeforeStart)
            QCOMPARE(boxes, std::size_t(1));

        QStringList ran;
        if (runs(first))
            ran << QStringLiteral("first");
        if (!firstWorks && runs(second))
            ran << QStringLiteral("second");
        QCOMPARE(launcher.started, int(ran.size()));
        QTRY_COMPARE(calculators.ran(), ran);
#ifdef Q_OS_WIN
        // Started minimised, holding the focus.
        if (found)
            QCOMPARE(calculators.showCommand(ran.last()), SW_SHOWMINIMIZED);
#endif
        QCOMPARE(int(launcher.running.size()), found ? 1 : 0);
        QVERIFY(!QFile::exists(calculators.injected()));

        QStringList titles{QStringLiteral("Calculatrice")};
        if (!found)
            titles << QStringLiteral("Désolé");
        QStringList shownTitles;
        for (const test::ShownMessage& shown : program.messages.shown)
            shownTitles << shown.title;
        QCOMPARE(shownTitles, titles);
        QCOMPARE(table.outcome(0), found ? CalculatorLaunch::Started : CalculatorLaunch::NotFound);
        const test::ShownMessage& notice = program.messages.shown.front();
        QCOMPARE(notice.prompt, kNoticePrompt);
        QCOMPARE(notice.icon, MessageIcon::Exclamation);
        QCOMPARE(notice.buttons, MessageButtons::Ok);
        if (!found) {
            const test::ShownMessage& sorry = program.messages.shown.back();
            QCOMPARE(sorry.prompt, kNotFoundPrompt);
            QCOMPARE(sorry.icon, MessageIcon::Critical);
            QCOMPARE(sorry.buttons, MessageButtons::Ok);
        }

        // Without a calculator the table goes; nothing else does. With one,
        // the button may be pressed again, with the keyboard too.
        QCOMPARE(program.windows.instance(WindowName::Form2) != nullptr, found);
        if (found) {
            QVERIFY(table.button()->isEnabled());
            QCOMPARE(table.table->focusWidget(), table.button());
        }
        QVERIFY(program.windows.instance(WindowName::Formfen));
        QCOMPARE(program.endCount, 0);
    }

    void windowsPaths_data()
    {
        QTest::addColumn<QString>("windowsFolder");
        QTest::addColumn<QString>("systemFolder");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("another drive and folder")
            << QStringLiteral("E:\\WinNT") << QStringLiteral("E:\\WinNT\\System32")
            << QStringList{QStringLiteral("E:\\WinNT\\CALC.EXE"),
                           QStringLiteral("E:\\WinNT\\System32\\CALC.EXE")};
        QTest::newRow("root of a drive") << QStringLiteral("D:\\") << QStringLiteral("D:\\System32")
                                         << QStringList{QStringLiteral("D:\\CALC.EXE"),
                                                        QStringLiteral("D:\\System32\\CALC.EXE")};
        QTest::newRow("windows folder not reported")
            << QString() << QStringLiteral("C:\\Windows\\System32")
            << QStringList{QStringLiteral("C:\\Windows\\System32\\CALC.EXE")};
    }

    void windowsPaths()
    {
        QFETCH(QString, windowsFolder);
        QFETCH(QString, systemFolder);
        QFETCH(QStringList, paths);
        QCOMPARE(windowsCalculatorPaths(windowsFolder, systemFolder), paths);
    }
};

DENTIVEL_TEST_MAIN(TestCalculatorLaunch)
#include "test_calculator_launch.moc"
