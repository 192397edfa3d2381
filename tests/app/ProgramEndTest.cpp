// The program itself, started as a child: it names the driver it loaded on standard error, and a
// termination signal ends it as closing its window does, with the driver closed and a normal exit.

#include "framework/base/LibrarySearchPath.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace
{
QByteArray Contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ProgramEnd, TerminationSignalClosesTheDriverAndEndsNormally)
{
    const QByteArray driverLine = "tarvex: instrument driver " + QByteArray::fromStdString(ProgramFolder()) +
                                  "/libtarvex_32.so (the simulated counter bundled with the program)\n";
    for (const int nSignal : {SIGTERM, SIGINT})
    {
        SCOPED_TRACE(nSignal);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString trace = folder.filePath(QStringLiteral("trace"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TARVEXSIM_TRACE"), trace);
        environment.remove(QStringLiteral("TARVEXSIM_RESOURCES"));
        environment.remove(QStringLiteral("TARVEXSIM_FAULTS"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvex"), {});
        ASSERT_TRUE(program.waitForStarted());

        // Up once start-up has asked the driver for the slot.
        QElapsedTimer waited;
        waited.start();
        while (!Contents(trace).contains("tarvex_getSlot") && waited.elapsed() < 60000)
            QThread::msleep(50);
        ::kill(static_cast<pid_t>(program.processId()), nSignal);

        ASSERT_TRUE(program.waitForFinished(60000));
        const QByteArray errorOutput = program.readAllStandardError();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << errorOutput.toStdString();
        EXPECT_TRUE(Contents(trace).trimmed().split('\n').last().startsWith("tarvex_close "));
        EXPECT_TRUE(errorOutput.contains(driverLine)) << errorOutput.toStdString();
    }
}
} // namespace
