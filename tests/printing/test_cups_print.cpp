// Prints through the real print system: a private CUPS server whose default
// queue is a cups-pdf virtual printer. Needs root, cups and
// printer-driver-cups-pdf; skipped, and saying why, anywhere else.
#include "tests/support/test_support.h"

#include "all_windows.h"
#include "shell/toolbar.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <unistd.h>

using namespace dentivel;

namespace {

const QString kQueue = QStringLiteral("DentivelTest");
const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
// cups-pdf writes into the PDF folder of the job's owner, here root.
const QString kOutDir = QStringLiteral("/root/PDF");

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
    }
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

// The PDFs cups-pdf has finished writing, oldest first.
QStringList writtenPdfs(const QString& directory)
{
    QStringList files;
    const auto entries = QDir(directory).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files,
                                                       QDir::Time | QDir::Reversed);
    for (const QFileInfo& entry : entries)
        files << entry.filePath();
    return files;
}

} // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("SKIPPED: printing through CUPS needs root to start a print server");
        for (const QString& needed :
             {kCupsd, kBackend, kPpd, QStringLiteral("/usr/sbin/lpadmin"),
              QStringLiteral("/usr/bin/pdfinfo"), QStringLiteral("/usr/bin/pdftoppm")})
            if (!QFile::exists(needed))
                QSKIP(qPrintable(QStringLiteral("SKIPPED: %1 is missing (packages cups, "
                                                "printer-driver-cups-pdf, poppler-utils)")
                                     .arg(needed)));
        QVERIFY(m_root.isValid());
        startServer();
    }

    void cleanupTestCase()
    {
        stopServer();
        for (const QString& pdf : newPdfs())
            QFile::remove(pdf);
    }

    void printsReportAndTable()
    {
        Program program;
        QWidget* form3 = program.windows.show(QStringLiteral("Form3"));
        clickPrint(form3);
        const QString report = waitForPdfs(1);
        QVERIFY2(!report.isEmpty(), qPrintable(serverLog()));

        QWidget* form1 = program.windows.show(QStringLiteral("Form1"));
        clickPrint(form1);
        const QStringList both = waitForPdfs(2).isEmpty() ? QStringList() : newPdfs();
        QVERIFY2(both.size() == 2, qPrintable(serverLog()));
        QVERIFY(program.messages.shown.empty());

        QCOMPARE(pageCount(both[0]), 1);
        QCOMPARE(pageCount(both[1]), 1);
        // The table is printed as the window's picture: its page is far from blank.
        QVERIFY2(inkShare(both[1]) > inkShare(both[0]),
                 qPrintable(QStringLiteral("table %1, report %2")
                                .arg(inkShare(both[1]))
                                .arg(inkShare(both[0]))));
        QVERIFY(inkShare(both[1]) > 0.02);
        QVERIFY(inkShare(both[0]) > 0.0);
    }

    // With the server gone the same buttons print nothing and say nothing.
    void serverStoppedPrintsNothing()
    {
        stopServer();
        const int before = newPdfs().size();
        Program program;
        clickPrint(program.windows.show(QStringLiteral("Form3")));
        clickPrint(program.windows.show(QStringLiteral("Form1")));
        QVERIFY(program.messages.shown.empty());
        QTest::qWait(1000);
        QCOMPARE(newPdfs().size(), before);
    }

