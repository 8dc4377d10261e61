#pragma once

#include "datafile/ProfileStore.h"
#include "datafile/mINIFunctions.h"

#include <string>

class Prompter;
class StartupRegistry;

// What every window and procedure needs to know about this run of the program,
// passed down rather than kept in globals so tests can build one over a temporary
// application folder.
class AppContext {
public:
    AppContext(std::string appDir, std::string programPath, std::string commandLine, Prompter& prompter)
        : m_appDir(std::move(appDir))
        , m_programPath(std::move(programPath))
        , m_commandLine(std::move(commandLine))
        , m_prompter(prompter)
        , m_ini(prompter, m_store)
    {
    }
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

    Prompter& prompter() { return m_prompter; }
    ProfileStore& store() { return m_store; }
    mINIFunctions& ini() { return m_ini; }

    // Points the profile module at the data file, as every operation does first.
    mINIFunctions& dataFile()
    {
        m_ini.SetINIFile(dataFilePath(), BufferSize);
        return m_ini;
    }

    // One consistent view of the data file for the reads of one operation (a list fill).
    [[nodiscard]] ProfileStore::Snapshot snapshot() { return ProfileStore::Snapshot(m_store); }

    // Where the start-at-log-in entry is kept (the registry, or its stand-in).
    StartupRegistry* startupRegistry() const { return m_startupRegistry; }
    void setStartupRegistry(StartupRegistry* registry) { m_startupRegistry = registry; }

private:
    std::string m_appDir;
    std::string m_programPath;
    std::string m_commandLine;
    Prompter& m_prompter;
    ProfileStore m_store;
    mINIFunctions m_ini;
    StartupRegistry* m_startupRegistry = nullptr;
};
