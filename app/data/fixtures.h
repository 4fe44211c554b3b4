#pragma once
#include <QDateTime>
#include <QString>

// Generator of realistic instrument files, for tests, benchmarks and the demo
// instrument. Output depends only on the options: the same seed gives the same
// bytes. Files are written as the instrument writes them (Windows-1252, CR LF).
namespace Fixtures {

// The Usuário profile's settings, as setting codes.
struct UserSettings
{
    QString taxa_troca = QStringLiteral("5");
    QString ponderacao_tempo = QStringLiteral("s");
    QString ponderacao_frequencia = QStringLiteral("a");
    QString limiar_nivel = QStringLiteral("80");
    QString nivel_criterio = QStringLiteral("90");
    QString exceedance = QStringLiteral("115");
};

struct MeasurementOptions
{
    quint32 seed = 1;
    // Empty: "MED" + the seed as five digits (it is also the id_medicao).
    QString baseName;
    // Invalid: the seed-th working day from Monday 4 March 2024, starting
    // between 07:00 and 07:59.
    QDateTime start;
    int samples = 540;        // sample lines; a 9-hour day at 1 minute
    int periodMinutes = 1;    // sampling period, 1 to 10
    int pauseStart = -1;      // first paused sample; -1: the middle of the day
    int pauseLength = 60;     // paused samples ("-" in the pause column); 0: none
    bool identification = false; // fill company, technician, employee, sector
    QString observacoes;      // empty: " ", as the instrument leaves it
    UserSettings settings;
};

// Writes dir/BASE.head, dir/BASE.dat and dir/BASE.hist (creating dir when
// needed): a workday of samples with a paused stretch, the three profiles'
// results computed from them, and an 11-band spectrum whose ruido record is
// split over two lines. Returns dir + "/" + BASE, or an empty string when a
// file could not be written.
QString writeMeasurement(const QString &dir, const MeasurementOptions &options = {});

struct ConfigOptions
{
    QString id = QStringLiteral("nvx2200_01_00000");
    UserSettings settings;
    int periodMinutes = 1;
    QString jornada = QStringLiteral("8:0");
    QString almocoInicio = QStringLiteral("12:00:00");
    QString almocoDuracao = QStringLiteral("01:00:00");
    QDateTime savedAt; // invalid: the never-saved "00/00/00" and "00:00:00"
};

// Writes a 28-line configuration file at path; the lines not set from the
// options keep the record's defaults. Returns false on failure.
bool writeConfig(const QString &path, const ConfigOptions &options = {});

} // namespace Fixtures
