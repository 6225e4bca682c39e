#include "QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace sorban::platform {

void QtDialogs::messageBox(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace sorban::platform
