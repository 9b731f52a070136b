#include "development/development.h"
#include "shell/toolbar.h"
#include "tests/development/development_window.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QXmlStreamReader>

using namespace dentivel;
using test::DevelopmentWindow;
using test::kEnglish;
using test::kFrench;

namespace {

const QString kHelpPrompt = QStringLiteral(
    " Sélectionnez un plateau et un pignon ou entrez le au clavier, ainsi qu'un nombre de tour(s) "
    "du manivelle puis cliquez sur Calculer. Vous obtiendrez la distance parcourue lors de ce(s) "
    "tour(s) de manivelle (Plateau / pignon * [nombre de tour(s) de manivelle] * 2.10)");

QToolButton* button(const DevelopmentWindow& form, const QString& key)
{
    return toolbarButton(*form.child<QToolBar>(QStringLiteral("Toolbar1")), key);
}

// One line of text as pdftotext finds it on the page, in points.
struct PrintedLine {
    qreal left = 0;
    qreal top = 0;
    qreal height = 0;
    QString text; // words joined by single blanks
};

// The lines of every page of the file, and the number of pages.
struct PrintedDocument {
    int pages = 0;
    QList<PrintedLine> lines;
};

PrintedDocument readBack(const QString& pdf)
{
    PrintedDocument document;
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return document;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto at = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble();
        };
        if (xml.name() == QLatin1String("page")) {
            ++document.pages;
        } else if (xml.name() == QLatin1String("line")) {
            document.lines.append({at("xMin"), at("yMin"), at("yMax") - at("yMin"), {}});
        } else if (xml.name() == QLatin1String("word") && !document.lines.isEmpty()) {
            QString& text = document.lines.last().text;
            text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + xml.readElementText();
        }
    }
    return document;
}

enum class Before { Opening, Calculated, IntoCombo3, Spun };

} // namespace

Q_DECLARE_METATYPE(Before)