private:
    // The whole program, composed as main.cpp composes it, printing to the
    // system's default printer rather than to the file TestProgram uses.
    struct Program {
        Program() : windows([this] { ++ends; }), services{windows, messages, QLocale::c()}
        {
            registerAllWindows(services, printer, calculator);
        }
        test::ScriptedMessageService messages;
        QtPrinter printer;
        QtProgramLauncher launcher;
        CalculatorSetup calculator{&launcher, {QStringLiteral("/nonexistent/dentivel/calc")}};
        int ends = 0;
        WindowRegistry windows;
        AppServices services;
    };

    // The PDFs written since the server started, oldest first.
    QStringList newPdfs() const
    {
        QStringList files = writtenPdfs(kOutDir);
        files.removeIf([this](const QString& file) { return m_before.contains(file); });
        return files;
    }

    static void clickPrint(QWidget* window)
    {
        auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QVERIFY(toolbar);
        QToolButton* button = toolbarButton(*toolbar, QStringLiteral("Imprimer"));
        QVERIFY(button);
        button->click();
    }

    void startServer()
    {
        const QString root = m_root.path();
        for (const char* sub : {"etc/ppd", "spool/tmp", "cache", "state", "log"})
            QVERIFY(QDir().mkpath(root + QLatin1Char('/') + QLatin1String(sub)));
        // The filters run as lp and must reach the spool; the files the
        // root server reads stay writable by root alone.
        QVERIFY(run(QStringLiteral("chmod"),
                    {QStringLiteral("0755"), root, root + QLatin1String("/etc"),
                     root + QLatin1String("/etc/ppd")})
                    .isEmpty());
        for (const char* sub : {"spool", "spool/tmp", "cache", "state", "log"}) {
            const QString folder = root + QLatin1Char('/') + QLatin1String(sub);
            QVERIFY(run(QStringLiteral("chgrp"), {QStringLiteral("lp"), folder}).isEmpty());
            QVERIFY(run(QStringLiteral("chmod"), {QStringLiteral("0770"), folder}).isEmpty());
        }
        m_socket = root + QStringLiteral("/cups.sock");
        QVERIFY(writeFile(root + QStringLiteral("/cupsd.conf"),
                          QStringLiteral("Listen %1\nLogLevel info\nBrowsing Off\n"
                                         "DefaultAuthType None\n"
                                         "<Location />\n  Order allow,deny\n  Allow all\n"
                                         "</Location>\n")
                              .arg(m_socket)
                              .toLocal8Bit()));
        QVERIFY(writeFile(
            root + QStringLiteral("/cups-files.conf"),
            QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                           "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                           "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                           "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
                .arg(root)
                .toLocal8Bit()));
        m_before = writtenPdfs(kOutDir);

        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.start(kCupsd, {QStringLiteral("-f"), QStringLiteral("-c"),
                                root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                                root + QStringLiteral("/cups-files.conf")});
        QVERIFY2(m_server.waitForStarted(5000), "cupsd did not start");
        const QDeadlineTimer deadline(15000);
        while (!QFile::exists(m_socket) && !deadline.hasExpired() &&
               m_server.state() == QProcess::Running)
            QTest::qWait(100);
        if (!QFile::exists(m_socket))
            QSKIP(qPrintable(QStringLiteral("SKIPPED: cupsd would not start here: ") +
                             QString::fromLocal8Bit(m_server.readAll()) + serverLog()));

        int code = 0;
        const QString added =
            run(QStringLiteral("/usr/sbin/lpadmin"),
                {QStringLiteral("-h"), m_socket, QStringLiteral("-p"), kQueue, QStringLiteral("-E"),
                 QStringLiteral("-v"), QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), kPpd},
                &code);
        QVERIFY2(code == 0, qPrintable(added + serverLog()));
        run(QStringLiteral("/usr/sbin/lpadmin"),
            {QStringLiteral("-h"), m_socket, QStringLiteral("-d"), kQueue}, &code);
        QCOMPARE(code, 0);
        // The program finds its printer the way any CUPS client does.
        qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
        QCOMPARE(QPrinterInfo::defaultPrinterName(), kQueue);
    }

    void stopServer()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(10000)) {
                m_server.kill();
                m_server.waitForFinished(5000);
            }
        }
    }

    // The newest of `count` finished PDFs, or empty when they do not come in time.
    QString waitForPdfs(int count)
    {
        const QDeadlineTimer deadline(90000);
        qint64 lastSize = -1;
        while (!deadline.hasExpired()) {
            const QStringList files = newPdfs();
            if (files.size() >= count) {
                // cups-pdf writes in place: done once the size settles.
                const qint64 size = QFileInfo(files.last()).size();
                if (size > 0 && size == lastSize)
                    return files.last();
                lastSize = size;
            }
            QTest::qWait(500);
        }
        return {};
    }

    QString serverLog() const
    {
        QFile log(m_root.filePath(QStringLiteral("log/error_log")));
        return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(3000))
                                             : QString();
    }

    static int pageCount(const QString& pdf)
    {
        static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                              QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    // The share of dark pixels on the first page, drawn at a low resolution.
    double inkShare(const QString& pdf) const
    {
        const QString base = m_root.filePath(QFileInfo(pdf).completeBaseName());
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-gray"),
             QStringLiteral("-singlefile"), pdf, base});
        QImage page(base + QStringLiteral(".pgm"));
        if (page.isNull())
            return -1;
        page = page.convertToFormat(QImage::Format_Grayscale8);
        qint64 dark = 0;
        for (int y = 0; y < page.height(); ++y) {
            const uchar* line = page.constScanLine(y);
            for (int x = 0; x < page.width(); ++x)
                dark += line[x] < 200;
        }
        return double(dark) / (qint64(page.width()) * page.height());
    }

    QTemporaryDir m_root{QStringLiteral("/tmp/dentivel-cups-XXXXXX")};
    QString m_socket;
    QStringList m_before;
    QProcess m_server;
};

DENTIVEL_TEST_MAIN(TestCupsPrint)
#include "test_cups_print.moc"
