#pragma once

#include "table/calculator_launch.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <QCoreApplication>

#include <windows.h>
#else
#include <signal.h>
#endif

namespace dentivel::test {

// What stands at one of the two calculator paths.
enum class Stand {
    Calculator,    // keeps running, as a calculator would
    DiesAtOnce,    // starts, then ends at once with a failure
    HandsOver,     // starts, then ends at once with success, as a starter does
    Nothing,       // no file at all
    NotExecutable, // a script without permission to run
    ShellCommand,  // a path that a shell would take for two commands
};

inline bool runs(Stand stand)
{
    return stand == Stand::Calculator || stand == Stand::DiesAtOnce || stand == Stand::HandsOver;
}

// Whether a calculator comes up once it is started.
inline bool bringsUp(Stand stand)
{
    return stand == Stand::Calculator || stand == Stand::HandsOver;
}

// The real launcher, with a record of every start it was asked for and of
// every answer it gave.
class RecordingLauncher final : public ProgramLauncher {
public:
    RecordingLauncher(ProgramLauncher& real, const ScriptedMessageService& messages)
        : m_real(real), m_messages(messages)
    {
    }
    ~RecordingLauncher() override
    {
        // The stand-in calculators still running are ended here, by their own
        // ids, whether or not their activation was waited for.
        for (qint64 id : m_ids) {
#ifdef Q_OS_WIN
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(id))) {
                TerminateProcess(process, 0);
                CloseHandle(process);
            }
#else
            QFile command(QStringLiteral("/proc/%1/cmdline").arg(id));
            if (command.open(QIODevice::ReadOnly) && command.readAll().startsWith("sleep"))
                ::kill(pid_t(id), SIGTERM);
#endif
        }
    }

    std::optional<qint64> start(const QString& path) override
    {
        tried << path;
        boxesBeforeStart.push_back(m_messages.shown.size());
        const std::optional<qint64> id = m_real.start(path);
        if (id) {
            ++started;
            m_ids.push_back(*id);
        }
        return id;
    }
    void activate(qint64 id, QObject* context, std::function<void(bool)> done) override
    {
        m_real.activate(id, context, [this, id, done = std::move(done)](bool activated) {
            ++answers;
            if (activated)
                running.push_back(id);
            done(activated);
        });
    }

    QStringList tried;
    std::vector<std::size_t> boxesBeforeStart;
    int started = 0;
    int answers = 0;
    std::vector<qint64> running;

private:
    ProgramLauncher& m_real;
    const ScriptedMessageService& m_messages;
    std::vector<qint64> m_ids;
};

// A folder of stand-in calculators; each one that runs writes its name to a log.
class Calculators {
public:
    QString put(const QString& name, Stand stand)
    {
#ifdef Q_OS_WIN
        // A copy of a small Windows program, told how to behave by a file
        // beside it; text where a program is not executable.
        const QString path = m_dir.filePath(name + QStringLiteral(".exe"));
        const QString standIn =
            QCoreApplication::applicationDirPath() + QStringLiteral("/stand_in_calculator.exe");
        const bool copied = !runs(stand) || QFile::copy(standIn, path);
        QString told;
        if (stand == Stand::NotExecutable)
            told = path;
        else if (stand == Stand::DiesAtOnce)
            told = m_dir.filePath(name + QStringLiteral(".dies"));
        else if (stand == Stand::HandsOver)
            told = m_dir.filePath(name + QStringLiteral(".hands"));
        QFile text(told);
        if (!copied || (!told.isEmpty() && !text.open(QIODevice::WriteOnly)))
            qFatal("cannot put %s", qPrintable(path));
        if (stand == Stand::ShellCommand)
            return path + QStringLiteral(" & copy nul \"%1\"").arg(injected());
        return path;
#else
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
        case Stand::HandsOver:
            script += QStringLiteral("exit 0\n");
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
#endif
    }

    QStringList ran() const
    {
        QFile log(m_dir.filePath(QStringLiteral("log")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString injected() const
    {
        // Appears only if a path is ever run through a shell.
        return m_dir.filePath(QStringLiteral("injected"));
    }

#ifdef Q_OS_WIN
    // How the stand-in was asked to show its window (SW_SHOW...), or -1.
    int showCommand(const QString& name) const
    {
        QFile file(m_dir.filePath(name + QStringLiteral(".show")));
        bool read = file.open(QIODevice::ReadOnly);
        const int command = file.readAll().trimmed().toInt(&read);
        return read ? command : -1;
    }
#endif

private:
    QTemporaryDir m_dir;
};

// The table window over two stand-in calculators, beside another window that
// is to be left alone, with a record of how each search ended.
class TableOverStandIns {
public:
    TableOverStandIns(const QLocale& locale, Stand first, Stand second)
        : program(locale), launcher(program.launcher, program.messages),
          paths{calculators.put(QStringLiteral("first"), first),
                calculators.put(QStringLiteral("second"), second)},
          table(open()), search(table->findChild<CalculatorLauncher*>()),
          finished(search.data(), &CalculatorLauncher::finished)
    {
    }

    QPushButton* button() const
    {
        return table->findChild<QPushButton*>(QStringLiteral("Command1"));
    }
    void press() const { QTest::mouseClick(button(), Qt::LeftButton); }
    QStringList titles() const
    {
        QStringList shown;
        for (const ShownMessage& box : program.messages.shown)
            shown << box.title;
        return shown;
    }
    CalculatorLaunch outcome(qsizetype search) const
    {
        return finished.at(search).at(0).value<CalculatorLaunch>();
    }

    TestProgram program;
    Calculators calculators;
    RecordingLauncher launcher;
    const QStringList paths;
    const QPointer<QWidget> table;
    const QPointer<CalculatorLauncher> search;
    QSignalSpy finished;

private:
    QWidget* open()
    {
        program.calculator = {&launcher, paths};
        program.windows.show(WindowName::Formfen);
        return program.windows.show(WindowName::Form2);
    }
};

} // namespace dentivel::test

Q_DECLARE_METATYPE(dentivel::test::Stand)
