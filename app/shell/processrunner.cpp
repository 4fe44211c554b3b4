#include "processrunner.h"

#include <QCoreApplication>
#include <QProcess>

namespace {
ProcessRunner *&installed()
{
    static ProcessRunner *r = nullptr;
    return r;
}
} // namespace

ProcessRunner &ProcessRunner::current()
{
    static SystemProcessRunner system;
    return installed() ? *installed() : system;
}

void ProcessRunner::setCurrent(ProcessRunner *runner) { installed() = runner; }

void SystemProcessRunner::runAndWait(const QString &program, int timeoutMs)
{
    QProcess process;
    process.start(program, QStringList(), QIODevice::ReadWrite);
    // A program that cannot start makes this return at once.
    process.waitForFinished(timeoutMs);
    process.close();
}

void SystemProcessRunner::quitAndRestart(const QString &program, const QStringList &arguments)
{
    QCoreApplication::quit();
    QProcess::startDetached(program, arguments);
}
