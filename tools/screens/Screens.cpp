// Renders the splash, the first-run dialog and each page of the main window over a
// sample data file, as PNG files in the folder given on the command line.
//   xvfb-run -a build/tools/screens/wheelbook_screens /tmp/screens [data-file]
#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "core/Prompter.h"
#include "domain/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

class PrintingPrompter : public Prompter {
public:
    MsgAnswer ask(const Message& message) override
    {
        std::printf("message: %s | %s\n", message.title.c_str(), message.text.c_str());
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
};

const char* const kSample = "[init]\r\nmiles=12000\r\n[app]\r\nmiles=25400\r\nunit=1\r\ncur=EUR\r\nicur=9\r\n"
                            "cost=2110\r\nstartup=0\r\nsystray=0\r\nontop=0\r\n"
                            "[fuel]\r\ntotal=812.5\r\n"
                            "[misc]\r\nfuel=1240.75\r\nInsurance=560\r\nTyres=310.5\r\n"
                            "[consumables]\r\nEngine Oil=15000#10000\r\nOil Filter=15000#10000\r\n"
                            "Air Filter=12000#15000\r\nTiming Belt=12000#60000\r\nBrake Fluid=5000#20000\r\n";

void save(QWidget* widget, const QString& folder, const QString& name)
{
    QTest::qWait(300);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(folder);
    QTemporaryDir appDir;
    const QString dataFile = appDir.filePath(QStringLiteral("cardata.dat"));
    if (argc > 2)
        QFile::copy(QString::fromLocal8Bit(argv[2]), dataFile);
    else {
        QFile file(dataFile);
        file.open(QIODevice::WriteOnly);
        file.write(kSample);
    }

    PrintingPrompter prompter;
    {
        // The first-run dialog over a shipped file.
        QTemporaryDir firstRunDir;
        QFile shipped(firstRunDir.filePath(QStringLiteral("cardata.dat")));
        shipped.open(QIODevice::WriteOnly);
        shipped.write("[init]\r\nmiles=\r\n[consumables]\r\n");
        shipped.close();
        AppContext context(firstRunDir.path().toStdString(), "", "", prompter);
        InstanceLock lock(firstRunDir.filePath(QStringLiteral("lock")));
        Forms forms(context, lock);
        forms.SubMain();
        save(forms.initConfigForm(), folder, QStringLiteral("frmInitConfig"));
    }

    AppContext context(appDir.path().toStdString(), "", "", prompter);
    InstanceLock lock(appDir.filePath(QStringLiteral("lock")));
    Forms forms(context, lock);
    forms.setSplashIntervalMs(60000);
    forms.setTrayCapabilities({true, true});
    forms.SubMain();
    save(forms.splashForm(), folder, QStringLiteral("frmSplash"));
    frmMain* main = forms.showMain();
    forms.splashForm()->close();
    const char* pages[] = {"tab0-main", "tab1-consumables", "tab2-expenses", "tab3-fuel", "tab4-settings"};
    for (int i = 0; i < 5; ++i) {
        main->tabMain()->setCurrentIndex(i);
        save(main, folder, QLatin1String(pages[i]));
    }
    return 0;
}
