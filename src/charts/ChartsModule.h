#pragma once

#include "domain/Logbook.h"

class QString;
class QWidget;

// The logbook's charts are a module of their own, wheelbook-charts beside the program,
// which the logbook window loads when it is first opened: Qt Charts is a large library,
// and a start of the program that shows no chart does not load it. The module offers two
// functions, found by these names; the window includes this header, and never links the
// module.
namespace ChartsModule {

constexpr const char* FileName = "wheelbook-charts";

// The charts page (objectName "pgCharts"), made in `parent`, with nothing drawn yet.
constexpr const char* CreateFunction = "wheelbookCreateCharts";
using Create = QWidget* (*)(QWidget* parent);

// Draws the logs into a page that Create made.
constexpr const char* FillFunction = "wheelbookFillCharts";
using Fill = void (*)(QWidget* page, const Logbook::Logs& logs, const QString& unit, const QString& currency);

} // namespace ChartsModule
