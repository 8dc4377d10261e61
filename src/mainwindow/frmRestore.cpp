#include "mainwindow/frmRestore.h"

#include "controls/UiFont.h"
#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/ProfileStore.h"
#include "datafile/mINIFunctions.h"
#include "domain/AppContext.h"
#include "mainwindow/frmMain.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What a back-up holds: the number of consumables and of expense categories, as the
// main window would list them; nothing when it cannot be read or is no data file.
struct Contents {
    std::size_t consumables = 0;
    std::size_t categories = 0;
};

// A key or section list as the profile module splits it: every name, the list never cut.
std::vector<std::string> names(std::size_t count, const std::string& list)
{
    return count == 0 ? std::vector<std::string>() : splitKeyList(list.substr(0, count - 1));
}

std::optional<Contents> contentsOf(const std::string& path)
{
    // A store of its own: the back-ups never enter the data file's cache.
    ProfileStore store;
    if (!store.text(path))
        return std::nullopt;
    std::string list;
    const std::vector<std::string> sections = names(store.getSectionNames(path, std::string::npos, list), list);
    if (std::none_of(sections.begin(), sections.end(),
            [](const std::string& name) { return AsciiText::sameIgnoringCase(name, "init"); }))
        return std::nullopt;
    Contents contents;
    contents.consumables = names(store.getKeyList(path, "consumables", std::string::npos, list), list).size();
    contents.categories = names(store.getKeyList(path, "misc", std::string::npos, list), list).size();
    return contents;
}

QString count(std::size_t number)
{
    return QString::fromStdString(numberToText(static_cast<std::int64_t>(number)));
}

} // namespace

frmRestore::frmRestore(frmMain& main)
    : QDialog(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmRestore"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Restore a Back-up"));
    setFont(uiFont());
    resize(560, 340);

    auto* caption = Widgets::label(this, "lblBackups",
        QStringLiteral("Wheelbook keeps a copy of its data file as it was before the first change of each day. "
                       "Choose the day to go back to:"));
    caption->setWordWrap(true);
    m_lstBackups = Widgets::listView(this, "lstBackups",
        {QStringLiteral("Date"), QStringLiteral("Size"), QStringLiteral("Consumables"),
            QStringLiteral("Expense categories")});
    m_lstBackups->header()->setStretchLastSection(true);
    m_btnRestore = Widgets::button(this, "btnRestore", QStringLiteral("&Restore"),
        QStringLiteral("Replace the data file with the chosen back-up"));
    m_btnClose = Widgets::button(this, "btnClose", QStringLiteral("&Close"));
    m_btnRestore->setFixedWidth(100);
    m_btnClose->setFixedWidth(100);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnRestore);
    buttons->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_lstBackups, 1);
    layout->addLayout(buttons);

    Widgets::onClick(m_btnRestore, [this] { onRestoreClick(); });
    Widgets::onClick(m_btnClose, [this] { reject(); });
    connect(m_lstBackups, &QTreeWidget::currentItemChanged, this,
        [this] { m_btnRestore->setEnabled(chosen() && chosen()->readable); });
    connect(m_lstBackups, &QTreeWidget::itemActivated, this, [this] { onRestoreClick(); });
    fill();
}

void frmRestore::fill()
{
    m_lstBackups->clear();
    m_backups.clear();
    for (DailyBackups::Backup& backup : m_main.context().backups().list()) {
        const std::optional<Contents> contents = contentsOf(backup.path);
        QStringList cells {QString::fromStdString(backup.date)
                + (backup.time.empty()
                        ? QString()
                        : QStringLiteral(" %1 (before a restore)").arg(QString::fromStdString(backup.time))),
            count(backup.size) + QStringLiteral(" bytes")};
        if (contents)
            cells << count(contents->consumables) << count(contents->categories);
        else
            cells << QStringLiteral("unreadable") << QString();
        auto* item = new QTreeWidgetItem(m_lstBackups, cells);
        for (int column : {1, 2, 3})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        if (!contents) {
            for (int column = 0; column < 4; ++column)
                item->setForeground(column, Qt::gray);
        }
        m_backups.push_back({std::move(backup), contents.has_value()});
    }
    for (int column = 0; column < 3; ++column)
        m_lstBackups->resizeColumnToContents(column);
    m_lstBackups->setCurrentItem(m_lstBackups->topLevelItem(0));
    m_btnRestore->setEnabled(chosen() && chosen()->readable);
}

const frmRestore::Listed* frmRestore::chosen() const
{
    const int row = m_lstBackups->indexOfTopLevelItem(m_lstBackups->currentItem());
    return row < 0 ? nullptr : &m_backups[static_cast<std::size_t>(row)];
}

void frmRestore::onRestoreClick()
{
    const Listed* listed = chosen();
    if (!listed || !listed->readable)
        return;
    AppContext& ctx = m_main.context();
    const DailyBackups::Backup backup = listed->backup;
    if (ctx.prompter().ask(
            {"Restore a Back-up", "Restore the data of " + backup.date + "? The present data is kept as a back-up too.",
                MsgButtons::YesNo, MsgIcon::Question})
        != MsgAnswer::Yes)
        return;
    if (const auto error = ctx.backups().restore(backup)) {
        ctx.prompter().ask({"Back-up Not Restored!",
            "Wheelbook could not restore the back-up:\r\n\r\n" + *error + "\r\n\r\nThe data file is as it was.",
            MsgButtons::Ok, MsgIcon::Critical});
        fill();
        return;
    }
    m_main.showDataFile();
    accept();
}