class TestDevelopmentToolbar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void buttons()
    {
        DevelopmentWindow form;
        const QList<QToolButton*> buttons =
            toolbarButtons(*form.child<QToolBar>(QStringLiteral("Toolbar1")));
        QStringList tips;
        for (QToolButton* b : buttons) {
            tips << b->toolTip();
            QCOMPARE(b->text(), QString());
            QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
            QVERIFY(!b->icon().isNull());
            QCOMPARE(b->icon().actualSize(QSize(64, 64)), QSize(16, 16));
            QCOMPARE(b->accessibleName(), b->toolTip());
            QVERIFY(b->geometry().bottom() < 28);
        }
        QCOMPARE(tips, QStringList({"Aide", "Imprimer", "Fermer"}));
    }

    void dispatchesOnTheExactKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("helps");
        QTest::addColumn<bool>("prints");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Aide") << "Aide" << true << false << false;
        QTest::newRow("Imprimer") << "Imprimer" << false << true << false;
        QTest::newRow("Supprimer") << "Supprimer" << false << false << true;
        for (const char* other : {"aide", "AIDE", " Aide", "Imprimer ", "Fermer", "Delete", ""})
            QTest::addRow("other key '%s'", other) << other << false << false << false;
    }

    void dispatchesOnTheExactKey()
    {
        QFETCH(QString, key);
        QFETCH(bool, helps);
        QFETCH(bool, prints);
        QFETCH(bool, closes);
        DevelopmentWindow form;
        form.program.windows.show(WindowName::Formfen); // keeps the program alive
        form.calculate(QStringLiteral("53"), QStringLiteral("11"), QStringLiteral("10"));
        const QStringList shown = form.results();
        // The three buttons are clicked; other keys go straight to the handler.
        if (QToolButton* b = button(form, key))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            form.window->runToolbarKey(key);
        test::settle();
        QCOMPARE(form.program.messages.shown.size(), std::size_t(helps));
        if (helps) {
            const test::ShownMessage& shown = form.program.messages.shown.front();
            QCOMPARE(shown.title, QStringLiteral("Aide"));
            QCOMPARE(shown.prompt, kHelpPrompt);
            QCOMPARE(shown.icon, MessageIcon::Information);
            QCOMPARE(shown.buttons, MessageButtons::Ok);
        }
        QCOMPARE(QFile::exists(form.program.printer.pdfFile()), prints);
        QCOMPARE(form.program.windows.instance(WindowName::Form3) == nullptr, closes);
        if (!closes)
            QCOMPARE(form.results(), shown);
    }

    void closeThenReopen()
    {
        DevelopmentWindow form;
        form.program.windows.show(WindowName::Formfen);
        form.calculate(QStringLiteral("53"), QStringLiteral("11"), QStringLiteral("10"));
        QTest::mouseClick(form.spin()->findChild<QToolButton*>(QStringLiteral("up")),
                          Qt::LeftButton);
        QTest::mouseClick(button(form, QStringLiteral("Supprimer")), Qt::LeftButton);
        test::settle();
        QVERIFY(!form.program.windows.instance(WindowName::Form3));
        QCOMPARE(form.program.endCount, 0);

        form.reopen();
        QCOMPARE(form.results(), QStringList(4, QString()));
        QCOMPARE(form.combo(QStringLiteral("Combo1"))->currentText(), QString());
        QCOMPARE(form.combo(QStringLiteral("Combo2"))->currentText(), QString());
        QCOMPARE(form.revolutions()->text(), QStringLiteral("1"));
        QCOMPARE(form.spin()->value(), 1);
    }

    void printedReport_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Before>("before");
        QTest::addColumn<QString>("line3");
        QTest::addColumn<QString>("line5");
        const QString with = QStringLiteral("        Avec le plateau %1 et le pignon %2, votre "
                                            "distance parcourue par un tour de pédalier est : %3.");
        const QString total = QStringLiteral(
            "        Le nombre de tours de pédalier étant %1, la distance totale est : %2");
        QTest::newRow("en after a calculation")
            << kEnglish << Before::Calculated << with.arg("53", "11", "10.12 m")
            << total.arg("10", "101.2 m");
        QTest::newRow("fr after a calculation")
            << kFrench << Before::Calculated << with.arg("53", "11", "10,12 m")
            << total.arg("10", "101,2 m");
        QTest::newRow("right after opening")
            << kEnglish << Before::Opening << with.arg("", "", "") << total.arg("1", "");
        QTest::newRow("fr after moving into Combo3")
            << kFrench << Before::IntoCombo3 << with.arg("53", "11", "10,12 m")
            << total.arg("10", "");
        QTest::newRow("en after the spin control")
            << kEnglish << Before::Spun << with.arg("53", "11", "10.12 m")
            << total.arg("2", "101.2 m");
    }

    void printedReport()
    {
        QFETCH(QLocale, locale);
        QFETCH(Before, before);
        QFETCH(QString, line3);
        QFETCH(QString, line5);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (Debian package poppler-utils) is needed to read the report back");
        DevelopmentWindow form(locale);
        // A line printed at the margin, then a second one, to measure against.
        const QString pdf = form.program.printer.pdfFile();
        QVERIFY(form.program.printer.printText(QStringLiteral("Avec\r\nLe"), 12));
        const PrintedDocument reference = readBack(pdf);
        QCOMPARE(reference.lines.size(), 2);
        QVERIFY(QFile::remove(pdf));

        if (before != Before::Opening)
            form.calculate(QStringLiteral("53"), QStringLiteral("11"), QStringLiteral("10"));
        if (before == Before::IntoCombo3) {
            QVERIFY(QTest::qWaitForWindowActive(form.window));
            QTest::mouseClick(form.revolutions(), Qt::LeftButton);
        }
        if (before == Before::Spun)
            QTest::mouseClick(form.spin()->findChild<QToolButton*>(QStringLiteral("up")),
                              Qt::LeftButton);
        QTest::mouseClick(button(form, QStringLiteral("Imprimer")), Qt::LeftButton);

        const PrintedDocument report = readBack(pdf);
        QCOMPARE(report.pages, 1);
        const PrintedLine& margin = reference.lines[0];
        const qreal pitch = reference.lines[1].top - margin.top;
        QVERIFY2(pitch > 12 && pitch < 17, qPrintable(QString::number(pitch)));

        // A sentence wider than the paper goes on at the margin just below;
        // put such rows back together. Each sentence keeps its first row.
        QList<PrintedLine> sentences;
        qreal lastTop = 0;
        for (const PrintedLine& row : report.lines) {
            QVERIFY(qAbs(row.height - margin.height) < 0.5); // the reference's size
            const bool continues = !sentences.isEmpty() && qAbs(row.left - margin.left) < 0.5 &&
                                   qAbs(row.top - lastTop - pitch) < 0.5;
            if (continues)
                sentences.last().text += QLatin1Char(' ') + row.text;
            else
                sentences.append(row);
            // Two empty lines lead in, one stands between the sentences.
            if (!continues)
                QVERIFY(qAbs(row.top - (sentences.size() == 1 ? margin.top : lastTop) - 2 * pitch) <
                        0.5);
            lastTop = row.top;
        }
        QCOMPARE(sentences.size(), 2);
        QCOMPARE(sentences[0].text, line3.simplified());
        QCOMPARE(sentences[1].text, line5.simplified());
        for (const PrintedLine& sentence : sentences) {
            // Eight leading blanks indent both sentences alike.
            const qreal indent = sentence.left - margin.left;
            QVERIFY2(indent > 16 && indent < 40, qPrintable(QString::number(indent)));
            QVERIFY(qAbs(sentence.left - sentences[0].left) < 0.5);
        }
        QVERIFY(form.program.messages.shown.empty());
    }

    void noUsablePrinter()
    {
        DevelopmentWindow form;
        form.calculate(QStringLiteral("53"), QStringLiteral("11"), QStringLiteral("10"));
        const QStringList shown = form.results();
        // With its directory gone the printer cannot start a job.
        QVERIFY(form.program.printDirectory.remove());
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QTest::mouseClick(button(form, QStringLiteral("Imprimer")), Qt::LeftButton);
        test::settle();
        QVERIFY(!QFile::exists(form.program.printer.pdfFile()));
        QVERIFY(form.program.messages.shown.empty());
        QCOMPARE(form.results(), shown);
        QVERIFY(form.window->isVisible());
        QCOMPARE(form.program.endCount, 0);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!form.program.printer.printText(QStringLiteral("x"), 12));
    }
};

DENTIVEL_TEST_MAIN(TestDevelopmentToolbar)
#include "test_development_toolbar.moc"
