#pragma once

#include "platform/core/Dialogs.h"

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
    /// Empties the surface: nothing of an earlier picture stays.
    void clear();
    /// The size of the surface, or of the area before the surface is made.
    QSize surfaceSize() const { return m_surface.isNull() ? size() : m_surface.size(); }
    const QImage& surface() const { return m_surface; }

signals:
    void rightPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_surface;
};

/// The stroke-order viewer: a tool window that stays on top and shows the picture named by its
/// picture path, drawn at every paint and decoded once for each path it is given.
class THitujunF : public QDialog, public platform::ModalWindow {
    Q_OBJECT

public:
    explicit THitujunF(QWidget* parent = nullptr);

    /// Places the viewer beside `mainWindow`: its top 40 below the main window's, its left at the
    /// main window's right edge.
    void FormCreate(const QWidget& mainWindow);
    /// Draws the picture of `picturePath` on the surface, decoding it first when the path is new;
    /// a picture that cannot be decoded leaves the surface empty.
    void HituDsp();
    void FormKeyDown(int key);
    void Image1MouseDown();
    void execModal() override { exec(); }

    /// The picture path (UTF-8) the viewer paints; the main window sets it before opening.
    void setPicturePath(std::string path) { m_picturePath = std::move(path); }
    /// What a screen reader says for the picture, e.g. "愛の筆順", and, as the viewer opens, with
    /// the kanji's stroke count, e.g. "愛の筆順、13画".
    void setPictureName(const QString& name, const QString& strokes);

private:
    PictureArea* Image1 = nullptr;
    std::string m_picturePath;
    std::string m_decodedPath;
    QImage m_picture; // null when the picture at m_decodedPath could not be decoded

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace sorban::extras
