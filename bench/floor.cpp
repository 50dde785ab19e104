// The floor of the start-up figures: the least a Qt Widgets program with a main window does.
// A main window with a menu bar and one label, nothing else; it is given the questionnaire
// window's client size so that both hand the window system the same number of pixels.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.menuBar()->addMenu(QStringLiteral("Файл"));
    window.setCentralWidget(new QLabel(QStringLiteral("Floor")));
    window.resize(600, 320);
    window.show();
    return application.exec();
}
