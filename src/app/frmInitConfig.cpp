#include "app/frmInitConfig.h"

#include "app/Forms.h"
#include "controls/UiFont.h"
#include "controls/XPButton.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/InitialReading.h"
#include "domain/ReadingKeyFilter.h"
#include "mainwindow/KeyFilter.h"
#include "mainwindow/WindowFunctions.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

frmInitConfig::frmInitConfig(Forms& forms)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_forms(forms)
{
    // No close button and no system-menu Close: the dialog ends only with an answer.
    setObjectName(QStringLiteral("frmInitConfig"));
    setWindowTitle(QStringLiteral("Application Configuration ..."));
    setFixedSize(352, 126);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    auto* lblInfo = new QLabel(QStringLiteral("Please specify the current reading of your Car-Run. You can also change "
                                              "this value anytime from Application Settings."),
        this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setFont(uiFont());
    lblInfo->setWordWrap(true);
    layout->addWidget(lblInfo);

    auto* fmInitMiles = new QGroupBox(QStringLiteral("Current Reading of Car-Run ... "), this);
    fmInitMiles->setObjectName(QStringLiteral("fmInitMiles"));
    fmInitMiles->setFont(uiFont());
    auto* row = new QHBoxLayout(fmInitMiles);
    row->setContentsMargins(6, 2, 6, 6);
    m_txtInitMiles = new QLineEdit(fmInitMiles);
    m_txtInitMiles->setObjectName(QStringLiteral("txtInitMiles"));
    m_txtInitMiles->setFont(uiFont());
    m_txtInitMiles->installEventFilter(this);
    // Keys are filtered below; what comes by paste or drop is refused whole when the keys would be.
    KeyFilter::refuseInput(m_txtInitMiles, keepsReadingKey, ReadingDigits);
    m_cmbUnit = new QComboBox(fmInitMiles);
    m_cmbUnit->setObjectName(QStringLiteral("cmbUnit"));
    m_cmbUnit->setFont(uiFont());
    m_btnDone = new XPButton(fmInitMiles);
    m_btnDone->setObjectName(QStringLiteral("btnDone"));
    m_btnDone->SetCaption(QStringLiteral("btnDone"));
    m_btnDone->setFixedSize(80, 25);
    connect(m_btnDone, &XPButton::Click, this, &frmInitConfig::done);
    row->addWidget(m_txtInitMiles, 1);
    row->addWidget(m_cmbUnit);
    row->addWidget(m_btnDone);
    layout->addWidget(fmInitMiles);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void frmInitConfig::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    m_cmbUnit->clear();
    m_cmbUnit->addItems({QStringLiteral("Miles"), QStringLiteral("Km")});
    m_cmbUnit->setCurrentIndex(0);
    SetOnTop(this, true);
    m_txtInitMiles->setFocus();
}

bool frmInitConfig::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtInitMiles && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            done();
            return true;
        }
        if (key->key() == Qt::Key_Backspace)
            return false;
        const QString text = key->text();
        if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'))
            return false;
        // Printable characters other than digits are dropped; editing keys still work.
        if (!text.isEmpty() && text[0].isPrint())
            return true;
        if (key->matches(QKeySequence::Paste))
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
    if (!isReadingText(text)) {
        ctx.prompter().ask({"Wrong Value specified!",
            "The reading \"" + text + "\" is not a whole number of at most " + std::to_string(ReadingDigits)
                + " digits. Please specify digits only.",
            MsgButtons::Ok, MsgIcon::Information});
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
    // A refused write, or a file that could not be stored, has been reported; the dialog
    // stays for another try.
    if (!StoreInitialReading(ctx, text, m_cmbUnit->currentIndex()))
        return;
    m_forms.continueStart();
    m_finished = true;
    close();
}

void frmInitConfig::closeEvent(QCloseEvent* event)
{
    if (m_finished)
        event->accept();
    else
        event->ignore();
}
