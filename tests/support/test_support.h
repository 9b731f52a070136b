#pragma once

#include "shell/app_services.h"
#include "shell/printer.h"
#include "shell/window_registry.h"
#include "table/calculator_launch.h"
#include "table/program_launcher.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

class QWidget;

namespace dentivel::test {

// A whole program without its event loop: every window registered, a
// scripted message service, and a count of how often the program ended.
class TestProgram {
public:
    explicit TestProgram(const QLocale& locale = QLocale::c());

    template <typename Window> Window* show(const QString& name)
    {
        return qobject_cast<Window*>(windows.show(name));
    }

    ScriptedMessageService messages;
    // The table window looks for its calculator where there is none, unless a
    // test puts one there.
    QtProgramLauncher launcher;
    CalculatorSetup calculator{&launcher,
                               {QStringLiteral("/nonexistent/dentivel/calculator-1"),
                                QStringLiteral("/nonexistent/dentivel/calculator-2")}};
    // Every printed document is written over one PDF file of its own directory.
    QTemporaryDir printDirectory;
    QtPrinter printer{printDirectory.filePath(QStringLiteral("printed.pdf"))};
    // Declared after the services it hands out, so its windows go first.
    int endCount = 0;
    WindowRegistry windows;
    AppServices services;
};

// Lets closed windows be destroyed and queued checks run.
void settle();

// Describes each label, button and frame caption of the window whose text
// does not fit inside its rectangle with the font in use.
QStringList clippedTexts(QWidget* window);

// Closes any modal box that has stayed open for several seconds, so that a
// test which meets an unexpected box fails instead of hanging.
class ModalWatchdog final : public QObject {
public:
    ModalWatchdog();
    int stuckBoxes() const { return m_stuck; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QWidget* m_seen = nullptr;
    int m_ticks = 0;
    int m_stuck = 0;
};

// The objects a screen reader has been told were renamed (a label's text is
// its name) while this lives: a reader keeps the text it last read until told.
class RenameNotices {
public:
    RenameNotices();
    ~RenameNotices();
    RenameNotices(const RenameNotices&) = delete;
    RenameNotices& operator=(const RenameNotices&) = delete;
    bool told(const QObject* object) const { return m_renamed.contains(object); }

private:
    QList<const QObject*> m_renamed;
};

int runTests(QObject& tests, int argc, char** argv);

} // namespace dentivel::test

#define DENTIVEL_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        TestClass tests;                                                                           \
        return dentivel::test::runTests(tests, argc, argv);                                        \
    }
