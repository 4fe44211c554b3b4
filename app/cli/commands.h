#pragma once
#include <QString>
#include <QStringList>

// Exit codes of dosedesk-cli, shared by every command.
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 1,       // unknown command, missing or bad argument
    ExitInput = 2,       // an input file is missing or cannot be read
    ExitOutput = 3,      // an output file could not be written
};

struct Command
{
    const char *name;
    const char *synopsis; // arguments, as shown in the usage line
    const char *summary;  // one line for the command list
    const char *details;  // the rest of "help COMMAND"
    int (*run)(const QStringList &args);
};

// Messages go to stderr prefixed with the program and command name.
void printError(const QString &command, const QString &message);
void printOut(const QByteArray &bytes);

// Measurement data commands (dump, config, fixture).
int runDump(const QStringList &args);
int runConfig(const QStringList &args);
int runFixture(const QStringList &args);
