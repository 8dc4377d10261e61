#pragma once

#include "controls/XPButton.h"

#include <QLabel>
#include <QString>
#include <QTreeWidget>

#include <functional>

class QGroupBox;
class QLineEdit;
class QWidget;

// Small builders for the pages' controls, so every page names, captions and
// fonts its controls the same way.
namespace Widgets {

using Button = XPButton;

Button* button(QWidget* parent, const char* name, const QString& caption, const QString& toolTip = {});
void onClick(Button* button, const std::function<void()>& handler);
QString caption(const Button* button);
void setCaption(Button* button, const QString& caption);

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption = {});
QLabel* label(QWidget* parent, const char* name, const QString& text = {});
QLineEdit* textBox(QWidget* parent, const char* name, const QString& toolTip = {});

// A report-style list with these column captions and the program's small icons.
QTreeWidget* listView(QWidget* parent, const char* name, const QStringList& columns);
// Column widths as fractions of the list's width.
void setColumnFractions(QTreeWidget* list, const QList<double>& fractions);

} // namespace Widgets
