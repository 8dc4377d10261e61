#pragma once

#include <QFont>
#include <QString>

#include <optional>

// The values a window keeps for each of its buttons and hands back when it creates
// the button again. An empty value is one that was not stored: it equalled its
// default when written, and takes its default when read.
struct XPButtonPropertySet {
    std::optional<bool> Enabled;
    std::optional<QFont> Font;
    std::optional<QString> Caption;
    std::optional<quint32> ForeColor;
    std::optional<quint32> ForeHover;
};
