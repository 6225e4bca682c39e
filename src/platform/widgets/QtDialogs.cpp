#include "platform/widgets/QtDialogs.h"

#include "platform/widgets/FontDialog.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace sorban::platform {

void QtDialogs::messageBox(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
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

void QtDialogs::launch(const std::string& program, const std::vector<std::string>& arguments, std::function<void(bool)> finished)
{
    auto* process = new QProcess(qApp);
    QStringList list;
    for (const auto& a : arguments)
        list << QString::fromStdString(a);
    // No pipes: a viewer that outlives the program must not lose its output or die writing it.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, finished](int code, QProcess::ExitStatus status) {
        finished(status == QProcess::NormalExit && code == 0);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, finished](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash or a kill also ends in finished()
        finished(false);
        process->deleteLater();
    });
    process->start(QString::fromStdString(program), list);
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace sorban::platform
