// Starts the real program (its scripted build) in a temporary application folder and
// reads its trace.
#include "TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>
#include <vector>

namespace {

struct RealProgram {
    // The application folder is the program's own: run a copy that lives in the temporary folder.
    RealProgram() { QFile::copy(QStringLiteral(WHEELBOOK_SCRIPTED_PROGRAM), program); }
    ~RealProgram()
    {
        for (auto& p : processes) {
            p->kill();
            p->waitForFinished();
        }
    }

    // Starts the program (offscreen, as the tests run) and returns its trace: the windows
    // it loads and unloads, its messages and its end, once this line has come or it has ended.
    QString run(
        const QStringList& arguments, const QString& until, const QString& tmpDir = {}, const QString& programFile = {})
    {
        QProcess* p = processes.emplace_back(std::make_unique<QProcess>()).get();
        if (!tmpDir.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("TMPDIR"), tmpDir);
            p->setProcessEnvironment(env);
        }
        p->start(programFile.isEmpty() ? program : programFile, arguments);
        QString output;
        QStringList trace;
        QElapsedTimer timer;
        timer.start();
        while (!trace.contains(until) && timer.elapsed() < 10000) {
            const bool ended = !p->waitForReadyRead(100) && p->state() == QProcess::NotRunning;
            output += QString::fromUtf8(p->readAllStandardError());
            trace = output.split(QLatin1Char('\n'))
                        .filter(QRegularExpression(QStringLiteral("^(loaded |unloaded |ended$|message: )")));
            if (ended)
                break;
        }
        return trace.join(QLatin1Char('\n'));
    }

    TempDir dir;
    QString program = QString::fromStdString(dir.file("wheelbook"));
    std::vector<std::unique_ptr<QProcess>> processes;
};

} // namespace

TEST(RealProgram, FindsItsDataFileBesideItselfAndJoinsItsArgumentsIntoOneCommandLine)
{
    RealProgram p;
    p.dir.write("cardata.dat", "[init]\r\nmiles=\r\n[consumables]\r\n");
    EXPECT_EQ(p.run({}, QStringLiteral("loaded frmInitConfig")), QStringLiteral("loaded frmInitConfig"));
    p.processes.back()->kill();
    p.processes.back()->waitForFinished();

    // "/s x" is an ordinary start.
    p.dir.write("cardata.dat", "[init]\r\nmiles=5000\r\n[consumables]\r\n");
    EXPECT_EQ(p.run({QStringLiteral("/s"), QStringLiteral("x")}, QStringLiteral("unloaded frmSplash")),
        QStringLiteral("loaded frmSplash\nloaded frmMain\nunloaded frmSplash"));
}

TEST(RealProgram, StartsHiddenWithSlashSAndASecondStartOnTheSameDataFileEndsAtOnce)
{
    RealProgram p;
    p.dir.write("cardata.dat", "[init]\r\nmiles=5000\r\n[consumables]\r\n");
    ASSERT_EQ(p.run({QStringLiteral("/s")}, QStringLiteral("loaded frmMain")), QStringLiteral("loaded frmMain"));
    EXPECT_EQ(p.run({}, QStringLiteral("ended")), QStringLiteral("ended"));
    // The lock is the data file's: another temporary folder or another name of the program changes nothing.
    TempDir otherTmp;
    EXPECT_EQ(p.run({}, QStringLiteral("ended"), QString::fromStdString(otherTmp.path())), QStringLiteral("ended"));
    const std::string link = p.dir.file("wheelbook-link");
    ASSERT_EQ(::link(p.program.toLocal8Bit().constData(), link.c_str()), 0);
    EXPECT_EQ(p.run({}, QStringLiteral("ended"), {}, QString::fromStdString(link)), QStringLiteral("ended"));
    EXPECT_EQ(p.processes.front()->state(), QProcess::Running);
}
