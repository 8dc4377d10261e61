#include "domain/AppContext.h"

AppContext::AppContext(std::string appDir, std::string programPath, std::string commandLine, Prompter& prompter)
    : m_appDir(std::move(appDir))
    , m_programPath(std::move(programPath))
    , m_commandLine(std::move(commandLine))
    , m_prompter(prompter)
    , m_ini(m_heldBack, m_store)
    , m_backups(dataFilePath())
{
    m_store.setBeforeReplace([this](const std::string& path) {
        if (path != dataFilePath())
            return;
        if (auto error = m_backups.beforeChange(); error && !m_backupReported)
            m_backupError = std::move(error);
    });
}

void AppContext::setClock(std::function<std::time_t()> clock)
{
    m_clock = std::move(clock);
    m_backups.setClock(m_clock);
}

AppContext::Action::Action(AppContext& ctx)
    : m_ctx(ctx)
{
    m_ctx.m_store.begin(m_ctx.dataFilePath());
}

bool AppContext::Action::finish()
{
    if (m_finished)
        return m_stored;
    m_finished = true;
    const ProfileStore::WriteResult stored = m_ctx.m_store.end();
    if (m_ctx.m_store.inTransaction())
        return true; // an inner action: the outermost one stores
    m_stored = stored.ok && !m_ctx.m_store.lastFailed();
    if (!stored.ok) {
        m_ctx.m_prompter.ask({"Data Not Saved!",
            "Wheelbook could not save its data file " + m_ctx.dataFilePath() + ":\r\n\r\n" + stored.error
                + "\r\n\r\nThe file keeps its previous content.",
            MsgButtons::Ok, MsgIcon::Critical});
    }
    if (m_ctx.m_backupError) {
        m_ctx.m_backupReported = true;
        m_ctx.m_prompter.ask({"Back-up Not Made!",
            "Wheelbook could not make today's back-up of its data file in " + *m_ctx.m_backupError
                + "\r\n\r\nYour change is stored all the same.",
            MsgButtons::Ok, MsgIcon::Exclamation});
        m_ctx.m_backupError.reset();
    }
    m_ctx.m_heldBack.showHeldBack();
    if (!stored.ok && m_ctx.m_onNotStored && !m_ctx.m_showingWhatTheFileHolds) {
        m_ctx.m_showingWhatTheFileHolds = true;
        m_ctx.m_onNotStored();
        m_ctx.m_showingWhatTheFileHolds = false;
    }
    return m_stored;
}

MsgAnswer AppContext::HeldBackPrompter::ask(const Message& message)
{
    if (message.buttons == MsgButtons::Ok && m_ctx.m_store.hasPendingWrites()) {
        m_held.push_back(message);
        return MsgAnswer::Ok;
    }
    return m_ctx.m_prompter.ask(message);
}

void AppContext::HeldBackPrompter::showHeldBack()
{
    std::vector<Message> held;
    held.swap(m_held);
    for (const Message& message : held)
        m_ctx.m_prompter.ask(message);
}
