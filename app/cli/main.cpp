// dosedesk-cli: the command-line companion of dosedesk. It uses the same
// measurement-data library as the application and needs no display.
#include "commands.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const Command kCommands[] = {
    {"dump", "BASEPATH",
     "print a measurement (BASEPATH.head, .dat and .hist) as JSON",
     "Prints one JSON object with the groups \"cabecalho\" (header), \"resultados\"\n"
     "(results) and \"amostras\" (sample columns). Keys are the field names, values\n"
     "the texts as stored, vectors as arrays. BASEPATH may also be given with one\n"
     "of the three extensions. All three files must exist.\n",
     runDump},
    {"config", "FILE",
     "print the 28 fields of a configuration file as JSON",
     "Prints one JSON object with the group \"configuracao\": the 28 lines of the\n"
     "instrument configuration file (config_nvx2200.cfg) under their field names.\n"
     "A file with fewer than 28 non-empty lines is rejected, as the application\n"
     "ignores it.\n",
     runConfig},
    {"fixture", "DIR [OPTIONS]",
     "write a generated measurement (and a configuration file) into DIR",
     "Writes BASE.head, BASE.dat and BASE.hist into DIR (created if needed) and\n"
     "prints the base path. The same options always give the same files.\n"
     "  --seed N            seed of the generator (default 1)\n"
     "  --name BASE         base file name (default MED + the seed as 5 digits)\n"
     "  --samples N         number of samples (default 540)\n"
     "  --period MIN        sampling period in minutes, 1-10 (default 1)\n"
     "  --pause-start I     first paused sample (default: the middle of the day)\n"
     "  --pause-length N    paused samples (default 60, 0 for none)\n"
     "  --identification   fill company, technician, employee and sector\n"
     "  --config            also write DIR/config_nvx2200.cfg\n"
     "  --id TEXT           instrument identifier for --config\n",
     runFixture},
};

void printUsage(FILE *to)
{
    QByteArray text = "usage: dosedesk-cli COMMAND [ARGUMENTS]\n"
                      "       dosedesk-cli help [COMMAND]\n\n"
                      "Commands:\n";
    for (const Command &c : kCommands) {
        const QByteArray head = QByteArray("  ") + c.name + ' ' + c.synopsis;
        text += head.leftJustified(26) + ' ' + c.summary + '\n';
    }
    text += "\nExit codes: 0 success, 1 usage error, 2 input file missing or unreadable,\n"
            "3 output could not be written.\n";
    fputs(text.constData(), to);
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

void printCommandHelp(const Command &c)
{
    printf("usage: dosedesk-cli %s %s\n\n%s\n%s", c.name, c.synopsis, c.summary, c.details);
}

} // namespace

void printError(const QString &command, const QString &message)
{
    const QString prefix = command.isEmpty() ? QStringLiteral("dosedesk-cli: ")
                                             : QStringLiteral("dosedesk-cli %1: ").arg(command);
    fputs((prefix + message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

void printOut(const QByteArray &bytes)
{
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    fflush(stdout);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    if (args.isEmpty()) {
        printUsage(stderr);
        return ExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")
        || name == QLatin1String("help")) {
        if (args.isEmpty()) {
            printUsage(stdout);
            return ExitOk;
        }
        if (const Command *c = findCommand(args.first())) {
            printCommandHelp(*c);
            return ExitOk;
        }
        printError(QString(), QStringLiteral("unknown command \"%1\"").arg(args.first()));
        return ExitUsage;
    }
    const Command *command = findCommand(name);
    if (!command) {
        printError(QString(), QStringLiteral("unknown command \"%1\" (see dosedesk-cli --help)").arg(name));
        return ExitUsage;
    }
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        printCommandHelp(*command);
        return ExitOk;
    }
    return command->run(args);
}
