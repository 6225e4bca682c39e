#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QBoxLayout;
class QPushButton;
class QWidget;

namespace sorban::platform {

class StringGrid;

/// A grid that lists rows under one heading row, as the program's own windows (beyond the first
/// ones) show their lists: the gothic face, one fixed row, the columns `widths` wide.
StringGrid* makeListGrid(QWidget* parent, const QString& objectName, const QString& accessibleName, const std::vector<int>& widths);

/// Refills such a grid: the headings, then one row per entry; an empty list keeps one blank row.
void fillListGrid(StringGrid& grid, const QStringList& headings, const std::vector<QStringList>& rows);

/// Adds to `row` a label with `text` (its accelerator giving `field` the focus), then `field`.
void addLabelled(QBoxLayout& row, const QString& text, QWidget* field);

/// A push button with its object name, by which tests find it.
QPushButton* namedButton(QWidget* parent, const QString& text, const char* objectName);

} // namespace sorban::platform
