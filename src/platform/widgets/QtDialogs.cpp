#include "QtDialogs.h"

#include "FontDialog.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace sorban::platform {

void QtDialogs::messageBox(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // some themes put a picture on the button
    box.exec();
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial)
{
    FontDialog dialog(initial, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

bool QtDialogs::launch(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const auto& a : arguments)
        list << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace sorban::platform
