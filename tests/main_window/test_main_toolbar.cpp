#include "main_window/form1.h"
#include "main_window/main_toolbar.h"
#include "shell/toolbar.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

using namespace dentivel;

namespace {

struct MainWindow {
    MainWindow() { window = program.show<Form1>(WindowName::Form1); }

    QToolBar* toolbar() const { return window->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }
    QToolButton* button(const QString& key) const { return toolbarButton(*toolbar(), key); }
    QStringList titles() const
    {
        QStringList list;
        for (const auto& m : program.messages.shown)
            list << m.title;
        return list;
    }

    test::TestProgram program;
    Form1* window = nullptr;
};

// Runs a command line tool of poppler-utils on the printed file.
QByteArray runPoppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

struct CyanRows {
    int bands = 0;  // runs of lines holding cyan
    int pixels = 0; // cyan pixels in all
};

CyanRows cyanRows(const QImage& image)
{
    CyanRows rows;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        int onLine = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            onLine += c.red() < 40 && c.green() > 215 && c.blue() > 215;
        }
        rows.pixels += onLine;
        // A row of the table is wide; a stray antialiased pixel is not.
        const bool band = onLine > 100;
        rows.bands += band && !inBand;
        inBand = band;
    }
    return rows;
}

} // namespace

class TestMainToolbar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void buttonsStandAsDesigned_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::newRow("cal2") << "cal2"
                              << "Equivalence"
                              << "Calculer";
        QTest::newRow("velo") << "velo"
                              << "V. en montagne"
                              << "";
        QTest::newRow("Imprimer") << "Imprimer"
                                  << "Impr. table"
                                  << "Imprimer la table";
        QTest::newRow("Rechercher") << "Rechercher"
                                    << "Table"
                                    << "Voir la table";
        QTest::newRow("Supprimer") << "Supprimer"
                                   << "Quitter"
                                   << "Quitter";
        QTest::newRow("Aide") << "Aide"
                              << "Aide"
                              << "Aide";
        QTest::newRow("about") << "Aide Qu'est ce que c'est"
                               << "A propos de "
                               << "A propos de...";
        QTest::newRow("Dessin") << "Dessin"
                                << "En prime..."
                                << "En Prime (ça sert a rien mais ça fait rien)";
    }

    void buttonsStandAsDesigned()
    {
        QFETCH(QString, key);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        MainWindow main;
        QVERIFY(QTest::qWaitForWindowExposed(main.window));
        QToolButton* button = main.button(key);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tip);
        QVERIFY(!button->icon().isNull());
        QVERIFY(!button->accessibleName().isEmpty());
        // Reachable as it is: inside the toolbar, which sits above both frames.
        QVERIFY(button->isVisible());
        QVERIFY(main.toolbar()->rect().contains(button->geometry()));
        const int toolbarBottom = main.toolbar()->geometry().bottom();
        for (const char* frame : {"Frame1", "Frame2"})
            QVERIFY(main.window->findChild<QGroupBox*>(QLatin1String(frame))->y() > toolbarBottom);
    }

    void toolbarHasNoOverflowMenu()
    {
        MainWindow main;
        QVERIFY(QTest::qWaitForWindowExposed(main.window));
        QCOMPARE(toolbarButtons(*main.toolbar()).size(), 8);
        for (const QToolButton* b : main.toolbar()->findChildren<QToolButton*>()) {
            if (b->objectName() == QStringLiteral("qt_toolbar_ext_button"))
                QVERIFY(!b->isVisible());
        }
        QCOMPARE(main.window->size(), QSize(570, 370));
    }

    void imageListHoldsEightPictures()
    {
        const ImageList images = mainToolbarIcons();
        for (const char16_t* key : {u"cal2", u"vélo", u"Print", u"Find", u"Delete", u"Help",
                                    u"Help What's This", u"Drawing"}) {
            const QImage image = images.image(QString::fromUtf16(key));
            QCOMPARE(image.size(), QSize(16, 16));
        }
        // The two pictures on grey keep their ground; the others are see-through.
        QCOMPARE(images.image(QStringLiteral("cal2")).pixelColor(0, 0), QColor(191, 191, 191));
        QCOMPARE(images.image(QStringLiteral("vélo")).pixelColor(0, 0), QColor(169, 169, 169));
        QCOMPARE(images.image(QStringLiteral("Find")).pixelColor(0, 0).alpha(), 0);
    }

    // What each key does, compared as exact text; near misses do nothing.
    void keysDispatch_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<QStringList>("titles");
        const QStringList mainOnly{QStringLiteral("Form1")};
        QTest::newRow("velo asks at 16") << "velo" << mainOnly << QStringList{"Infos"};
        QTest::newRow("Dessin") << "Dessin" << QStringList{"Form1", "Form3"} << QStringList{};
        QTest::newRow("Rechercher")
            << "Rechercher" << QStringList{"Form1", "Form2"} << QStringList{};
        QTest::newRow("Imprimer") << "Imprimer" << QStringList{"Form1", "Form2"} << QStringList{};
        QTest::newRow("cal2 complains") << "cal2" << mainOnly << QStringList{"oubli"};
        QTest::newRow("about") << "Aide Qu'est ce que c'est" << QStringList{"Form1", "frmAbout"}
                               << QStringList{};
        QTest::newRow("Aide") << "Aide" << mainOnly << QStringList{"Aide"};
        QTest::newRow("Supprimer") << "Supprimer" << QStringList{} << QStringList{};
        for (const char* miss : {"Velo", "velo ", "vélo", "Table", "Quitter", "A propos de ",
                                 "aide", "Aide Qu'est ce que c'est ", ""})
            QTest::addRow("miss '%s'", miss)
                << QString::fromUtf8(miss) << mainOnly << QStringList{};
    }

    void keysDispatch()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, windows);
        QFETCH(QStringList, titles);
        MainWindow main;
        main.window->findChild<QComboBox*>(QStringLiteral("Combo4"))
            ->setEditText(QStringLiteral("16"));
        main.window->findChild<QComboBox*>(QStringLiteral("Combo5"))
            ->setEditText(QStringLiteral("700"));
        if (QToolButton* button = main.button(key))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            main.window->runToolbarKey(key);
        QCOMPARE(main.program.windows.loadedWindows(), windows);
        QCOMPARE(main.titles(), titles);
        if (key == QStringLiteral("Aide")) {
            QVERIFY(main.program.messages.shown.front().prompt.contains(
                QStringLiteral("rapidement.Vous pouvez aussi Imprimer la table")));
            QVERIFY(main.program.messages.shown.front().prompt.endsWith(
                QStringLiteral("grâce aux boutons de la barre d'outils")));
        }
    }

    // One table window, whichever way it is reached; printing loads it hidden.
    void oneTableWindow()
    {
        MainWindow main;
        main.button(QStringLiteral("Imprimer"))->click();
        QWidget* table = main.program.windows.instance(WindowName::Form2);
        QVERIFY(table);
        QVERIFY(!table->isVisible());
        QVERIFY(QFile::exists(main.program.printer.pdfFile()));
        main.button(QStringLiteral("Rechercher"))->click();
        QCOMPARE(main.program.windows.instance(WindowName::Form2), table);
        QVERIFY(table->isVisible());
        main.window->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        QCOMPARE(main.program.windows.instance(WindowName::Form2), table);
    }

    // The page holds the table as the window draws it: its cyan rows, in the
    // same number and about the same area as on screen. Widgets print their
    // texts as outlines, so the picture is compared rather than the text.
    void printedTableHoldsTheTable()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdfinfo and pdftoppm (Debian package poppler-utils) read the print back");
        MainWindow main;
        main.button(QStringLiteral("Imprimer"))->click();
        const QString pdf = main.program.printer.pdfFile();
        const QString info = QString::fromUtf8(runPoppler(QStringLiteral("pdfinfo"), {pdf}));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info));

        QTemporaryDir pages;
        // At 96 dots per inch the page shows the window at its size on screen.
        runPoppler(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), pdf,
                    pages.filePath(QStringLiteral("page"))});
        const QImage page(pages.filePath(QStringLiteral("page-1.png")));
        QVERIFY(!page.isNull());
        QWidget* table = main.program.windows.instance(WindowName::Form2);
        const QImage screen = table->grab().toImage();
        const CyanRows printed = cyanRows(page);
        const CyanRows shown = cyanRows(screen);
        QCOMPARE(shown.bands, 7);
        QCOMPARE(printed.bands, shown.bands);
        QVERIFY2(std::abs(printed.pixels - shown.pixels) < shown.pixels / 10,
                 qPrintable(QStringLiteral("%1 against %2").arg(printed.pixels).arg(shown.pixels)));
    }

    void noPrinterPrintsNothingAndSaysNothing()
    {
        test::TestProgram program;
        QTemporaryDir nowhere;
        // A printer whose file cannot be written cannot start a job.
        QtPrinter broken(nowhere.filePath(QStringLiteral("missing/folder/out.pdf")));
        program.windows.registerWindow(
            WindowName::Form1, [&] { return std::make_unique<Form1>(program.services, broken); });
        auto* main = program.show<Form1>(WindowName::Form1);
        main->runToolbarKey(QStringLiteral("Imprimer"));
        QVERIFY(program.messages.shown.empty());
        QVERIFY(!QFile::exists(broken.pdfFile()));
        QVERIFY(!program.windows.instance(WindowName::Form2)->isVisible());
        QVERIFY(main->isVisible());
    }

    void quitterLeavesOtherWindowsOpen()
    {
        MainWindow main;
        main.button(QStringLiteral("Dessin"))->click();
        main.button(QStringLiteral("Supprimer"))->click();
        test::settle();
        QCOMPARE(main.program.windows.loadedWindows(), QStringList{QStringLiteral("Form3")});
        QCOMPARE(main.program.endCount, 0);
        main.program.windows.instance(WindowName::Form3)->close();
        test::settle();
        QCOMPARE(main.program.endCount, 1);
    }
};

DENTIVEL_TEST_MAIN(TestMainToolbar)
#include "test_main_toolbar.moc"
