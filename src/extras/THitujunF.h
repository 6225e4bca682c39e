#pragma once

#include "Dialogs.h"

#include <QDialog>
#include <QImage>

#include <string>

namespace sorban::extras {

/// The picture area of the stroke-order viewer: a drawing surface made at the area's size on first
/// drawing and kept (never cleared) between pictures, shown stretched to the area.
class PictureArea : public QWidget {
    Q_OBJECT

public:
    explicit PictureArea(QWidget* parent = nullptr);

    /// Draws `picture` at its own size at the surface's top-left corner.
    void drawAtOrigin(const QImage& picture);
    const QImage& surface() const { return m_surface; }

signals:
    void rightPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_surface;
};

/// The stroke-order viewer: a tool window that stays on top and shows the picture named by the
/// program-wide picture path, decoded anew at every paint.
class THitujunF : public QDialog, public platform::ModalWindow {
    Q_OBJECT

public:
    explicit THitujunF(QWidget* parent = nullptr);

    /// Places the viewer beside `mainWindow`: its top 40 below the main window's, its left at the
    /// main window's right edge.
    void FormCreate(const QWidget& mainWindow);
    void HituDsp();
    void FormKeyDown(int key);
    void Image1MouseDown();
    void execModal() override { exec(); }

    /// The picture path (UTF-8) the viewer paints; the main window sets it before opening.
    std::string picturePath;
    PictureArea* Image1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

/// "h", the kanji number, the kanji (Shift-JIS) and ".jpg": the picture's file name, in UTF-8.
std::string pictureFileName(int kanjiNumber, const std::string& kanjiSjis);

} // namespace sorban::extras
