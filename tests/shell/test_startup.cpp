#include "shell/version.h"
#include "tests/support/test_support.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <functional>
#include <optional>

using namespace dentivel;

namespace {

QPushButton* button(QWidget* window, const char* name)
{
    auto* found = window->findChild<QPushButton*>(QLatin1String(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(button(window, name), Qt::LeftButton);
}

QString labelText(QWidget* window, const char* name)
{
    return window->findChild<QLabel*>(QLatin1String(name))->text();
}

// Whether a window, when it is hidden, has another one shown in its stead.
class ReplacedWhenHidden final : public QObject {
public:
    ReplacedWhenHidden(QWidget* window, std::function<bool()> replaced)
        : m_replaced(std::move(replaced))
    {
        window->installEventFilter(this);
    }
    std::optional<bool> answer;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !answer)
            answer = m_replaced();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> m_replaced;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void startsOnTheSplashAlone()
    {
        test::TestProgram program;
        QWidget* splash = program.windows.show(WindowName::frmSplash2);
        QCOMPARE(program.windows.loadedWindows(), QStringList{QStringLiteral("frmSplash2")});
        QCOMPARE(splash->size(), QSize(296, 268));
        QCOMPARE(splash->minimumSize(), splash->maximumSize());
        // No title bar and no task-bar entry.
        QVERIFY(!(splash->windowFlags() & Qt::WindowTitleHint));
        QCOMPARE(splash->windowType(), Qt::Tool);
        QCOMPARE(splash->focusWidget(), button(splash, "Command1"));
        QCOMPARE(labelText(splash, "lblProductName"), QStringLiteral("Dentivel"));
        QCOMPARE(labelText(splash, "lblVersion"), QStringLiteral("Version 3.03"));
        QVERIFY(labelText(splash, "Label1")
                    .startsWith(QStringLiteral(
                        "Si vous avez besoin d'un pignon très supérieur à 30, vous pouvez : ")));
        QCOMPARE(button(splash, "Command1")->text(), QStringLiteral("Alors, on ose ?..."));
        QCOMPARE(button(splash, "Command2")->text(), QStringLiteral("ou on se barre ?"));
        test::settle();
        QCOMPARE(program.endCount, 0);
    }

    void goingOnReplacesSplashWithWarning()
    {
        test::TestProgram program;
        QWidget* splash = program.windows.show(WindowName::frmSplash2);
        click(splash, "Command1");
        test::settle();
        QCOMPARE(program.endCount, 0);
        QCOMPARE(program.windows.loadedWindows(), QStringList{QStringLiteral("Formfen")});
        QWidget* warning = program.windows.instance(WindowName::Formfen);
        QVERIFY(warning->isVisible());
        QCOMPARE(warning->windowTitle(), QStringLiteral("Avertissement"));
        QCOMPARE(warning->focusWidget(), button(warning, "Command1"));
        QCOMPARE(warning->windowType(), Qt::Window);
        QCOMPARE(warning->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
                 QStringLiteral("Informations"));
    }

    // Left for a moment without a window, the program may lose the focus to
    // another one.
    void nextWindowShowsBeforeThisOneGoes_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("splash") << QString(WindowName::frmSplash2) << QString(WindowName::Formfen);
        QTest::newRow("warning") << QString(WindowName::Formfen) << QString(WindowName::Form1);
    }

    void nextWindowShowsBeforeThisOneGoes()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        test::TestProgram program;
        QWidget* window = program.windows.show(from);
        ReplacedWhenHidden watch(window, [&] {
            const QWidget* next = program.windows.instance(to);
            return next && next->isVisible();
        });
        click(window, "Command1");
        QCOMPARE(watch.answer, std::optional<bool>(true));
    }

    void warningCarriesATwoSentenceDisclaimer()
    {
        test::TestProgram program;
        QWidget* warning = program.windows.show(WindowName::Formfen);
        const QString text = labelText(warning, "Label1");
        const QStringList sentences = text.split(QStringLiteral(".   "));
        QCOMPARE(sentences.size(), 2);
        QVERIFY(!sentences[0].isEmpty() && sentences[1].endsWith(u'.'));
        QVERIFY(!sentences[1].startsWith(u' '));
    }

