// The real start-up for bench_startup: the program over the data file beside it, with
// no splash delay, ending right after the filled main window's first paint.
#include "app/Forms.h"
#include "app/Program.h"
#include "core/Prompter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// The benchmark's data files hold nothing a message would be about; one that comes anyway is printed.
class SilentPrompter : public Prompter {
public:
    MsgAnswer ask(const Message& message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", message.title.c_str());
        return MsgAnswer::Ok;
    }
};

// Ends the process once the window's first paint has been flushed (the paint events of
// its children come in the same pass). Nothing is torn down, only the start-up is timed;
// the instance lock goes as at any end, or the next run would first take over a stale one.
class ExitAfterFirstPaint : public QObject {
public:
    explicit ExitAfterFirstPaint(QObject* window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == parent())
            QTimer::singleShot(0, [] {
                QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/cardata.dat.lock"));
                ::_exit(0);
            });
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    SilentPrompter prompter;
    Program::run(argc, argv, prompter, {}, [](Forms& forms) {
        forms.setSplashIntervalMs(0);
        forms.setTrace([&forms](const QString& line) {
            if (line == QLatin1String("loaded frmMain"))
                new ExitAfterFirstPaint(forms.mainForm());
        });
        // A start that never paints the main window fails the benchmark rather than hang it.
        QTimer::singleShot(60000, [] { ::_exit(3); });
    });
    return 2;
}
