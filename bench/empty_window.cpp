// The yardstick for start-up time and memory: the least a Qt Widgets program
// can do to put one window on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(300, 200);
    window.show();
    return QApplication::exec();
}
