// The yardstick for the editor's start-up time and memory: the least a
// Qt Widgets program does to show an empty window of the editor's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(955, 590);
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.show();
    return app.exec();
}
