#include "demoinstrument.h"
#include "fixtures.h"
#include "localpaths.h"

#include <QDir>

namespace DemoInstrument {

QString root()
{
    return LocalPaths::applicationDir() + QStringLiteral("/demo-instrument");
}

QString ensure()
{
    const QString drive = root();
    const QString folder = drive + QStringLiteral("/NVX2200");
    if (QDir(folder).exists())
        return drive;
    QDir().mkpath(folder);

    // A week of surveys: different shifts, sampling periods and Usuário
    // settings, one with no pause.
    struct Survey {
        int samples, period, pauseLength;
        const char *taxa, *tempo, *filtro;
    };
    const Survey surveys[] = {
        {540, 1, 60, "5", "s", "a"}, {480, 1, 45, "3", "f", "a"}, {528, 1, 0, "5", "s", "c"},
        {240, 2, 15, "4", "s", "a"}, {96, 5, 6, "3", "i", "z"},   {600, 1, 60, "5", "s", "a"},
    };
    quint32 seed = 1;
    for (const Survey &s : surveys) {
        Fixtures::MeasurementOptions m;
        m.seed = seed++;
        m.samples = s.samples;
        m.periodMinutes = s.period;
        m.pauseLength = s.pauseLength;
        m.settings.taxa_troca = QLatin1String(s.taxa);
        m.settings.ponderacao_tempo = QLatin1String(s.tempo);
        m.settings.ponderacao_frequencia = QLatin1String(s.filtro);
        Fixtures::writeMeasurement(folder, m);
    }
    Fixtures::ConfigOptions config;
    config.id = QStringLiteral("nvx2200_01_02718");
    Fixtures::writeConfig(folder + QStringLiteral("/config_nvx2200.cfg"), config);
    return drive;
}

} // namespace DemoInstrument
