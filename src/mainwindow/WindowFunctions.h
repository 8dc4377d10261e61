#pragma once

#include <QString>

class QWidget;

// Keeps the window above all others (or not) and shows it.
void SetOnTop(QWidget* window, bool on);

// Opens a file or a web address with its default program. Failures are silent.
void ShellOpen(const QString& target, QWidget* owner);
