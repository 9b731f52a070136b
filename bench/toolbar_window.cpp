// The yardstick for the time a window takes to come after a press under
// Wine: the shape of Dentivel's main window in Qt alone, a window whose
// default button shows another with a toolbar of 13 pictures with captions.
// Timed beside the program by bench/wine_windows.sh.
#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QToolBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget first;
    first.setWindowTitle(QStringLiteral("Yardstick"));
    auto* button = new QPushButton(QStringLiteral("Show"), &first);
    button->setDefault(true);
    button->setFocus();
    QObject::connect(button, &QPushButton::clicked, [&first] {
        auto* second = new QMainWindow;
        second->setAttribute(Qt::WA_DeleteOnClose);
        second->setWindowTitle(QStringLiteral("Toolbar"));
        QToolBar* toolbar = second->addToolBar(QString());
        toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        for (int i = 0; i < 13; ++i) {
            QPixmap picture(16, 16);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setBrush(QColor::fromHsv(i * 27, 200, 200));
            painter.drawEllipse(1, 1, 14, 14);
            painter.end();
            toolbar->addAction(QIcon(picture), QStringLiteral("Bouton %1").arg(i + 1));
        }
        second->resize(600, 400);
        second->show();
        first.close();
    });
    first.resize(200, 100);
    first.show();
    return QApplication::exec();
}
