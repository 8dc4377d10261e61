#include "mainwindow/ChartsTab.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>

QStringList ChartsTab::modulePaths()
{
    const QString name = QLatin1String(ChartsModule::FileName);
    const QString folder = QCoreApplication::applicationDirPath();
    QStringList paths {folder + QLatin1Char('/') + name};
#if defined(WHEELBOOK_BUILD_DIR) && defined(WHEELBOOK_BUILD_APP_DIR)
    // Only a program inside its build looks there: an installed one loads no code from
    // outside its own folder.
    const QString build = QDir(QStringLiteral(WHEELBOOK_BUILD_DIR)).canonicalPath();
    if (!build.isEmpty() && folder.startsWith(build + QLatin1Char('/')))
        paths << QStringLiteral(WHEELBOOK_BUILD_APP_DIR "/") + name;
#endif
    return paths;
}

ChartsTab::ChartsTab(QWidget* parent, const QStringList& modules)
{
    QString error;
    for (const QString& path : modules) {
        // Never unloaded: the pages it makes run its code for as long as they live.
        QLibrary module(path);
        if (!module.load()) {
            if (error.isEmpty())
                error = module.errorString();
            continue;
        }
        auto create = reinterpret_cast<ChartsModule::Create>(module.resolve(ChartsModule::CreateFunction));
        m_fill = reinterpret_cast<ChartsModule::Fill>(module.resolve(ChartsModule::FillFunction));
        if (create && m_fill) {
            m_page = create(parent);
            return;
        }
        error = module.errorString();
    }
    m_fill = nullptr;
    auto* label = new QLabel(QStringLiteral("The charts cannot be shown: %1").arg(error), parent);
    label->setObjectName(QStringLiteral("pgCharts"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    m_page = label;
}

void ChartsTab::fill(const Logbook::Logs& logs, const QString& unit, const QString& currency) const
{
    if (m_fill)
        m_fill(m_page, logs, unit, currency);
}
