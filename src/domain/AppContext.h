#pragma once

#include "core/Prompter.h"
#include "datafile/DailyBackups.h"
#include "datafile/ProfileStore.h"
#include "datafile/mINIFunctions.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

class StartupRegistry;

// What every window and procedure needs to know about this run of the program,
// passed down rather than kept in globals so tests can build one over a temporary
// application folder.
class AppContext {
public:
    AppContext(std::string appDir, std::string programPath, std::string commandLine, Prompter& prompter);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    static constexpr const char* DataFileName = "cardata.dat";
    static constexpr std::int32_t BufferSize = 50000;

    const std::string& appDir() const { return m_appDir; }
    const std::string& programPath() const { return m_programPath; }
    const std::string& commandLine() const { return m_commandLine; }
    std::string dataFilePath() const { return m_appDir + "/" + DataFileName; }

    // The start by the log-in entry: the command line is exactly "/s".
    bool startsInTray() const { return m_commandLine == "/s"; }

    // Message boxes; an OK box asked for while an action's writes wait is shown once they
    // are stored (see Action).
    Prompter& prompter() { return m_heldBack; }
    ProfileStore& store() { return m_store; }
    DailyBackups& backups() { return m_backups; }
    mINIFunctions& ini() { return m_ini; }

    // Points the profile module at the data file, as every operation does first.
    mINIFunctions& dataFile()
    {
        m_ini.SetINIFile(dataFilePath(), BufferSize);
        return m_ini;
    }

    // One user action on the data file, from the event that starts it to its end. Its
    // reads see one version of the file and its own writes; the file is replaced once,
    // when the outermost action ends, so a crash leaves the file as it was before the
    // action or as it is after it. OK boxes it shows with writes waiting come after the
    // file is stored, so nothing waits unsaved behind a box. When the file cannot be
    // stored, "Data Not Saved!" says why, nothing of the action is kept, and the window is
    // asked to show what the file holds (setOnActionNotStored). The day's first change
    // makes the day's back-up first; one that cannot be made is reported once a run
    // ("Back-up Not Made!"), and the change is stored all the same.
    class Action {
    public:
        explicit Action(AppContext& ctx);
        ~Action() { finish(); }
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

        // Ends the action now; false when what it wrote could not be stored (an inner
        // action cannot tell yet, and answers true).
        bool finish();

    private:
        AppContext& m_ctx;
        bool m_finished = false;
        bool m_stored = true;
    };

    void setOnActionNotStored(std::function<void()> handler) { m_onNotStored = std::move(handler); }

    // The time of day for everything dated (log entries, back-ups); tests set their own.
    void setClock(std::function<std::time_t()> clock);
    std::time_t now() const { return m_clock(); }

    // Where the start-at-log-in entry is kept (the registry, or its stand-in).
    StartupRegistry* startupRegistry() const { return m_startupRegistry; }
    void setStartupRegistry(StartupRegistry* registry) { m_startupRegistry = registry; }

private:
    // Holds OK boxes back while an action's writes wait.
    class HeldBackPrompter : public Prompter {
    public:
        explicit HeldBackPrompter(AppContext& ctx)
            : m_ctx(ctx)
        {
        }
        MsgAnswer ask(const Message& message) override;
        void showHeldBack();

    private:
        AppContext& m_ctx;
        std::vector<Message> m_held;
    };

    std::string m_appDir;
    std::string m_programPath;
    std::string m_commandLine;
    Prompter& m_prompter;
    HeldBackPrompter m_heldBack {*this};
    ProfileStore m_store;
    mINIFunctions m_ini;
    DailyBackups m_backups;
    std::function<std::time_t()> m_clock = [] { return std::time(nullptr); };
    std::optional<std::string> m_backupError; // this run's failed back-up, until reported
    bool m_backupReported = false;
    StartupRegistry* m_startupRegistry = nullptr;
    std::function<void()> m_onNotStored;
    bool m_showingWhatTheFileHolds = false;
};
