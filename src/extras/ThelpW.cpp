#include "extras/ThelpW.h"

#include "platform/widgets/FormStyle.h"
#include "version/Version.h"

#include <QLabel>
#include <QPushButton>

namespace sorban::extras {

using namespace platform::colors;
using platform::makeLabel;
using platform::pixelFont;
using platform::faces::PGothic;

ThelpW::ThelpW(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("helpW"));
    setWindowTitle(QStringLiteral("漢字の初出を知る"));
    setAttribute(Qt::WA_DeleteOnClose);
    platform::placeControl(this, QRect(689, 418, 226, 69), pixelFont(PGothic, 12), Black, BtnFace);
    Button1 = new QPushButton(QStringLiteral("閉"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    platform::placeControl(Button1, {172, 36, 30, 22}, pixelFont(PGothic, 13, true));
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    makeLabel(this, "Label1", QStringLiteral("●教育漢字教科書別出現表"), {10, 11, 200, 18}, pixelFont(PGothic, 16, true), Blue);
    makeLabel(this, "Label2", QStringLiteral("『Sorban』"), {25, 36, 90, 24}, pixelFont(PGothic, 21, true), Red);
    makeLabel(this, "Label3", u'v' + QString::fromLatin1(Version), {115, 40, 50, 18}, pixelFont(PGothic, 16, true), Black);
    Button1->setFocus();
}

} // namespace sorban::extras
