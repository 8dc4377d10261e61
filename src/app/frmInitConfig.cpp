#include "app/frmInitConfig.h"

#include "app/Forms.h"
#include "core/AppContext.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/Numbers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmInitConfig::frmInitConfig(Forms& forms)
    : QWidget(nullptr)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmInitConfig"));
    setWindowTitle(QStringLiteral("Application Configuration ..."));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_txtInitMiles = new QLineEdit(this);
    m_txtInitMiles->setObjectName(QStringLiteral("txtInitMiles"));
    m_txtInitMiles->installEventFilter(this);
    m_cmbUnit = new QComboBox(this);
    m_cmbUnit->setObjectName(QStringLiteral("cmbUnit"));
    m_cmbUnit->addItems({QStringLiteral("Miles"), QStringLiteral("Km")});
    m_btnDone = new QPushButton(QStringLiteral("btnDone"), this);
    m_btnDone->setObjectName(QStringLiteral("btnDone"));
    connect(m_btnDone, &QPushButton::clicked, this, &frmInitConfig::done);
    row->addWidget(m_txtInitMiles);
    row->addWidget(m_cmbUnit);
    row->addWidget(m_btnDone);
    layout->addLayout(row);
}

bool frmInitConfig::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtInitMiles && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            done();
            return true;
        }
        const QString text = key->text();
        if (key->key() == Qt::Key_Backspace)
            return false;
        if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'))
            return false;
        if (!text.isEmpty())
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmInitConfig::done()
{
    AppContext& ctx = m_forms.context();
    const std::string text = m_txtInitMiles->text().toStdString();
    if (IsBlank(text)) {
        const MsgAnswer answer = ctx.prompter().ask({"Required Data Missing!",
            "Wheelbook needs to know current reading of your Car-Run; without this value, application can not "
            "work. What you would like to do now?",
            MsgButtons::RetryCancel, MsgIcon::None});
        if (answer == MsgAnswer::Cancel) {
            ctx.prompter().ask({"Bye for now ...", "Wheelbook will Terminate now.", MsgButtons::Ok, MsgIcon::None});
            m_forms.end();
        }
        return;
    }
    if (leadingNumber(text) == 0.0) {
        const MsgAnswer answer = ctx.prompter().ask({"Are you sure?",
            "Are you sure you want to Initialize Application with Zero " + m_cmbUnit->currentText().toStdString()
                + " as current Car-Run?",
            MsgButtons::YesNo, MsgIcon::Question});
        if (answer != MsgAnswer::Yes)
            return;
    }
    mINIFunctions& ini = ctx.dataFile();
    if (!ini.WriteINI("init", "miles", text) || !ini.WriteINI("app", "miles", text)
        || !ini.WriteINI("app", "unit", m_cmbUnit->currentIndex()))
        return;
    m_forms.continueStart();
    m_finished = true;
    close();
}

void frmInitConfig::closeEvent(QCloseEvent* event)
{
    // Only the dialog itself closes it, once it has its answer.
    if (m_finished)
        event->accept();
    else
        event->ignore();
}
