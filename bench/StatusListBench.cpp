// Times filling lstStatus on the Main page with 10,000 rows through the page's own
// code: the fill alone, the fill with the window's next paint, and the page's whole
// AnalyzeConsumables over a data file of 10,000 consumables.
#include "BenchSupport.h"

#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "core/MemoryPolicy.h"
#include "core/Prompter.h"
#include "domain/AppContext.h"
#include "domain/ListRow.h"
#include "mainwindow/MainPage.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Rows as the analysis makes them: every third one due, red and bold.
std::vector<ListRow> statusRows(int count)
{
    std::vector<ListRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "Item %05d", i);
        ListRow row;
        row.text = rowTextOf(name);
        if (i % 3 == 0) {
            row.subItems = {"[" + row.text.substr(1) + "] change needed! ( " + std::to_string(i) + " Km ago.)"};
            row.colour = ColourRed;
            row.bold = true;
        } else {
            row.subItems = {"Ok. Change needed after " + std::to_string(5000 + i) + " Km."};
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    MemoryPolicy::keepFreedMemoryForReuse();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const std::string folder = bench::tempFolder();
    bench::writeDurably(folder + "/cardata.dat", bench::dataFileWith(10000));
    bench::SilentPrompter prompter;
    AppContext context(folder, folder + "/wheelbook", "", prompter);
    InstanceLock lock(QString::fromStdString(folder + "/instance.lock"));
    Forms forms(context, lock);
    {
        // The window without its set-up: only the page and its list are timed.
        frmMain main(context, forms);
        main.show();
        QApplication::processEvents();
        MainPage* page = main.mainPage();
        QTreeWidget* list = page->lstStatus();
        const int runs = 15;

        const std::vector<ListRow> rows = statusRows(10000);
        const double fill = bench::medianMicros(runs, [&] { page->setStatusRows(rows); });
        const double fillAndPaint = bench::medianMicros(runs, [&] {
            page->setStatusRows(rows);
            list->viewport()->repaint();
        });
        std::printf("lstStatus, %d rows: fill %.0f us, fill and paint %.0f us\n", list->topLevelItemCount(), fill,
            fillAndPaint);

        page->txtMiles()->setText(QStringLiteral("25000"));
        const double analysis = bench::medianMicros(runs, [&] { page->AnalyzeConsumables(); });
        std::printf("  AnalyzeConsumables over the file: %.0f us (%d rows)\n", analysis, list->topLevelItemCount());
    }
    std::filesystem::remove_all(folder);
    return 0;
}
