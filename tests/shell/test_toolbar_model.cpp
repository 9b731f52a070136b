#include "shell/pictures.h"
#include "shell/toolbar.h"
#include "tests/support/test_support.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

using namespace dentivel;

namespace {

// Buttons in the main window's manner: captions with trailing blanks and
// dots, a missing tip, keys with blanks and an apostrophe, separators.
const std::vector<ToolbarButton> kButtons{
    {"cal2", "Equivalence", "Calculer", "cal2"},
    {"velo", "V. en montagne", "", "vélo"},
    {{}, {}, {}, {}, ButtonStyle::Separator},
    {"Aide Qu'est ce que c'est", "A propos de ", "A propos de...", "Help What's This"},
    {"Dessin", "En prime...", "En Prime (ça sert a rien mais ça fait rien)", "Drawing"},
    {"Supprimer", "", "Fermer", "Delete"},
    {{}, {}, {}, {}, ButtonStyle::Separator},
};

// How many of its pixels are more opaque than not.
int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 127;
    }
    return count;
}

} // namespace

class TestToolbarModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buttonsShowTheirTextsAsGiven_data()
    {
        QTest::addColumn<QString>("key");
        for (const ToolbarButton& b : kButtons) {
            if (b.Style == ButtonStyle::Button)
                QTest::newRow(qPrintable(b.Key)) << b.Key;
        }
    }

    void buttonsShowTheirTextsAsGiven()
    {
        QFETCH(QString, key);
        const ToolbarButton& given =
            *std::find_if(kButtons.begin(), kButtons.end(), [&](auto& b) { return b.Key == key; });
        QWidget window;
        QToolBar toolbar(&window);
        ImageList images;
        QStringList clicked;
        fillToolbar(toolbar, kButtons, images, [&](const QString& k) { clicked << k; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(toolbarButtons(toolbar).size(), 5);
        QToolButton* button = toolbarButton(toolbar, key);
        QVERIFY(button);
        QCOMPARE(button->text(), given.Caption);
        QCOMPARE(button->toolTip(), given.ToolTipText);
        QVERIFY(!button->accessibleName().isEmpty());
        QCOMPARE(button->toolButtonStyle(),
                 given.Caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);

        QToolTip::hideText();
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(button, &hover);
        QCOMPARE(QToolTip::isVisible(), !given.ToolTipText.isEmpty());
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), given.ToolTipText);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked, QStringList{key});
    }

    void separatorsStandWhereStored()
    {
        QToolBar toolbar;
        fillToolbar(toolbar, kButtons, ImageList(), [](const QString&) {});
        QStringList kinds;
        for (QAction* action : toolbar.actions())
            kinds << (action->isSeparator() ? QStringLiteral("|") : QStringLiteral("B"));
        QCOMPARE(kinds.join(QString()), QStringLiteral("BB|BBB|"));
    }

    void imagesAreSixteenSquareWithSilverTransparent_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("ground");
        QTest::addColumn<int>("groundAlpha");
        const QColor silver(192, 192, 192);
        QTest::newRow("drawing on silver") << "svg" << QSize(16, 16) << silver << 0;
        QTest::newRow("drawing on nothing")
            << "svg" << QSize(16, 16) << QColor(Qt::transparent) << 0;
        QTest::newRow("larger drawing on silver") << "svg" << QSize(48, 48) << silver << 0;
        QTest::newRow("picture on silver") << "png" << QSize(16, 16) << silver << 0;
        QTest::newRow("large picture on light grey")
            << "png" << QSize(80, 68) << QColor(191, 191, 191) << 255;
        QTest::newRow("wide picture on grey")
            << "png" << QSize(242, 151) << QColor(169, 169, 169) << 255;
    }

    void imagesAreSixteenSquareWithSilverTransparent()
    {
        QFETCH(QString, format);
        QFETCH(QSize, size);
        QFETCH(QColor, ground);
        QFETCH(int, groundAlpha);
        if (format == QLatin1String("svg") && !drawsSvg())
            QSKIP("This build draws its pictures from PNG, without Qt's SVG module");
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("picture.") + format);
        // A red square in the middle half of the picture.
        if (format == QLatin1String("svg")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2'>"
                               "<rect width='%1' height='%2' fill='%3' fill-opacity='%4'/>"
                               "<rect x='%5' y='%6' width='%7' height='%8' fill='#ff0000'/></svg>")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(ground.name())
                    .arg(ground.alphaF())
                    .arg(size.width() / 4.0)
                    .arg(size.height() / 4.0)
                    .arg(size.width() / 2.0)
                    .arg(size.height() / 2.0)
                    .toUtf8());
        } else {
            QImage picture(size, QImage::Format_ARGB32);
            picture.fill(ground);
            QPainter(&picture).fillRect(
                QRect(QPoint(size.width() / 4, size.height() / 4), size / 2), Qt::red);
            QVERIFY(picture.save(path));
        }
        ImageList images;
        QVERIFY(images.add(QStringLiteral("key"), path));
        const QImage image = images.image(QStringLiteral("key"));
        QCOMPARE(image.size(), QSize(16, 16));
        QCOMPARE(qAlpha(image.pixel(0, 0)), groundAlpha);
        QCOMPARE(qAlpha(image.pixel(15, 15)), groundAlpha);
        QCOMPARE(image.pixelColor(8, 8), QColor(Qt::red));
    }

    // The program's pictures at the size their window asks for, on a screen
    // of twice the density: drawn for it, whether from SVG or from the
    // rendition made for it, neither the 1x picture enlarged nor a 1x drawing
    // in a corner.
    void picturesFollowThePixelRatio_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("toolbar") << QStringLiteral(":/pictures/toolbar_help.svg")
                                 << kToolbarPictureSize;
        QTest::newRow("about") << QStringLiteral(":/pictures/about_globe.svg") << kAboutPictureSize;
        QTest::newRow("logo") << QStringLiteral(":/pictures/logo.svg") << kLogoPictureSize;
    }

    void picturesFollowThePixelRatio()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QImage single = picture(path, size, 1);
        const QImage dense = picture(path, size, 2);
        QCOMPARE(dense.size(), size * 2);
        QCOMPARE(dense.devicePixelRatio(), 2.0);
        QVERIFY(dense != single.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        const int covered =
            opaquePixels(dense.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QVERIFY2(qAbs(covered - opaquePixels(single)) <= opaquePixels(single) / 10,
                 qPrintable(QString::number(covered)));
    }

    void unreadablePictureIsNotAdded()
    {
        ImageList images;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("none.svg")));
        QVERIFY(!images.add(QStringLiteral("Help"), QStringLiteral(":/pictures/none.svg")));
        QVERIFY(!images.contains(QStringLiteral("Help")));
        QVERIFY(images.icon(QStringLiteral("Help")).isNull());
    }
};

DENTIVEL_TEST_MAIN(TestToolbarModel)
#include "test_toolbar_model.moc"
