// The program itself, started as a child: it names the driver it loaded on standard error, and a
// termination signal ends it as closing its window does, with the driver closed and a normal exit, also
// while start-up waits for the operator in a box or a dialog.

#include "framework/base/LibrarySearchPath.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <utility>
#include <vector>

namespace
{
QByteArray Contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program as a child process, with the simulator's trace in a file of its own folder, the simulator's
// defaults, and the variables given on top.
class CProgram
{
public:
    explicit CProgram(const std::vector<std::pair<QString, QString>>& variables = {},
                      const QStringList& arguments = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TARVEXSIM_TRACE"), Trace());
        environment.remove(QStringLiteral("TARVEXSIM_RESOURCES"));
        environment.remove(QStringLiteral("TARVEXSIM_FAULTS"));
        for (const auto& [name, value] : variables)
            environment.insert(name, value);
        m_process.setProcessEnvironment(environment);
        m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvex"), arguments);
    }
    ~CProgram()
    {
        if (m_process.state() != QProcess::NotRunning)
        {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    QString Trace() const { return m_folder.filePath(QStringLiteral("trace")); }
    QProcess& Process() { return m_process; }
    // Standard error so far.
    const QByteArray& ErrorOutput()
    {
        m_errorOutput += m_process.readAllStandardError();
        return m_errorOutput;
    }
    // Waits, at most 60 s, until the trace or standard error holds the text.
    bool WaitFor(const QByteArray& text)
    {
        QElapsedTimer waited;
        waited.start();
        for (int nTry = 0; nTry < 1200 && waited.elapsed() < 60000; ++nTry)
        {
            m_process.waitForReadyRead(50);
            if (Contents(Trace()).contains(text) || ErrorOutput().contains(text))
                return true;
            if (m_process.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }
    // To the child only: a process that has ended has no id, and kill() would take 0 for the whole group.
    void Signal(int nSignal)
    {
        if (const qint64 nPid = m_process.processId(); nPid > 0)
            ::kill(static_cast<pid_t>(nPid), nSignal);
    }
    QByteArray LastCall() const { return Contents(Trace()).trimmed().split('\n').last(); }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    QByteArray m_errorOutput;
};

TEST(ProgramEnd, TerminationSignalClosesTheDriverAndEndsNormally)
{
    const QByteArray driverLine = "tarvex: instrument driver " + QByteArray::fromStdString(ProgramFolder()) +
                                  "/libtarvex_32.so (the simulated counter bundled with the program)\n";
    const struct
    {
        int nSignal;
        std::vector<std::pair<QString, QString>> variables;
        QStringList arguments;
    } cases[] = {
        {SIGTERM, {}, {}},
        // The platform chosen by Qt's own option, with no display and none in the environment.
        {SIGINT,
         {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}},
         {"-platform", "offscreen"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nSignal);
        CProgram program(c.variables, c.arguments);
        ASSERT_TRUE(program.Process().waitForStarted());
        // Up once start-up has asked the driver for the slot.
        ASSERT_TRUE(program.WaitFor("tarvex_getSlot")) << program.ErrorOutput().toStdString();
        program.Signal(c.nSignal);

        ASSERT_TRUE(program.Process().waitForFinished(60000));
        EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.Process().exitCode(), 0) << program.ErrorOutput().toStdString();
        EXPECT_TRUE(program.LastCall().startsWith("tarvex_close "));
        EXPECT_TRUE(program.ErrorOutput().contains(driverLine)) << program.ErrorOutput().toStdString();
    }
}

// A modal box or dialog of the start-up runs its own loop, in which the signal is taken as in the main one.
TEST(ProgramEnd, TerminationSignalWhileStartUpWaitsForTheOperatorEndsWithinASecond)
{
    const struct
    {
        const char* pszWindow;
        std::pair<QString, QString> variable;
        QByteArray shownAfter; // in the trace or on standard error, just before the window comes up
        QByteArray lastCall;   // the driver's last call; empty when no driver loaded
    } cases[] = {
        {"the box of a driver that cannot load",
         {QStringLiteral("LD_LIBRARY_PATH"), QCoreApplication::applicationDirPath() + "/missing-dependency"},
         "Cannot load the instrument driver",
         {}},
        {"the box of an instrument error",
         {QStringLiteral("TARVEXSIM_FAULTS"), QStringLiteral("tarvex_timeOut=0xBFFF0015:1")},
         "tarvex_dcl",
         "tarvex_close "},
        {"Select Instrument",
         {QStringLiteral("TARVEXSIM_RESOURCES"), QStringLiteral("VXI0::24::INSTR;VXI0::25::INSTR")},
         "tarvex_auto_init",
         "tarvex_auto_init "},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWindow);
        CProgram program({c.variable});
        ASSERT_TRUE(program.Process().waitForStarted());
        ASSERT_TRUE(program.WaitFor(c.shownAfter)) << program.ErrorOutput().toStdString();
        QThread::msleep(300); // for the window to come up
        ASSERT_EQ(program.Process().state(), QProcess::Running);
        program.Signal(SIGTERM);

        if (!program.Process().waitForFinished(1000))
        {
            ADD_FAILURE() << "still running 1 s after the signal";
            continue;
        }
        EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.Process().exitCode(), 0) << program.ErrorOutput().toStdString();
        if (c.lastCall.isEmpty())
            EXPECT_EQ(Contents(program.Trace()), QByteArray());
        else
            EXPECT_TRUE(program.LastCall().startsWith(c.lastCall)) << program.LastCall().toStdString();
    }
}
} // namespace
