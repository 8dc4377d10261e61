#pragma once

#include "app/frmInitConfig.h"
#include "app/frmSplash.h"
#include "mainwindow/ProgramShell.h"
#include "mainwindow/frmMain.h"
#include "tray/frmSysTray.h"

#include <QList>
#include <QString>

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class AppContext;
class InstanceLock;
class QWidget;

// The program's windows and its life: it runs while at least one window is loaded
// and ends when the last one is unloaded. The entry procedure lives here too.
class Forms : public QObject, public ProgramShell {
    Q_OBJECT
public:
    Forms(AppContext& context, InstanceLock& lock);
    ~Forms() override;

    AppContext& context() { return m_context; }

    // The entry procedure. False when the program has already ended (another
    // instance, or no data file); otherwise a window is loaded and the program runs.
    bool SubMain();

    // The choice that follows the first-run test: hidden in the tray for "/s",
    // otherwise the splash.
    void continueStart();

    frmMain* mainForm() const { return m_main; }
    frmSplash* splashForm() const { return m_splash; }
    frmInitConfig* initConfigForm() const { return m_initConfig; }

    // Loads the main window (running its set-up) if it is not loaded yet.
    frmMain* loadMain();
    // Loads the main window if needed and shows it.
    frmMain* showMain();
    // "/s": loads the main window without showing it, then hides it.
    frmMain* loadMainHidden();
    // The main window as a start brings it: shown (after the splash) or hidden ("/s"),
    // then the notice of what is due.
    frmMain* startMain(bool hidden);
    // Shows the splash modelessly; with noMain it closes without opening the main window.
    frmSplash* showSplash(bool noMain);
    frmInitConfig* showInitConfig();

    int loadedCount() const;
    bool hasEnded() const { return m_ended; }

    // What the main window asks of the program.
    void end() override;
    void showAbout() override { showSplash(true); }
    bool anotherInstanceRunning() override;
    frmSysTray::Capabilities trayCapabilities() const override
    {
        return m_trayCapabilities ? *m_trayCapabilities : frmSysTray::PlatformCapabilities();
    }

    // How long the splash stays up; tests shorten it.
    int splashIntervalMs() const { return m_splashIntervalMs; }
    void setSplashIntervalMs(int ms) { m_splashIntervalMs = ms; }

    // Tests stand in for the desktop's answer.
    void setTrayCapabilities(frmSysTray::Capabilities capabilities) { m_trayCapabilities = capabilities; }

    // Scripted runs of the real program follow its windows through this.
    void setTrace(std::function<void(const QString&)> trace) { m_trace = std::move(trace); }
    void trace(const QString& line) const
    {
        if (m_trace)
            m_trace(line);
    }

signals:
    void ended();

private:
    void track(QWidget* form);
    void untrack(QObject* form);

    AppContext& m_context;
    InstanceLock& m_lock;
    QList<QPointer<QWidget>> m_loaded;
    QPointer<frmMain> m_main;
    QPointer<frmSplash> m_splash;
    QPointer<frmInitConfig> m_initConfig;
    bool m_ended = false;
    std::function<void(const QString&)> m_trace;
    std::optional<frmSysTray::Capabilities> m_trayCapabilities;
    int m_splashIntervalMs = 2000;
};
