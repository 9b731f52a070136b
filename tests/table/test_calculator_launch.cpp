#include "calculator_launch.h"
#include "form2.h"
#include "test_support.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <signal.h>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

const QString kNoticePrompt = QStringLiteral(
    "Si votre plateau est de 55, si votre tour de roue est de 2.084, si..., et si ma tante en "
    "avait... <;-} ");
const QString kNotFoundPrompt = QStringLiteral("Calculatrice Windows non trouvée ");

// What stands at one of the two calculator paths.
enum class Stand {
    Calculator,    // keeps running, as a calculator would
    DiesAtOnce,    // starts, then ends at once with a failure
    Nothing,       // no file at all
    NotExecutable, // a script without permission to run
    ShellCommand,  // a path that a shell would take for two commands
};

// The real launcher, with a record of every start it was asked for.
class RecordingLauncher final : public ProgramLauncher {
public:
    RecordingLauncher(ProgramLauncher& real, const test::ScriptedMessageService& messages)
        : m_real(real), m_messages(messages)
    {
    }
    ~RecordingLauncher() override
    {
        // The stand-in calculators are ended here, by their own ids.
        for (qint64 id : running)
            ::kill(pid_t(id), SIGTERM);
    }

    std::optional<qint64> start(const QString& path) override
    {
        tried << path;
        boxesBeforeStart.push_back(m_messages.shown.size());
        const std::optional<qint64> id = m_real.start(path);
        if (id)
            ++started;
        return id;
    }
    bool activate(qint64 id) override
    {
        const bool activated = m_real.activate(id);
        if (activated)
            running.push_back(id);
        return activated;
    }

    QStringList tried;
    std::vector<std::size_t> boxesBeforeStart;
    int started = 0;
    std::vector<qint64> running;

private:
    ProgramLauncher& m_real;
    const test::ScriptedMessageService& m_messages;
};

// A folder of stand-in calculators; each one that runs writes its name to a log.
class Calculators {
public:
    QString put(const QString& name, Stand stand)
    {
        const QString path = m_dir.filePath(name);
        const QString log = m_dir.filePath(QStringLiteral("log"));
        QString script = QStringLiteral("#!/bin/sh\necho %1 >> '%2'\n").arg(name, log);
        switch (stand) {
        case Stand::Calculator:
            script += QStringLiteral("exec sleep 30\n");
            break;
        case Stand::DiesAtOnce:
        case Stand::NotExecutable:
            script += QStringLiteral("exit 1\n");
            break;
        case Stand::Nothing:
            return path;
        case Stand::ShellCommand:
            return path + QStringLiteral("; touch '%1'").arg(injected());
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(path));
        file.close();
        if (stand != Stand::NotExecutable)
            file.setPermissions(file.permissions() | QFile::ExeOwner);
        return path;
    }

    QStringList ran() const
    {
        QFile log(m_dir.filePath(QStringLiteral("log")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString injected() const { return m_dir.filePath(QStringLiteral("injected")); }

private:
    QTemporaryDir m_dir;
};

bool runs(Stand stand)
{
    return stand == Stand::Calculator || stand == Stand::DiesAtOnce;
}

} // namespace

Q_DECLARE_METATYPE(Stand)

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
        test::TestProgram program(locale);
        Calculators calculators;
        RecordingLauncher launcher(program.launcher, program.messages);
        const QString firstPath = calculators.put(QStringLiteral("first"), first);
        const QString secondPath = calculators.put(QStringLiteral("second"), second);
        program.calculator = {&launcher, {firstPath, secondPath}};
        program.windows.show(WindowName::Formfen); // another window, to be left alone
        QWidget* table = program.windows.show(WindowName::Form2);

        QTest::mouseClick(table->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        test::settle();

        const bool firstWorks = first == Stand::Calculator;
        const bool found = firstWorks || second == Stand::Calculator;
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
        QCOMPARE(int(launcher.running.size()), found ? 1 : 0);
        QVERIFY(!QFile::exists(calculators.injected()));

        QStringList titles{QStringLiteral("Calculatrice")};
        if (!found)
            titles << QStringLiteral("Désolé");
        QStringList shownTitles;
        for (const test::ShownMessage& shown : program.messages.shown)
            shownTitles << shown.title;
        QCOMPARE(shownTitles, titles);
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

        // Without a calculator the table goes; nothing else does.
        QCOMPARE(program.windows.instance(WindowName::Form2) != nullptr, found);
        QVERIFY(program.windows.instance(WindowName::Formfen));
        QCOMPARE(program.endCount, 0);
    }
};

DENTIVEL_TEST_MAIN(TestCalculatorLaunch)
#include "test_calculator_launch.moc"
