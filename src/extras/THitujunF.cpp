#include "extras/THitujunF.h"

#include "platform/core/JpegDecoder.h"
#include "platform/widgets/Accessibility.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace sorban::extras {

PictureArea::PictureArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    platform::setAccessibleRole(this, QAccessible::Graphic);
}

void PictureArea::drawAtOrigin(const QImage& picture)
{
    if (m_surface.isNull()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        m_surface.fill(palette().color(QPalette::Window));
    }
    QPainter painter(&m_surface);
    painter.drawImage(QPoint(0, 0), picture); // a larger picture is cut off at the surface's edges
}

void PictureArea::clear()
{
    if (m_surface.isNull())
        m_surface = QImage(size(), QImage::Format_RGB32);
    m_surface.fill(palette().color(QPalette::Window));
}

void PictureArea::paintEvent(QPaintEvent*)
{
    if (m_surface.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_surface);
}

void PictureArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit rightPressed();
}

THitujunF::THitujunF(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("HitujunF"));
    setWindowTitle(QStringLiteral("【筆順】 <Esc/Del or 右Click>で閉じる"));
    setSizeGripEnabled(false);
    resize(253, 256);
    Image1 = new PictureArea(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    layout->activate(); // the area has its size before the first picture is decoded for it
    connect(Image1, &PictureArea::rightPressed, this, &THitujunF::Image1MouseDown);
    Image1->installEventFilter(this);
}

void THitujunF::FormCreate(const QWidget& mainWindow)
{
    const QRect frame = mainWindow.frameGeometry();
    move(frame.left() + frame.width(), frame.top() + 40);
    m_picturePath.clear();
}

void THitujunF::setPictureName(const QString& name, const QString& strokes)
{
    Image1->setAccessibleName(name);
    Image1->setAccessibleDescription(strokes);
    // A reader speaks a window's description with its title when the window opens.
    setAccessibleDescription(name + QStringLiteral("、") + strokes);
}

void THitujunF::HituDsp()
{
    if (m_picturePath != m_decodedPath) {
        m_decodedPath = m_picturePath;
        // Only what the surface can show is decoded; the rest of a larger picture is cut off anyway.
        const QSize room = Image1->surfaceSize();
        const auto picture = platform::decodeJpeg(m_picturePath, room.width(), room.height());
        m_picture = picture
                        ? QImage(picture->rgb.data(), picture->width, picture->height, qsizetype{picture->width} * 3, QImage::Format_RGB888)
                              .convertToFormat(QImage::Format_RGB32)
                        : QImage();
    }
    // A picture that cannot be decoded shows as an empty surface, without a box: nothing of
    // another kanji may stand in for it.
    if (m_picture.isNull())
        Image1->clear();
    else
        Image1->drawAtOrigin(m_picture);
}

void THitujunF::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape || key == Qt::Key_Delete)
        close();
}

void THitujunF::Image1MouseDown()
{
    platform::dialogs().beep();
    close();
}

void THitujunF::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
    if (event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

bool THitujunF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::Paint)
        HituDsp(); // every paint of the viewer draws the picture again
    return QDialog::eventFilter(watched, event);
}

} // namespace sorban::extras
