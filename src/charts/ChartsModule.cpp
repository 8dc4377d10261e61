#include "charts/ChartsModule.h"

#include "charts/LogbookCharts.h"

#include <QtGlobal>

#include <type_traits>

extern "C" Q_DECL_EXPORT QWidget* wheelbookCreateCharts(QWidget* parent)
{
    return new LogbookCharts(parent);
}

extern "C" Q_DECL_EXPORT void wheelbookFillCharts(
    QWidget* page, const Logbook::Logs& logs, const QString& unit, const QString& currency)
{
    static_cast<LogbookCharts*>(page)->fill(logs, unit, currency);
}

// The names the window looks for are these functions.
static_assert(std::is_same_v<decltype(&wheelbookCreateCharts), ChartsModule::Create>);
static_assert(std::is_same_v<decltype(&wheelbookFillCharts), ChartsModule::Fill>);
