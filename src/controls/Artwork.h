#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, shipped as images: the splash picture, the header banner,
// the application icon and the small icons of the lists.
namespace Artwork {
QPixmap splash(); // 341 x 261
QPixmap banner(); // 584 x 79
QIcon appIcon(); // the window and tray icon
QIcon listIcon(int index); // 16 x 16: 1 status rows, 3 consumable and expense rows
// A PNG among the program's or Qt's resources, read as PNG alone: a reader left to detect
// the format loads every image plugin installed to ask it.
QPixmap png(const QString& resourcePath);
} // namespace Artwork
