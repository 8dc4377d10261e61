#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QWidget>

// The program's face is Verdana; where it is not installed, the closest sans-serif
// that Debian ships stands in.
inline QString uiFontFamily()
{
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* name : {"Verdana", "DejaVu Sans", "Liberation Sans"}) {
            if (families.contains(QLatin1String(name), Qt::CaseInsensitive))
                return QString::fromLatin1(name);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

inline QFont uiFont(qreal pointSize = 8.25, bool bold = false)
{
    QFont font(uiFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// Gives a control the program's face, unless it has it from its window already: a font set
// again is still spread to the control's children and announced to each of them, which
// for the hundred controls of the main window is a measurable part of the start.
inline void useUiFont(QWidget* widget)
{
    const QFont font = uiFont();
    if (widget->font() != font)
        widget->setFont(font);
}
