#pragma once
#include "processrunner.h"

#include <QList>

// Stands in for the operating system's processes in tests: records what
// dosedesk would start. runAndWait() behaves like a program that could not be
// started (it returns at once), which is also what the installer does on a
// platform where its batch file cannot run.
class RecordingProcessRunner : public ProcessRunner
{
public:
    struct Run {
        QString program;
        int timeoutMs;
    };
    struct Restart {
        QString program;
        QStringList arguments;
    };

    QList<Run> runs;
    QList<Restart> restarts;

    void runAndWait(const QString &program, int timeoutMs) override { runs.append({program, timeoutMs}); }
    void quitAndRestart(const QString &program, const QStringList &arguments) override
    {
        restarts.append({program, arguments});
    }
};
