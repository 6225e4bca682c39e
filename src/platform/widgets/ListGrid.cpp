#include "platform/widgets/ListGrid.h"

#include "platform/core/TextCodec.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/StringGrid.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace sorban::platform {

StringGrid* makeListGrid(QWidget* parent, const QString& objectName, const QString& accessibleName, const std::vector<int>& widths)
{
    auto* grid = new StringGrid(parent);
    grid->setObjectName(objectName);
    grid->setAccessibleName(accessibleName);
    grid->setColCount(static_cast<int>(widths.size()));
    grid->setFixedCols(0);
    grid->setFixedRows(1);
    grid->setFont(pixelFont(faces::PGothic, 15));
    grid->setFixedColor(colors::BtnFace);
    grid->setDefaultRowHeight(26);
    for (std::size_t col = 0; col < widths.size(); ++col)
        grid->setColWidth(static_cast<int>(col), widths[col]);
    return grid;
}

void fillListGrid(StringGrid& grid, const QStringList& headings, const std::vector<QStringList>& rows)
{
    grid.beginRefill();
    grid.setRowCount(static_cast<int>(rows.size()) + 1 + (rows.empty() ? 1 : 0));
    for (int c = 0; c < headings.size(); ++c)
        grid.setCell(c, 0, utf8ToSjis(headings[c].toStdString()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            grid.setCell(c, static_cast<int>(r) + 1, utf8ToSjis(rows[r][c].toStdString()));
    grid.endRefill();
}

void addLabelled(QBoxLayout& row, const QString& text, QWidget* field)
{
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    row.addWidget(label);
    row.addWidget(field);
}

QPushButton* namedButton(QWidget* parent, const QString& text, const char* objectName)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
}

} // namespace sorban::platform
