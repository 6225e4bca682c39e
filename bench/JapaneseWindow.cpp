// The yardstick of the start-up benchmark: the least a Japanese window of the program's kind
// shows (a menu, a heading and an edit box with Japanese text, in the windows' font and size),
// built and started like Sorban.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Japanese Qt window"));
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    auto* client = new QWidget(&window);
    client->setFixedSize(854, 569);
    window.setCentralWidget(client);
    auto* heading = new QLabel(QStringLiteral("◇教育漢字教科書別・読み別 出現ページ表◇"), client);
    heading->setGeometry(250, 10, 394, 19);
    auto* box = new QLineEdit(QStringLiteral("愛"), client);
    box->setGeometry(250, 92, 66, 30);
    window.show();
    return app.exec();
}