    void continuingOpensTheMainWindow()
    {
        test::TestProgram program;
        QWidget* splash = program.windows.show(WindowName::frmSplash2);
        click(splash, "Command1");
        click(program.windows.instance(WindowName::Formfen), "Command1");
        test::settle();
        QCOMPARE(program.endCount, 0);
        QCOMPARE(program.windows.loadedWindows(), QStringList{QStringLiteral("Form1")});
        QWidget* main = program.windows.instance(WindowName::Form1);
        QVERIFY(main->isVisible());
        QCOMPARE(main->windowTitle(), QStringLiteral("Dentivel V 3.03"));
        QCOMPARE(main->size(), QSize(570, 370));
        QCOMPARE(main->minimumSize(), main->maximumSize());
        QVERIFY(main->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(main->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(main->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(main->findChild<QGroupBox*>(QStringLiteral("Frame1"))->geometry(),
                 QRect(8, 104, 225, 257));
        QCOMPARE(main->findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(),
                 QStringLiteral("Vitesse en montagne"));
    }

    void endButtonsEndAtOnce_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("ou on se barre ?") << QString(WindowName::frmSplash2);
        QTest::newRow("Quitter") << QString(WindowName::Formfen);
    }

    void endButtonsEndAtOnce()
    {
        QFETCH(QString, window);
        test::TestProgram program;
        QPointer<QWidget> shown = program.windows.show(window);
        click(shown, "Command2");
        QCOMPARE(program.endCount, 1);
        QVERIFY(program.windows.loadedWindows().isEmpty());
        QVERIFY(!shown->isVisible());
        test::settle();
        QVERIFY(!shown);
        QCOMPARE(program.endCount, 1);
    }

    void closingTheWarningEndsTheProgram()
    {
        test::TestProgram program;
        program.windows.show(WindowName::Formfen)->close();
        test::settle();
        QCOMPARE(program.endCount, 1);
        QVERIFY(program.windows.loadedWindows().isEmpty());
    }

    void resizingTheWarningLeavesControlsInPlace()
    {
        test::TestProgram program;
        QWidget* warning = program.windows.show(WindowName::Formfen);
        const QRect before = button(warning, "Command2")->geometry();
        warning->resize(700, 400);
        QCOMPARE(button(warning, "Command2")->geometry(), before);
        QCOMPARE(warning->findChild<QGroupBox*>(QStringLiteral("Frame1"))->geometry(),
                 QRect(8, 8, 257, 89));
    }

    // Every caption that quotes a version quotes the program's own, so a new
    // release cannot leave one window behind; the known ones must be found.
    void captionsQuoteTheVersion_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("quoting");
        const auto none = QStringList{};
        QTest::newRow("frmSplash2") << QString(WindowName::frmSplash2) << QStringList{"lblVersion"};
        QTest::newRow("Formfen") << QString(WindowName::Formfen) << none;
        QTest::newRow("Form1") << QString(WindowName::Form1) << QStringList{"Form1"};
        QTest::newRow("Form2") << QString(WindowName::Form2) << none;
        QTest::newRow("Form3") << QString(WindowName::Form3) << none;
        QTest::newRow("Form4") << QString(WindowName::Form4) << none;
        QTest::newRow("Form5") << QString(WindowName::Form5) << none;
        QTest::newRow("frmAbout") << QString(WindowName::frmAbout) << QStringList{"lblVersion"};
    }

    void captionsQuoteTheVersion()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, quoting);
        test::TestProgram program;
        QWidget* loaded = program.windows.load(window);
        QVERIFY(loaded);
        QList<std::pair<QString, QString>> captions{{loaded->objectName(), loaded->windowTitle()}};
        for (const QLabel* label : loaded->findChildren<QLabel*>())
            captions.append({label->objectName(), label->text()});
        for (const QAbstractButton* b : loaded->findChildren<QAbstractButton*>())
            captions.append({b->objectName(), b->text()});
        for (const QGroupBox* frame : loaded->findChildren<QGroupBox*>())
            captions.append({frame->objectName(), frame->title()});
        static const QRegularExpression quoted(
            QStringLiteral("\\bV(?:ersion)? +(\\d+(?:\\.\\d+)+)"));
        QStringList found;
        for (const auto& [name, text] : captions) {
            for (const QRegularExpressionMatch& match : quoted.globalMatch(text)) {
                QCOMPARE(match.captured(1), QString::fromLatin1(kVersion));
                found << name;
            }
        }
        QCOMPARE(found, quoting);
    }
};

DENTIVEL_TEST_MAIN(TestStartup)
#include "test_startup.moc"
