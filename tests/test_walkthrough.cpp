#include "shell/toolbar.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using namespace dentivel;

namespace {

// Finds a control of a loaded window by its name, failing loudly.
template <typename W>
W* control(test::TestProgram& program, const QString& window, const char* name)
{
    QWidget* shown = program.windows.instance(window);
    W* found = shown ? shown->findChild<W*>(QLatin1String(name)) : nullptr;
    if (!found)
        qFatal("%s has no %s", qPrintable(window), name);
    return found;
}

void click(test::TestProgram& program, const QString& window, const char* button)
{
    QTest::mouseClick(control<QPushButton>(program, window, button), Qt::LeftButton);
    test::settle();
}

void toolbar(test::TestProgram& program, const QString& window, const QString& key)
{
    QToolButton* button = toolbarButton(*control<QToolBar>(program, window, "Toolbar1"), key);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    test::settle();
}

void type(test::TestProgram& program, const QString& window, const char* combo, const char* text)
{
    control<QComboBox>(program, window, combo)->setEditText(QString::fromUtf8(text));
}

QString label(test::TestProgram& program, const QString& window, const char* name)
{
    return control<QLabel>(program, window, name)->text();
}

} // namespace

// A new rider's first session, from the splash to the end, through the
// program's own buttons only.
class TestWalkthrough : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aWholeSession()
    {
        test::TestProgram program(QLocale(QLocale::French, QLocale::France));
        const QString main = WindowName::Form1;
        program.windows.show(WindowName::frmSplash2);
        click(program, WindowName::frmSplash2, "Command1");
        click(program, WindowName::Formfen, "Command1");
        QCOMPARE(program.windows.loadedWindows(), QStringList{main});

        type(program, main, "Combo1", "53");
        type(program, main, "Combo3", "17");
        type(program, main, "Combo2", "39");
        click(program, main, "Command1");
        QCOMPARE(label(program, main, "Label7"), QStringLiteral("13"));
        QCOMPARE(label(program, main, "Label6"), QStringLiteral("6,30"));

        type(program, main, "Combo5", "700");
        type(program, main, "Combo4", "10");
        toolbar(program, main, QStringLiteral("velo"));
        QCOMPARE(label(program, main, "Label4"), QStringLiteral("7,0 Km/h"));

        click(program, main, "Command8");
        const QString cadence = WindowName::Form4;
        control<QLineEdit>(program, cadence, "Text1")->setText(QStringLiteral("30"));
        type(program, cadence, "Combo1", "52");
        type(program, cadence, "Combo3", "17");
        click(program, cadence, "Command1");
        QCOMPARE(label(program, cadence, "Label6"), QStringLiteral("78 rpm"));
        click(program, cadence, "Command3");
        click(program, WindowName::Form5, "Command1");
        click(program, cadence, "Command2");

        toolbar(program, main, QStringLiteral("Dessin"));
        const QString development = WindowName::Form3;
        type(program, development, "Combo1", "53");
        type(program, development, "Combo2", "11");
        control<QLineEdit>(program, development, "Combo3")->setText(QStringLiteral("10"));
        click(program, development, "Command1");
        QCOMPARE(label(program, development, "aff"), QStringLiteral("101,2 m"));
        toolbar(program, development, QStringLiteral("Imprimer"));
        toolbar(program, development, QStringLiteral("Supprimer"));

        toolbar(program, main, QStringLiteral("Imprimer"));
        click(program, main, "Command2");
        QVERIFY(program.windows.instance(WindowName::Form2)->isVisible());
        // No calculator is installed where this program looks: the notice,
        // then the apology, and the table closes.
        click(program, WindowName::Form2, "Command1");

        toolbar(program, main, QStringLiteral("Aide Qu'est ce que c'est"));
        click(program, WindowName::frmAbout, "cmdOK");
        toolbar(program, main, QStringLiteral("Aide"));

        QCOMPARE(program.windows.loadedWindows(), QStringList{main});
        QCOMPARE(program.endCount, 0);
        QStringList titles;
        for (const auto& box : program.messages.shown)
            titles << box.title;
        QCOMPARE(titles, (QStringList{QStringLiteral("Calculatrice"), QStringLiteral("Désolé"),
                                      QStringLiteral("Aide")}));

        toolbar(program, main, QStringLiteral("Supprimer"));
        QVERIFY(program.windows.loadedWindows().isEmpty());
        QCOMPARE(program.endCount, 1);
    }
};

DENTIVEL_TEST_MAIN(TestWalkthrough)
#include "test_walkthrough.moc"
