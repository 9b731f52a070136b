#include "shell/window_registry.h"
#include "tests/support/test_support.h"

#include <QCloseEvent>
#include <QLineEdit>

using namespace dentivel;

namespace {

// A window whose one input starts with its designed text.
std::unique_ptr<QWidget> designedWindow(int* created)
{
    ++*created;
    auto window = std::make_unique<QWidget>();
    auto* input = new QLineEdit(QStringLiteral("designed"), window.get());
    input->setObjectName(QStringLiteral("input"));
    return window;
}

// A window that one day asks before closing, and is told no.
class RefusesToClose final : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QString inputText(QWidget* window)
{
    return window->findChild<QLineEdit*>(QStringLiteral("input"))->text();
}

} // namespace

class TestWindowRegistry : public QObject {
    Q_OBJECT

    int ends = 0;
    int createdA = 0;
    int createdB = 0;
    std::unique_ptr<WindowRegistry> registry;

private Q_SLOTS:
    void init()
    {
        ends = createdA = createdB = 0;
        registry = std::make_unique<WindowRegistry>([this] { ++ends; });
        registry->registerWindow(QStringLiteral("A"), [this] { return designedWindow(&createdA); });
        registry->registerWindow(QStringLiteral("B"), [this] { return designedWindow(&createdB); });
    }

    void cleanup()
    {
        registry.reset();
        test::settle();
    }

    void createdOnFirstUseOnly()
    {
        QVERIFY(!registry->instance(QStringLiteral("A")));
        QCOMPARE(createdA, 0);
        QWidget* first = registry->show(QStringLiteral("A"));
        QWidget* second = registry->show(QStringLiteral("A"));
        QCOMPARE(first, second);
        QCOMPARE(createdA, 1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->objectName(), QStringLiteral("A"));
        QVERIFY(!first->parentWidget());
    }

    void showingAgainKeepsContents()
    {
        QWidget* window = registry->show(QStringLiteral("A"));
        window->findChild<QLineEdit*>()->setText(QStringLiteral("typed"));
        QCOMPARE(inputText(registry->show(QStringLiteral("A"))), QStringLiteral("typed"));
    }

    void reopeningStartsFromTheDesign()
    {
        QWidget* window = registry->show(QStringLiteral("A"));
        window->findChild<QLineEdit*>()->setText(QStringLiteral("typed"));
        QPointer<QWidget> closed = window;
        registry->close(QStringLiteral("A"));
        QVERIFY(!registry->instance(QStringLiteral("A")));
        test::settle();
        QVERIFY(!closed); // destroyed, not merely hidden
        QCOMPARE(inputText(registry->show(QStringLiteral("A"))), QStringLiteral("designed"));
        QCOMPARE(createdA, 2);
    }

    void titleBarCloseUnloads()
    {
        QWidget* window = registry->show(QStringLiteral("A"));
        registry->show(QStringLiteral("B"));
        window->close(); // what the title-bar button does
        QCOMPARE(registry->loadedWindows(), QStringList{QStringLiteral("B")});
        test::settle();
        QCOMPARE(ends, 0);
    }

    void refusedCloseKeepsTheWindow()
    {
        registry->registerWindow(QStringLiteral("R"),
                                 [] { return std::make_unique<RefusesToClose>(); });
        QPointer<QWidget> window = registry->show(QStringLiteral("R"));
        QVERIFY(!window->close()); // what the title-bar button does
        registry->close(QStringLiteral("R"));
        test::settle();
        QVERIFY(window);
        QCOMPARE(registry->instance(QStringLiteral("R")), window.data());
        QVERIFY(window->isVisible());
        QCOMPARE(ends, 0);
    }

    void loadWithoutShowing()
    {
        QWidget* window = registry->load(QStringLiteral("A"));
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QCOMPARE(registry->show(QStringLiteral("A")), window);
        QCOMPARE(createdA, 1);
    }

    void unknownNameDoesNothing()
    {
        QVERIFY(!registry->show(QStringLiteral("nowhere")));
        QVERIFY(registry->loadedWindows().isEmpty());
    }

    void programEndsAfterLastWindowCloses()
    {
        registry->show(QStringLiteral("A"));
        registry->show(QStringLiteral("B"));
        registry->close(QStringLiteral("A"));
        test::settle();
        QCOMPARE(ends, 0);
        registry->close(QStringLiteral("B"));
        test::settle();
        QCOMPARE(ends, 1);
    }

    // A handler that closes its window and shows the next one must not end
    // the program in between.
    void closingThenShowingInOneHandlerKeepsRunning()
    {
        registry->show(QStringLiteral("A"));
        registry->close(QStringLiteral("A"));
        registry->show(QStringLiteral("B"));
        test::settle();
        QCOMPARE(ends, 0);
        QCOMPARE(registry->loadedWindows(), QStringList{QStringLiteral("B")});
    }

    void hiddenWindowDoesNotKeepProgramAlive()
    {
        registry->load(QStringLiteral("B"));
        registry->show(QStringLiteral("A"));
        registry->close(QStringLiteral("A"));
        test::settle();
        QCOMPARE(ends, 1);
        QVERIFY(registry->loadedWindows().isEmpty());
    }

    void endProgramClosesEverythingAtOnce()
    {
        QPointer<QWidget> a = registry->show(QStringLiteral("A"));
        QPointer<QWidget> b = registry->load(QStringLiteral("B"));
        registry->endProgram();
        QCOMPARE(ends, 1);
        QVERIFY(registry->loadedWindows().isEmpty());
        QVERIFY(!a->isVisible());
        test::settle();
        QVERIFY(!a && !b);
        QCOMPARE(ends, 1);
    }
};

DENTIVEL_TEST_MAIN(TestWindowRegistry)
#include "test_window_registry.moc"
