#pragma once

#include <QDialog>

class QPushButton;

namespace sorban::extras {

/// The about window: the program's name and version. Escape and its button "閉" close it.
class ThelpW : public QDialog {
    Q_OBJECT

public:
    explicit ThelpW(QWidget* parent = nullptr);

private:
    QPushButton* Button1 = nullptr;
};

} // namespace sorban::extras
