// dump, config and fixture: the measurement files as JSON, and the generator.
#include "commands.h"
#include "json.h"

#include "fixtures.h"
#include "medicao.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Wrong argument count, or an option the command does not know.
int usage(const QString &command, const QString &message)
{
    printError(command, message + QStringLiteral(" (see dosedesk-cli help %1)").arg(command));
    return ExitUsage;
}

bool checkReadable(const QString &command, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        printError(command, QStringLiteral("missing file: %1").arg(path));
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        printError(command, QStringLiteral("cannot read: %1").arg(path));
        return false;
    }
    return true;
}

} // namespace

int runDump(const QStringList &args)
{
    const QString cmd = QStringLiteral("dump");
    if (args.size() != 1)
        return usage(cmd, QStringLiteral("expects one BASEPATH"));
    QString base = args.first();
    for (const char *ext : {".head", ".dat", ".hist"}) {
        if (base.endsWith(QLatin1String(ext))) {
            base.chop(int(qstrlen(ext)));
            break;
        }
    }
    const QString head = base + QLatin1String(".head");
    const QString dat = base + QLatin1String(".dat");
    const QString hist = base + QLatin1String(".hist");
    for (const QString &path : {head, dat, hist}) {
        if (!checkReadable(cmd, path))
            return ExitInput;
    }

    Medicao record;
    if (!record.readHeader(head) || !record.readSamples(dat) || !record.readResults(hist)) {
        printError(cmd, QStringLiteral("cannot read the files of %1").arg(base));
        return ExitInput;
    }

    JsonObject header;
    const QStringList headerValues = record.headerValues();
    for (int i = 0; i < Medicao::HeaderFieldCount; ++i)
        header.add(Medicao::headerKeys().at(i), headerValues.at(i));

    JsonObject results;
    for (int i = 0; i < Medicao::ProfileResultCount; ++i)
        results.add(Medicao::profileResultKeys().at(i), record.profileResult(i));
    results.add(QStringLiteral("freq"), record.freq());
    results.add(QStringLiteral("ruido"), record.ruido());
    results.add(QStringLiteral("exceedanceCount"), record.exceedanceCount());
    results.add(QStringLiteral("exceedanceTempo"), record.exceedanceTempo());
    results.add(QStringLiteral("exceedanceCountUser"), record.exceedanceCountUser());
    results.add(QStringLiteral("exceedanceTempoUser"), record.exceedanceTempoUser());

    JsonObject samples;
    for (int i = 0; i < Medicao::SampleColumnCount; ++i)
        samples.add(Medicao::sampleColumnKeys().at(i), record.sampleColumn(i));

    JsonObject doc;
    doc.add(QStringLiteral("cabecalho"), header);
    doc.add(QStringLiteral("resultados"), results);
    doc.add(QStringLiteral("amostras"), samples);
    printOut(doc.toJson());
    return ExitOk;
}

int runConfig(const QStringList &args)
{
    const QString cmd = QStringLiteral("config");
    if (args.size() != 1)
        return usage(cmd, QStringLiteral("expects one FILE"));
    const QString path = args.first();
    if (!checkReadable(cmd, path))
        return ExitInput;
    Medicao record;
    if (!record.readConfig(path)) {
        printError(cmd, QStringLiteral("not a configuration file (fewer than 28 non-empty lines): %1")
                            .arg(path));
        return ExitInput;
    }
    JsonObject config;
    const QStringList lines = record.configLines();
    for (int i = 0; i < Medicao::ConfigLineCount; ++i)
        config.add(Medicao::configKeys().at(i), lines.at(i));
    JsonObject doc;
    doc.add(QStringLiteral("configuracao"), config);
    printOut(doc.toJson());
    return ExitOk;
}

int runFixture(const QStringList &args)
{
    const QString cmd = QStringLiteral("fixture");
    Fixtures::MeasurementOptions options;
    Fixtures::ConfigOptions config;
    bool writeConfig = false;
    QString dir;

    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            if (!dir.isEmpty())
                return usage(cmd, QStringLiteral("more than one DIR"));
            dir = a;
            continue;
        }
        if (a == QLatin1String("--identification")) {
            options.identification = true;
            continue;
        }
        if (a == QLatin1String("--config")) {
            writeConfig = true;
            continue;
        }
        static const QStringList withValue = {"--seed", "--name", "--samples", "--period",
                                              "--pause-start", "--pause-length", "--id"};
        if (!withValue.contains(a))
            return usage(cmd, QStringLiteral("unknown option %1").arg(a));
        if (i + 1 >= args.size())
            return usage(cmd, QStringLiteral("%1 needs a value").arg(a));
        const QString value = args.at(++i);
        bool ok = true;
        auto count = [&](int *target) {
            const int n = value.toInt(&ok);
            ok = ok && n >= 0;
            if (ok)
                *target = n;
        };
        if (a == QLatin1String("--seed"))
            options.seed = value.toUInt(&ok);
        else if (a == QLatin1String("--name"))
            options.baseName = value;
        else if (a == QLatin1String("--samples"))
            count(&options.samples);
        else if (a == QLatin1String("--period"))
            count(&options.periodMinutes);
        else if (a == QLatin1String("--pause-start"))
            count(&options.pauseStart);
        else if (a == QLatin1String("--pause-length"))
            count(&options.pauseLength);
        else
            config.id = value;
        if (!ok)
            return usage(cmd, QStringLiteral("bad value for %1: %2").arg(a, value));
    }
    if (dir.isEmpty())
        return usage(cmd, QStringLiteral("expects a DIR"));
    if (options.periodMinutes < 1 || options.periodMinutes > 10)
        return usage(cmd, QStringLiteral("--period must be 1 to 10"));
    if (options.baseName.contains(QLatin1Char('/')) || options.baseName.contains(QLatin1Char('.')))
        return usage(cmd, QStringLiteral("--name must be a plain base name without '/' or '.'"));

    const QString base = Fixtures::writeMeasurement(dir, options);
    if (base.isEmpty()) {
        printError(cmd, QStringLiteral("cannot write into %1").arg(dir));
        return ExitOutput;
    }
    QString out = base + QLatin1Char('\n');
    if (writeConfig) {
        config.settings = options.settings;
        config.periodMinutes = options.periodMinutes;
        const QString cfg = QDir(dir).filePath(QStringLiteral("config_nvx2200.cfg"));
        if (!Fixtures::writeConfig(cfg, config)) {
            printError(cmd, QStringLiteral("cannot write %1").arg(cfg));
            return ExitOutput;
        }
        out += cfg + QLatin1Char('\n');
    }
    printOut(out.toLocal8Bit());
    return ExitOk;
}
