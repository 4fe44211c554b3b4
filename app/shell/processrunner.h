#pragma once
#include <QString>
#include <QStringList>

// The external processes dosedesk starts: the first-run driver installer and
// its own restart after a language change. Production uses QProcess; tests
// install a recorder.
class ProcessRunner
{
public:
    virtual ~ProcessRunner() = default;

    // Starts program, opened read-write and with no arguments, waits at most
    // timeoutMs for it to finish, then closes it (ending it if still running).
    // Exit status and output are not looked at.
    virtual void runAndWait(const QString &program, int timeoutMs) = 0;

    // Asks the event loop to quit, then starts program detached with arguments.
    virtual void quitAndRestart(const QString &program, const QStringList &arguments) = 0;

    static ProcessRunner &current();
    // nullptr restores the system runner. The runner is not owned.
    static void setCurrent(ProcessRunner *runner);
};

class SystemProcessRunner : public ProcessRunner
{
public:
    void runAndWait(const QString &program, int timeoutMs) override;
    void quitAndRestart(const QString &program, const QStringList &arguments) override;
};
