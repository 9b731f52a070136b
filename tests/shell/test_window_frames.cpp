// Each window's title bar, buttons, size rule and first place. Headless it
// checks what the program asks of the window system. As a native client of a
// Wayland compositor (tests/support/under_weston.sh) it also checks what is
// drawn: the frame margins Qt's decorations add, and the window's outline on
// a screenshot of the compositor's black desktop.
#include "shell/appearance.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QWindow>

using namespace dentivel;

namespace {

enum class Place { Centred, Stored, System };

constexpr Qt::WindowFlags kAllButtons =
    Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
constexpr Qt::WindowFlags kCloseMinimise = Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
constexpr Qt::WindowFlags kClose = Qt::WindowCloseButtonHint;

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The smallest rectangle holding every pixel that is not the desktop's black.
QRect outline(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QRect found;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(line[x]) | qGreen(line[x]) | qBlue(line[x])) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            found |= QRect(first, y, last - first + 1, 1);
    }
    return found;
}

// The whole output as the compositor shows it, or a null picture with the
// reason in `why`.
QImage screenshot(QString& why)
{
    QTemporaryDir directory;
    QProcess shooter;
    shooter.setWorkingDirectory(directory.path());
    shooter.setProcessChannelMode(QProcess::MergedChannels);
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0) {
        why = QString::fromLocal8Bit(shooter.readAll());
        return {};
    }
    const QStringList files = QDir(directory.path()).entryList({QStringLiteral("*.png")});
    if (files.isEmpty())
        why = QStringLiteral("weston-screenshooter wrote no picture");
    return files.isEmpty() ? QImage() : QImage(directory.filePath(files.first()));
}

// One row per window, as the design describes it.
void windowRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<Qt::WindowFlags>("buttons");
    QTest::addColumn<Place>("place");
    QTest::addColumn<QPoint>("stored");
    const auto row = [](QLatin1String name, bool titled, bool fixed, Qt::WindowFlags buttons,
                        Place place, QPoint stored = {}) {
        QTest::newRow(name.data())
            << QString(name) << titled << fixed << buttons << place << stored;
    };
    row(WindowName::frmSplash2, false, true, {}, Place::Centred);
    row(WindowName::Formfen, true, false, kAllButtons, Place::Centred);
    row(WindowName::Form1, true, true, kCloseMinimise, Place::Centred);
    row(WindowName::Form2, true, true, kClose, Place::Stored, {131, 180});
    row(WindowName::Form3, true, true, kCloseMinimise, Place::Centred);
    row(WindowName::Form4, true, true, kClose, Place::Stored, {259, 180});
    row(WindowName::Form5, true, false, kAllButtons, Place::System);
    row(WindowName::frmAbout, true, true, kClose, Place::Centred);
}

} // namespace

class TestWindowFrames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void firstPlace_data() { windowRows(); }
    void firstPlace()
    {
        QFETCH(QString, name);
        QFETCH(Place, place);
        QFETCH(QPoint, stored);
        test::TestProgram program;
        QWidget* window = program.windows.load(name);
        QVERIFY(window);
        QCOMPARE(programPlacesWindows(), !onWayland());
        // Where the compositor places the windows the program leaves them be.
        if (!programPlacesWindows() || place == Place::System) {
            QCOMPARE(window->pos(), QPoint());
            return;
        }
        const QRect free = window->screen()->availableGeometry();
        if (place == Place::Stored) {
            QCOMPARE(window->pos(), free.topLeft() + stored);
        } else {
            const QPoint off = window->frameGeometry().center() - free.center();
            QVERIFY2(off.manhattanLength() <= 1,
                     qPrintable(QStringLiteral("%1,%2 off the centre").arg(off.x()).arg(off.y())));
        }
    }

    void asksForItsButtons_data() { windowRows(); }
    void asksForItsButtons()
    {
        QFETCH(QString, name);
        QFETCH(bool, titled);
        QFETCH(Qt::WindowFlags, buttons);
        test::TestProgram program;
        QWidget* window = program.windows.show(name);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(bool(flags & Qt::WindowTitleHint), titled);
        QCOMPARE(flags & kAllButtons, buttons);
        // Only a window without title bar goes without Qt's Wayland frame.
        QCOMPARE(bool(flags & Qt::FramelessWindowHint), !titled && onWayland());
    }

    void sizeRule_data() { windowRows(); }
    void sizeRule()
    {
        QFETCH(QString, name);
        QFETCH(bool, fixed);
        test::TestProgram program;
        QWidget* window = program.windows.show(name);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize designed = window->size();
        QCOMPARE(window->minimumSize() == window->maximumSize(), fixed);
        QCOMPARE(window->windowHandle()->minimumSize() == window->windowHandle()->maximumSize(),
                 fixed);
        // What the maximise button of Qt's Wayland decorations does.
        window->windowHandle()->setWindowStates(Qt::WindowMaximized);
        if (fixed) {
            QTRY_COMPARE(window->windowState(), Qt::WindowNoState);
            QTest::qWait(200);
            QCOMPARE(window->windowState(), Qt::WindowNoState);
            QCOMPARE(window->size(), designed);
        } else {
            QTRY_VERIFY(window->windowState() & Qt::WindowMaximized);
            QTRY_VERIFY(window->width() > designed.width());
        }
    }

    void drawnFrame_data() { windowRows(); }
    void drawnFrame()
    {
        QFETCH(QString, name);
        QFETCH(bool, titled);
        if (!onWayland())
            QSKIP(qPrintable(QStringLiteral("SKIPPED: the %1 platform draws no frames; "
                                            "tests/support/under_weston.sh runs this under weston")
                                 .arg(QGuiApplication::platformName())));
        if (QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter")).isEmpty())
            QSKIP("SKIPPED: weston-screenshooter (package weston) is not installed");
        test::TestProgram program;
        QWidget* window = program.windows.show(name);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QMargins margins = window->windowHandle()->frameMargins();
        if (titled)
            QVERIFY2(margins.top() > 0, "no title bar drawn");
        else
            QCOMPARE(margins, QMargins());

        // The picture settles once the compositor has the window's first frame.
        QImage picture;
        QRect drawn;
        QString why;
        for (int attempt = 0; attempt < 20; ++attempt) {
            QTest::qWait(100);
            picture = screenshot(why);
            if (picture.isNull())
                QSKIP(
                    qPrintable(QStringLiteral("SKIPPED: no screenshot (weston --debug?): ") + why));
            const QRect now = outline(picture);
            if (!now.isEmpty() && now == drawn)
                break;
            drawn = now;
        }
        const QString directory = qEnvironmentVariable("DENTIVEL_SCREENSHOT_DIR");
        if (!directory.isEmpty() && QDir().mkpath(directory))
            picture.copy(drawn).save(QDir(directory).filePath(name + QStringLiteral(".png")));
        QCOMPARE(drawn.size(), window->frameGeometry().size());
        if (!titled)
            QCOMPARE(drawn.size(), window->size());
    }
};

DENTIVEL_TEST_MAIN(TestWindowFrames)
#include "test_window_frames.moc"
