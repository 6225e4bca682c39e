// The yardstick of the start-up benchmark: an empty Qt 6 window, built and started like Sorban.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty Qt window"));
    window.resize(854, 569);
    window.show();
    return app.exec();
}
