#pragma once

#include "platform/core/Dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace sorban::platform {

/// The font dialog: a list of the scalable faces, the effects underline and strike-out, and a
/// colour; no size and no style choice. A sample shows the choice.
class FontDialog : public QDialog {
    Q_OBJECT

public:
    explicit FontDialog(const FontChoice& initial, QWidget* parent = nullptr);

    FontChoice choice() const;

private:
    void updateSample();

    QListWidget* m_faces;
    QCheckBox* m_underline;
    QCheckBox* m_strikeOut;
    QComboBox* m_color;
    QLabel* m_sample;
};

} // namespace sorban::platform
