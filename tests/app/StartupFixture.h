#pragma once

#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "core/AppContext.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// The whole start-up over a temporary application folder, with a scripted prompter
// and a lock of its own.
class StartupFixture {
public:
    explicit StartupFixture(std::string commandLine = {})
        : m_commandLine(std::move(commandLine))
    {
    }

    void writeDataFile(const std::string& bytes) { dir.write("cardata.dat", bytes); }
    std::string dataFile() const { return dir.read("cardata.dat"); }

    Forms& start(int splashMs = 20)
    {
        context = std::make_unique<AppContext>(dir.path(), dir.file("wheelbook"), m_commandLine, prompter);
        context->setSplashIntervalMs(splashMs);
        lock = std::make_unique<InstanceLock>(QString::fromStdString(dir.file("instance.lock")));
        forms = std::make_unique<Forms>(*context, *lock);
        forms->setTrayCapabilities(tray);
        endedSpy = std::make_unique<QSignalSpy>(forms.get(), &Forms::ended);
        started = forms->SubMain();
        return *forms;
    }

    bool ended() const { return forms->hasEnded(); }

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<InstanceLock> lock;
    std::unique_ptr<Forms> forms;
    std::unique_ptr<QSignalSpy> endedSpy;
    bool started = false;
    // Offscreen there is no notification area; most tests stand in a desktop that has one.
    frmSysTray::Capabilities tray {true, true};

private:
    std::string m_commandLine;
};

inline const char* const kConfigured = "[init]\r\nmiles=5000\r\n[app]\r\nmiles=5200\r\n[consumables]\r\n";
inline const char* const kShipped = "[init]\r\nmiles=\r\n[consumables]\r\n";
