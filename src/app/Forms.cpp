#include "app/Forms.h"

#include "app/InstanceLock.h"
#include "app/frmInitConfig.h"
#include "app/frmSplash.h"
#include "core/DurableFile.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "mainwindow/frmMain.h"

#include <QCoreApplication>
#include <QTimer>

Forms::Forms(AppContext& context, InstanceLock& lock)
    : m_context(context)
    , m_lock(lock)
{
}

Forms::~Forms()
{
    m_ended = true; // no "last window" ending while we tear down
    for (const auto& form : m_loaded) {
        if (form)
            delete form.data();
    }
}

bool Forms::SubMain()
{
    if (!m_lock.acquire()) {
        end();
        return false;
    }

    const std::string path = m_context.dataFilePath();
    if (!FileExists(path, m_context.prompter())) {
        m_context.prompter().ask({"Error in Loading!",
            "Wheelbook Data File found missing or invalid. Application can not work without Data File. Please "
            "re-install Wheelbook to resovle this issue. Application will terminate now ...",
            MsgButtons::Ok, MsgIcon::Critical});
        end();
        return false;
    }

    if (const auto problem = DataFileProblem(path)) {
        m_context.prompter().ask({"Error in Loading!",
            "Wheelbook can not use its Data File " + path + ": " + *problem + ". Application will terminate now ...",
            MsgButtons::Ok, MsgIcon::Critical});
        end();
        return false;
    }

    // What writers killed mid-way left behind, before this instance writes.
    DurableFile::removeLeftovers(path);

    mINIFunctions& ini = m_context.ini();
    ini.SetINIFile(path, AppContext::BufferSize);
    if (ini.KeyExists(path, "init", "miles") && IsBlank(ini.ReadINI("init", "miles", ""))) {
        showInitConfig();
        return true;
    }
    continueStart();
    return !m_ended;
}

void Forms::continueStart()
{
    if (m_context.startsInTray())
        startMain(true);
    else
        showSplash(false);
}

frmMain* Forms::loadMain()
{
    if (!m_main) {
        auto* form = new frmMain(m_context, *this);
        m_main = form;
        track(form);
        form->load();
    }
    return m_main;
}

frmMain* Forms::showMain()
{
    frmMain* form = loadMain();
    if (form && !m_ended)
        form->show();
    return form;
}

frmMain* Forms::loadMainHidden()
{
    frmMain* form = loadMain();
    if (form && !m_ended)
        form->hideToTrayAtStart();
    return form;
}

frmMain* Forms::startMain(bool hidden)
{
    frmMain* form = hidden ? loadMainHidden() : showMain();
    if (form && !m_ended)
        form->remindAtStart();
    return form;
}

frmSplash* Forms::showSplash(bool noMain)
{
    auto* splash = new frmSplash(*this);
    splash->setNo_FrmMain(noMain);
    if (!noMain)
        m_splash = splash;
    track(splash);
    splash->show();
    return splash;
}

frmInitConfig* Forms::showInitConfig()
{
    auto* form = new frmInitConfig(*this);
    m_initConfig = form;
    track(form);
    form->show();
    return form;
}

bool Forms::anotherInstanceRunning()
{
    return m_lock.anotherInstanceRunning();
}

int Forms::loadedCount() const
{
    int count = 0;
    for (const auto& form : m_loaded) {
        if (form)
            ++count;
    }
    return count;
}

void Forms::track(QWidget* form)
{
    trace(QStringLiteral("loaded ") + form->objectName());
    form->setAttribute(Qt::WA_DeleteOnClose);
    m_loaded.append(form);
    connect(form, &QObject::destroyed, this, &Forms::untrack);
}

void Forms::untrack(QObject* form)
{
    trace(QStringLiteral("unloaded ") + form->objectName());
    m_loaded.removeIf([form](const QPointer<QWidget>& p) { return p.isNull() || p.data() == form; });
    if (!m_ended && loadedCount() == 0)
        end();
}

void Forms::end()
{
    if (m_ended)
        return;
    m_ended = true;
    trace(QStringLiteral("ended"));
    for (const auto& form : m_loaded) {
        if (form) {
            form->hide();
            form->deleteLater();
        }
    }
    emit ended();
    QCoreApplication::exit(0);
}
