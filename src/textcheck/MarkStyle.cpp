#include "textcheck/MarkStyle.h"

#include <QColor>

namespace sorban::textcheck {

QTextCharFormat markFormat(MarkKind kind)
{
    QTextCharFormat f;
    switch (kind) {
    case MarkKind::NotEducation:
        f.setBackground(QColor(0xE4, 0xD8, 0xF4));
        f.setUnderlineStyle(QTextCharFormat::DashUnderline);
        f.setUnderlineColor(QColor(0x6A, 0x3D, 0x9A));
        break;
    case MarkKind::NewKanji:
        f.setBackground(QColor(0xFF, 0xC8, 0xC8));
        f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        f.setUnderlineColor(QColor(0xC0, 0x00, 0x00));
        break;
    case MarkKind::NewReading:
        f.setBackground(QColor(0xFF, 0xE8, 0x9C));
        f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        f.setUnderlineColor(QColor(0xB0, 0x60, 0x00));
        break;
    case MarkKind::Unknown:
        f.setBackground(QColor(0xCC, 0xE4, 0xFF));
        f.setUnderlineStyle(QTextCharFormat::DotLine);
        f.setUnderlineColor(QColor(0x00, 0x50, 0xA0));
        break;
    }
    return f;
}

QString legendText(MarkKind kind)
{
    switch (kind) {
    case MarkKind::NotEducation:
        return QStringLiteral("教育漢字外（破線）");
    case MarkKind::NewKanji:
        return QStringLiteral("未習漢字（実線）");
    case MarkKind::NewReading:
        return QStringLiteral("未習読み（波線）");
    case MarkKind::Unknown:
        break;
    }
    return QStringLiteral("読み不明（点線）");
}

} // namespace sorban::textcheck
