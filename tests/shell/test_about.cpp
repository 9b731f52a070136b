#include "shell/frmabout.h"
#include "tests/support/test_support.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

QLabel* label(QWidget* window, const char* name)
{
    auto* found = window->findChild<QLabel*>(QLatin1String(name));
    if (!found)
        qFatal("no label %s", name);
    return found;
}

} // namespace

// Stands in for the user's mail program.
class MailCatcher : public QObject {
    Q_OBJECT

public:
    MailCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "open"); }
    ~MailCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class TestAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void windowAsDesigned()
    {
        test::TestProgram program(kFrench);
        QWidget* about = program.windows.show(WindowName::frmAbout);
        QCOMPARE(about->windowTitle(), QStringLiteral("À propos de MonApplication"));
        QCOMPARE(about->size(), QSize(205, 252));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        // Close button only, and no task-bar entry.
        QCOMPARE(about->windowType(), Qt::Tool);
        QVERIFY(about->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(about->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(about->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!qobject_cast<QDialog*>(about)->isModal());

        QCOMPARE(label(about, "lblTitle")->text(), QStringLiteral("Dentivel"));
        QCOMPARE(label(about, "lblVersion")->text(), QStringLiteral("Version 3.03"));
        QCOMPARE(label(about, "lblDescription")->text(),
                 QStringLiteral("Calcul des équivalences de braquets, table des développements"));
        QCOMPARE(label(about, "Label2")->text(), QStringLiteral("Auteur : l'équipe Dentivel"));
        QCOMPARE(label(about, "Label1")->text(),
                 QStringLiteral("<---  Double-cliquez             ici pour m'écrire"));
        QCOMPARE(label(about, "Label1")->textFormat(), Qt::PlainText);

        QCOMPARE(label(about, "lblVersion")->font().pointSizeF(), 9.75);
        QVERIFY(label(about, "lblVersion")->font().italic());
        const QFont author = label(about, "Label2")->font();
        QCOMPARE(author.pointSizeF(), 9.75);
        QVERIFY(author.bold() && author.italic());
        QCOMPARE(label(about, "Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(label(about, "Label2")->alignment() & Qt::AlignHCenter);
        QCOMPARE(label(about, "Label1")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(label(about, "lblTitle")->font().pointSize(), 18);

        // The arrow points at the mail object, on its left on the same row.
        const QLabel* mail = label(about, "OLE1");
        QVERIFY(mail->geometry().right() < label(about, "Label1")->x());
        QCOMPARE(mail->y(), label(about, "Label1")->y());
        QVERIFY(!mail->pixmap().isNull());
        QCOMPARE(label(about, "picIcon")->size(), QSize(32, 32));
        QCOMPARE(label(about, "picIcon")->pixmap().deviceIndependentSize(), QSizeF(32, 32));

        auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(about->focusWidget(), ok);
    }

    void closing_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("how");
        for (const auto& [tag, locale] : {std::pair{"en", kEnglish}, std::pair{"fr", kFrench}}) {
            for (const char* how :
                 {"OK clicked", "Return", "Enter", "Escape", "Return on the mail object",
                  "Escape on the mail object", "title-bar close"})
                QTest::addRow("%s %s", tag, how) << locale << QString::fromLatin1(how);
        }
    }

    // However it is closed, the window goes back to not loaded, alone, and
    // without writing any mail.
    void closing()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, how);
        MailCatcher mail;
        test::TestProgram program(locale);
        program.windows.show(WindowName::Formfen);
        QWidget* about = program.windows.show(WindowName::frmAbout);
        QWidget* target = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        if (how.endsWith(QStringLiteral("on the mail object"))) {
            target = label(about, "OLE1");
            target->setFocus();
        }
        if (how == QStringLiteral("OK clicked"))
            QTest::mouseClick(target, Qt::LeftButton);
        else if (how.startsWith(QStringLiteral("Return")))
            QTest::keyClick(target, Qt::Key_Return);
        else if (how == QStringLiteral("Enter"))
            QTest::keyClick(target, Qt::Key_Enter);
        else if (how.startsWith(QStringLiteral("Escape")))
            QTest::keyClick(target, Qt::Key_Escape);
        else
            about->close();
        test::settle();
        QTRY_VERIFY(!program.windows.instance(WindowName::frmAbout));
        QCOMPARE(program.windows.loadedWindows(), QStringList{QStringLiteral("Formfen")});
        QCOMPARE(program.endCount, 0);
        QVERIFY(mail.opened.isEmpty());
    }

    void mailObject_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("mails");
        for (const auto& [tag, locale] : {std::pair{"en", kEnglish}, std::pair{"fr", kFrench}}) {
            QTest::addRow("%s single click", tag)
                << locale << "OLE1" << false << Qt::LeftButton << 0;
            QTest::addRow("%s double-click", tag)
                << locale << "OLE1" << true << Qt::LeftButton << 1;
            QTest::addRow("%s right double-click", tag)
                << locale << "OLE1" << true << Qt::RightButton << 0;
            QTest::addRow("%s double-click on the caption beside", tag)
                << locale << "Label1" << true << Qt::LeftButton << 0;
            QTest::addRow("%s double-click on the icon", tag)
                << locale << "picIcon" << true << Qt::LeftButton << 0;
        }
    }

    void mailObject()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, control);
        QFETCH(bool, doubleClick);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, mails);
        MailCatcher mail;
        test::TestProgram program(locale);
        QWidget* about = program.windows.show(WindowName::frmAbout);
        QWidget* target = about->findChild<QWidget*>(control);
        if (doubleClick)
            QTest::mouseDClick(target, button);
        else
            QTest::mouseClick(target, button);
        test::settle();
        QCOMPARE(mail.opened.size(), mails);
        for (const QUrl& url : std::as_const(mail.opened)) {
            QCOMPARE(url.scheme(), QStringLiteral("mailto"));
            QCOMPARE(url.path(), QString(kAuthorMailAddress));
            QVERIFY(url.query().isEmpty());
        }
        // Writing a mail leaves the window as it was.
        QVERIFY(program.windows.instance(WindowName::frmAbout));
        QVERIFY(program.messages.shown.empty());
    }

    void openedTwiceIsOneWindow()
    {
        test::TestProgram program(kEnglish);
        QWidget* first = program.windows.show(WindowName::frmAbout);
        QCOMPARE(program.windows.show(WindowName::frmAbout), first);
        QCOMPARE(program.windows.loadedWindows(), QStringList{QStringLiteral("frmAbout")});
        QVERIFY(first->isVisible());
    }
};

DENTIVEL_TEST_MAIN(TestAbout)
#include "test_about.moc"
