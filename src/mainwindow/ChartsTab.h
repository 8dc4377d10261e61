#pragma once

#include "charts/ChartsModule.h"

#include <QStringList>

class QWidget;

// The logbook's Charts tab: the charts module's page, loaded from beside the program (see
// charts/ChartsModule.h). A program without the module, or without the Qt Charts library
// it needs, shows on the tab why there are no charts, and goes on without them.
class ChartsTab {
public:
    // The module is the first of `modules` (paths without the file's suffix) that loads.
    explicit ChartsTab(QWidget* parent, const QStringList& modules = modulePaths());

    // Beside the program; for a program inside its build (the tests and tools run from
    // folders of their own), also where the build puts the program.
    static QStringList modulePaths();

    QWidget* page() const { return m_page; }
    void fill(const Logbook::Logs& logs, const QString& unit, const QString& currency) const;

private:
    QWidget* m_page = nullptr;
    ChartsModule::Fill m_fill = nullptr;
};
