#include "main_window/form1.h"
#include "shell/qt_message_service.h"
#include "tests/support/test_support.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace dentivel;

namespace {

struct SeenBox {
    QString title;
    QString prompt;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Once the box is up, notes what it shows and presses the button with the
// given text, or closes the box when the text is empty.
void answerNextBox(SeenBox& seen, const QString& press)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.prompt = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == press) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
}

} // namespace

class TestMessageBoxes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boxShowsWhatItIsGiven_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("qtIcon");
        QTest::addColumn<QStringList>("buttonTexts");
        QTest::addColumn<int>("answer");
        const QStringList ok{QStringLiteral("OK")};
        const QStringList yesNo{QStringLiteral("Oui"), QStringLiteral("Non")};
        QTest::newRow("information OK")
            << int(MessageIcon::Information) << int(MessageButtons::Ok) << "OK"
            << int(QMessageBox::Information) << ok << int(MessageAnswer::Ok);
        QTest::newRow("exclamation OK")
            << int(MessageIcon::Exclamation) << int(MessageButtons::Ok) << "OK"
            << int(QMessageBox::Warning) << ok << int(MessageAnswer::Ok);
        QTest::newRow("critical closed")
            << int(MessageIcon::Critical) << int(MessageButtons::Ok) << ""
            << int(QMessageBox::Critical) << ok << int(MessageAnswer::Ok);
        QTest::newRow("question Oui")
            << int(MessageIcon::Information) << int(MessageButtons::YesNo) << "Oui"
            << int(QMessageBox::Information) << yesNo << int(MessageAnswer::Yes);
        QTest::newRow("question Non")
            << int(MessageIcon::Information) << int(MessageButtons::YesNo) << "Non"
            << int(QMessageBox::Information) << yesNo << int(MessageAnswer::No);
        QTest::newRow("question escaped")
            << int(MessageIcon::Information) << int(MessageButtons::YesNo) << ""
            << int(QMessageBox::Information) << yesNo << int(MessageAnswer::No);
    }

    void boxShowsWhatItIsGiven()
    {
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(QString, press);
        QFETCH(int, qtIcon);
        QFETCH(QStringList, buttonTexts);
        QFETCH(int, answer);
        QtMessageService service;
        SeenBox seen;
        answerNextBox(seen, press);
        const MessageAnswer got =
            service.showMessage(QStringLiteral("Vous avez oublié ?"), MessageIcon(icon),
                                MessageButtons(buttons), QStringLiteral("oubli ! "));
        QCOMPARE(int(got), answer);
        QCOMPARE(seen.title, QStringLiteral("oubli ! "));
        QCOMPARE(seen.prompt, QStringLiteral("Vous avez oublié ?"));
        QCOMPARE(int(seen.icon), qtIcon);
        QStringList sortedSeen = seen.buttons;
        QStringList sortedExpected = buttonTexts;
        sortedSeen.sort();
        sortedExpected.sort();
        QCOMPARE(sortedSeen, sortedExpected);
    }

    // The equivalence's complaint, through the real box, from a click in the
    // window or Enter on its button; the focus stays with that button.
    void missingInputThroughTheRealBox_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("click") << false;
        QTest::newRow("Enter") << true;
    }

    void missingInputThroughTheRealBox()
    {
        QFETCH(bool, byEnter);
        test::TestProgram program;
        QtMessageService real;
        const AppServices services{program.windows, real, QLocale::c()};
        program.windows.registerWindow(WindowName::Form1, [services, &program] {
            return std::make_unique<Form1>(services, program.printer);
        });
        QWidget* main = program.windows.show(WindowName::Form1);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        auto* calculate = main->findChild<QPushButton*>(QStringLiteral("Command1"));
        SeenBox seen;
        answerNextBox(seen, QStringLiteral("OK"));
        if (byEnter) {
            calculate->setFocus(Qt::TabFocusReason);
            QTest::keyClick(calculate, Qt::Key_Return);
        } else {
            QTest::mouseClick(calculate, Qt::LeftButton);
        }
        QCOMPARE(seen.title, QStringLiteral("oubli"));
        QCOMPARE(seen.prompt, QStringLiteral("Vous avez oublié de saisir une ou plusieurs "
                                             "donnée(s), merci de la(les) saisir maintenant"));
        QCOMPARE(int(seen.icon), int(QMessageBox::Information));
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
        // What gets the focus back once the window is active again.
        QCOMPARE(main->focusWidget(), calculate);
    }
};

DENTIVEL_TEST_MAIN(TestMessageBoxes)
#include "test_message_boxes.moc"
