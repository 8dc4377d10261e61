// Starts the real program (its scripted build) in a temporary application folder and
// follows it through its trace.
#include "TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RealProgram {
public:
    RealProgram()
    {
        program = QString::fromStdString(dir.file("wheelbook"));
        // The application folder is the program's own: run a copy that lives in the temporary folder.
        QFile::copy(QStringLiteral(WHEELBOOK_SCRIPTED_PROGRAM), program);
    }

    QProcess* start(const QStringList& arguments)
    {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(env);
        process->start(program, arguments);
        process->waitForStarted();
        processes.emplace_back(process);
        return process;
    }

    static QString waitForOutput(QProcess* process, const QString& text, int ms = 10000)
    {
        QString all;
        QElapsedTimer timer;
        timer.start();
        while (!all.contains(text) && timer.elapsed() < ms) {
            process->waitForReadyRead(100);
            all += QString::fromUtf8(process->readAllStandardError());
            if (process->state() == QProcess::NotRunning) {
                all += QString::fromUtf8(process->readAllStandardError());
                break;
            }
        }
        return traceOf(all);
    }

    // The program's own trace lines, without the platform's warnings.
    static QString traceOf(const QString& output)
    {
        QStringList lines;
        for (const QString& line : output.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("loaded ")) || line.startsWith(QLatin1String("unloaded "))
                || line == QLatin1String("ended") || line.startsWith(QLatin1String("message: ")))
                lines << line;
        }
        return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

    ~RealProgram()
    {
        for (auto& p : processes) {
            p->kill();
            p->waitForFinished();
        }
    }

    TempDir dir;
    QString program;
    std::vector<std::unique_ptr<QProcess>> processes;
};

} // namespace

TEST(RealProgram, EndsWithErrorInLoadingWithoutItsDataFile)
{
    RealProgram p;
    ASSERT_TRUE(QFile::exists(p.program));
    QProcess* process = p.start({});
    ASSERT_TRUE(process->waitForFinished(10000));
    const QString out = RealProgram::traceOf(QString::fromUtf8(process->readAllStandardError()));
    EXPECT_TRUE(out.contains(QStringLiteral("message: Error in Loading! | Wheelbook Data File found missing")))
        << out.toStdString();
    EXPECT_EQ(process->exitCode(), 0);
}

TEST(RealProgram, StartsTheFirstRunDialogOrTheSplashOrHidden)
{
    RealProgram p;
    p.dir.write("cardata.dat", "[init]\r\nmiles=\r\n[consumables]\r\n");
    QProcess* firstRun = p.start({});
    EXPECT_TRUE(RealProgram::waitForOutput(firstRun, QStringLiteral("loaded frmInitConfig"))
                    .contains(QStringLiteral("loaded frmInitConfig")));
    firstRun->kill();
    firstRun->waitForFinished();

    p.dir.write("cardata.dat", "[init]\r\nmiles=5000\r\n[consumables]\r\n");
    QProcess* hidden = p.start({QStringLiteral("/s")});
    const QString hiddenOut = RealProgram::waitForOutput(hidden, QStringLiteral("loaded frmMain"));
    EXPECT_TRUE(hiddenOut.contains(QStringLiteral("loaded frmMain")));
    EXPECT_FALSE(hiddenOut.contains(QStringLiteral("frmSplash"))) << hiddenOut.toStdString();
    hidden->kill();
    hidden->waitForFinished();

    for (const QStringList& args :
        {QStringList {QStringLiteral("/S")}, QStringList {QStringLiteral("/s"), QStringLiteral("x")}}) {
        QProcess* ordinary = p.start(args);
        const QString out = RealProgram::waitForOutput(ordinary, QStringLiteral("unloaded frmSplash"));
        EXPECT_TRUE(out.startsWith(QStringLiteral("loaded frmSplash\nloaded frmMain\nunloaded frmSplash")))
            << out.toStdString();
        ordinary->kill();
        ordinary->waitForFinished();
    }
}

TEST(RealProgram, ASecondStartEndsAtOnceWhileOneRuns)
{
    RealProgram p;
    p.dir.write("cardata.dat", "[init]\r\nmiles=5000\r\n[consumables]\r\n");
    QProcess* first = p.start({QStringLiteral("/s")});
    ASSERT_TRUE(
        RealProgram::waitForOutput(first, QStringLiteral("loaded frmMain")).contains(QStringLiteral("loaded frmMain")));
    QProcess* second = p.start({});
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(RealProgram::traceOf(QString::fromUtf8(second->readAllStandardError())), QStringLiteral("ended\n"));
    EXPECT_EQ(first->state(), QProcess::Running);
}
