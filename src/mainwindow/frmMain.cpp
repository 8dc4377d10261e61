#include "mainwindow/frmMain.h"

#include "app/Forms.h"
#include "app/InstanceLock.h"

frmMain::frmMain(Forms& forms)
    : QMainWindow(nullptr)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmMain"));
}

frmMain::~frmMain() = default;

void frmMain::load()
{
    if (m_forms.instanceLock().anotherInstanceRunning()) {
        m_forms.end();
        return;
    }
    setWindowTitle(QStringLiteral("Wheelbook %1.%2.%3")
                       .arg(WHEELBOOK_VERSION_MAJOR)
                       .arg(WHEELBOOK_VERSION_MINOR)
                       .arg(WHEELBOOK_VERSION_PATCH));
    resize(584, 425);
}

void frmMain::hideToTrayAtStart()
{
    hide();
}
