#include "app/Program.h"

#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "app/QtPrompter.h"
#include "controls/Artwork.h"
#include "controls/ProgramStyle.h"
#include "core/MemoryPolicy.h"
#include "domain/AppContext.h"
#include "registry/RegistryStore.h"
#include "registry/RunKeyStartupRegistry.h"

#include <QApplication>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <system_error>

int Program::run(int argc, char** argv)
{
    QtPrompter prompter;
    return run(argc, argv, prompter);
}

int Program::run(int argc, char** argv, Prompter& prompter, const std::function<void(const QString&)>& trace,
    const std::function<void(Forms&)>& prepare)
{
    MemoryPolicy::keepFreedMemoryForReuse();
    QApplication app(argc, argv);
    ProgramStyle::install();
    QApplication::setApplicationName(QStringLiteral("Wheelbook"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(WHEELBOOK_VERSION_MAJOR)
                                            .arg(WHEELBOOK_VERSION_MINOR)
                                            .arg(WHEELBOOK_VERSION_PATCH));
    // The program ends when its last window is unloaded, hidden ones included.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Artwork::appIcon());

    // The command line: the arguments after the program's name.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const QString commandLine = arguments.join(QLatin1Char(' '));

    AppContext context(QApplication::applicationDirPath().toStdString(),
        QApplication::applicationFilePath().toStdString(), commandLine.toStdString(), prompter);
    const std::unique_ptr<RegistryStore> registryStore = RegistryStore::createDefault();
    RunKeyStartupRegistry startupRegistry(*registryStore);
    context.setStartupRegistry(&startupRegistry);
    // The first paint needs about 2 MiB of heap, and each byte of the data file some 32
    // more (its copy, its line table, the lists' rows and items).
    std::error_code unknownSize;
    const auto fileSize = std::filesystem::file_size(context.dataFilePath(), unknownSize);
    MemoryPolicy::prepareHeap((2u << 20) + (unknownSize ? 0 : 32 * fileSize));
    InstanceLock lock(InstanceLock::lockPathFor(QString::fromStdString(context.dataFilePath())));
    Forms forms(context, lock);
    forms.setTrace(trace);
    if (prepare)
        prepare(forms);
    if (!forms.SubMain())
        return 0;
    return QApplication::exec();
}
