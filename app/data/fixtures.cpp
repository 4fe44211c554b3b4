#include "fixtures.h"

#include "medicao.h"
#include "textfile.h"

#include <QDir>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Fixtures {
namespace {

// splitmix64: small, fast, and the same sequence on every platform (the
// standard library's distributions are not).
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int integer(int lo, int hi) { return lo + int(next() % quint64(hi - lo + 1)); }
    // Roughly normal, mean 0 and deviation 1, from plain arithmetic.
    double gauss() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508; }

private:
    quint64 m_state;
};

QString dB(double v) { return QString::number(v, 'f', 1); }

QString hms(qint64 seconds)
{
    const qint64 h = seconds / 3600;
    const int m = int(seconds / 60 % 60);
    const int s = int(seconds % 60);
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

// Levels are kept at the 0.1 dB the files show, so that the results computed
// here agree with the samples as written.
double clampLevel(double v) { return std::round(std::min(140.0, std::max(30.0, v)) * 10.0) / 10.0; }

const char *const kEvaluators[] = {"Acústica Ocupacional Ltda.", "Higiene & Segurança do Trabalho São Paulo",
                                   "Consultoria Araújo Medições"};
const char *const kTechnicians[] = {"Eng. Márcio Guimarães", "Téc. Joana Simões",
                                    "Eng.ª Cecília Brandão"};
const char *const kCompanies[] = {"Metalúrgica São João Ltda.", "Fundição Conceição S.A.",
                                  "Cerâmica Paraná", "Têxtil Açaí Indústria"};
const char *const kEmployees[] = {"José Antônio Pereira", "Luíza Gonçalves", "André Müller",
                                  "Márcia Ribeiro"};
const char *const kSectors[] = {"Caldeiraria", "Usinagem — Tornos CNC", "Expedição",
                                "Prensas – Linha 2"};

struct Profile
{
    double exchange;   // dB per doubling
    double criterion;  // dB
    double threshold;  // dB
    double exceedance; // dB
};

struct ProfileResults
{
    double dose = 0, doseProjected = 0, lavg = 0, ne = 0, nen = 0, twa = 0, ptwa = 0, exph = 0;
    double lmax = 0, lmin = 0;
    int tlmax = 0, tlmin = 0;
    int exceedances = 0;
};

// The dosimeter arithmetic, on the samples taken while not paused: dose
// against an 8-hour criterion, and the averages derived from it.
ProfileResults evaluate(const Profile &p, const QVector<double> &levels,
                        const QVector<double> &peaks, const QVector<bool> &paused,
                        double periodMinutes)
{
    ProfileResults r;
    double minutes = 0;
    double dose = 0;
    double energy = 0;
    bool first = true;
    for (int i = 0; i < levels.size(); ++i) {
        if (paused[i])
            continue;
        minutes += periodMinutes;
        const double l = levels[i];
        if (l >= p.threshold)
            dose += periodMinutes / 480.0 * std::pow(2.0, (l - p.criterion) / p.exchange);
        energy += periodMinutes * std::pow(10.0, l / 10.0);
        if (first || l > r.lmax) {
            r.lmax = l;
            r.tlmax = i;
        }
        if (first || l < r.lmin) {
            r.lmin = l;
            r.tlmin = i;
        }
        first = false;
        if (peaks[i] > p.exceedance)
            ++r.exceedances;
    }
    if (minutes <= 0)
        return r;
    const double q = p.exchange / std::log10(2.0);
    r.dose = 100.0 * dose;
    r.doseProjected = r.dose * 480.0 / minutes;
    r.lavg = dose > 0 ? p.criterion + q * std::log10(dose * 480.0 / minutes) : 0.0;
    r.twa = dose > 0 ? p.criterion + q * std::log10(dose) : 0.0;
    r.ptwa = dose > 0 ? p.criterion + q * std::log10(dose * 480.0 / minutes) : 0.0;
    const double leq = 10.0 * std::log10(energy / minutes);
    r.ne = leq;
    r.nen = leq + 10.0 * std::log10(minutes / 480.0);
    // Exposure in Pa²h: p0² = 4e-10 Pa².
    r.exph = minutes / 60.0 * 4e-10 * std::pow(10.0, leq / 10.0);
    return r;
}

QString line(const QStringList &fields) { return fields.join(QLatin1Char(';')) + QLatin1String(";\n"); }

} // namespace

QString writeMeasurement(const QString &dir, const MeasurementOptions &o)
{
    Random rnd(o.seed);
    const int samples = std::max(0, o.samples);
    const int period = std::min(10, std::max(1, o.periodMinutes));
    const QString base = o.baseName.isEmpty()
                             ? QStringLiteral("MED%1").arg(o.seed % 100000, 5, 10, QLatin1Char('0'))
                             : o.baseName;

    QDateTime start = o.start;
    if (!start.isValid()) {
        QDate day(2024, 3, 4);
        for (quint32 n = 1; n < o.seed % 1000; ) {
            day = day.addDays(1);
            if (day.dayOfWeek() <= 5)
                ++n;
        }
        start = QDateTime(day, QTime(7, rnd.integer(0, 59), 0));
    }

    // Levels of a working day: tasks of a few minutes to most of an hour,
    // each at its own level, with some spread from minute to minute.
    QVector<double> level(samples), peak(samples), nrLevel(samples), nrMax(samples), nrPeak(samples);
    QVector<bool> paused(samples, false);
    const int pauseStart = o.pauseStart >= 0 ? o.pauseStart : samples / 2 - o.pauseLength / 2;
    const int pauseEnd = pauseStart + std::max(0, o.pauseLength);
    double taskLevel = 0;
    int taskLeft = 0;
    for (int i = 0; i < samples; ++i) {
        paused[i] = i >= pauseStart && i < pauseEnd;
        if (taskLeft-- <= 0) {
            taskLeft = rnd.integer(5, 45);
            taskLevel = rnd.uniform() < 0.2 ? rnd.uniform(66, 76) : rnd.uniform(78, 97);
        }
        const double base = paused[i] ? rnd.uniform(52, 62) : taskLevel;
        level[i] = clampLevel(base + 1.5 * rnd.gauss());
        peak[i] = clampLevel(level[i] + rnd.uniform(12, 32));
        nrLevel[i] = clampLevel(level[i] - rnd.uniform(0.0, 1.2));
        nrMax[i] = clampLevel(nrLevel[i] + rnd.uniform(1.0, 6.0));
        nrPeak[i] = clampLevel(peak[i] - rnd.uniform(0.0, 1.5));
    }

    const UserSettings &s = o.settings;
    const double weighting = s.ponderacao_frequencia == QLatin1String("c")   ? rnd.uniform(1.5, 3.0)
                             : s.ponderacao_frequencia == QLatin1String("z") ? rnd.uniform(2.5, 4.5)
                                                                             : 0.0;
    QVector<double> userLavg(samples), userLeq(samples), userPeak(samples);
    for (int i = 0; i < samples; ++i) {
        userLavg[i] = clampLevel(nrLevel[i] + weighting);
        userLeq[i] = clampLevel(level[i] + weighting);
        userPeak[i] = clampLevel(peak[i] + weighting);
    }

    QString dat = QStringLiteral("Tempo;Pausa;Leq NHO;Pico NHO;Lavg NR;Lmax NR;Pico NR;"
                                 "Lavg Usuário;Leq Usuário;Pico Usuário;\n");
    dat.reserve(samples * 64 + 128);
    QStringList times;
    for (int i = 0; i < samples; ++i) {
        times.append(start.time().addSecs((i + 1) * period * 60).toString(QStringLiteral("hh:mm:ss")));
        dat += line({times.last(), paused[i] ? QStringLiteral("-") : QStringLiteral("+"),
                     dB(level[i]), dB(peak[i]), dB(nrLevel[i]), dB(nrMax[i]), dB(nrPeak[i]),
                     dB(userLavg[i]), dB(userLeq[i]), dB(userPeak[i])});
    }

    const double userExchange = s.taxa_troca.toDouble() > 0 ? s.taxa_troca.toDouble() : 5.0;
    const ProfileResults nho = evaluate({3, 85, 80, 115}, level, peak, paused, period);
    const ProfileResults nr = evaluate({5, 85, 80, 115}, nrLevel, nrPeak, paused, period);
    const ProfileResults user = evaluate({userExchange, s.nivel_criterio.toDouble(),
                                          s.limiar_nivel.toDouble(), s.exceedance.toDouble()},
                                         userExchange == 3 ? userLeq : userLavg, userPeak, paused,
                                         period);
    const ProfileResults all[3] = {nho, nr, user};
    auto row = [&](const char *key, auto value) {
        QStringList fields{QString::fromLatin1(key)};
        for (const ProfileResults &r : all)
            fields.append(value(r));
        return line(fields);
    };
    auto timeOf = [&](int i) { return i < times.size() ? times.at(i) : QStringLiteral("00:00:00"); };

    QString hist = QStringLiteral("Resultados;%1;\n").arg(base);
    hist += row("dose", [](const ProfileResults &r) { return dB(r.dose); });
    hist += row("dose_projetada", [](const ProfileResults &r) { return dB(r.doseProjected); });
    hist += row("lavg", [](const ProfileResults &r) { return dB(r.lavg); });
    hist += row("ne", [](const ProfileResults &r) { return dB(r.ne); });
    hist += row("nen", [](const ProfileResults &r) { return dB(r.nen); });
    hist += row("twa", [](const ProfileResults &r) { return dB(r.twa); });
    hist += line({QStringLiteral("filtro"), QStringLiteral("a"), QStringLiteral("a"), s.ponderacao_frequencia});
    hist += line({QStringLiteral("ponderacao_tempo"), QStringLiteral("s"), QStringLiteral("s"), s.ponderacao_tempo});
    hist += row("lmax", [](const ProfileResults &r) { return dB(r.lmax); });
    hist += row("tlmax", [&](const ProfileResults &r) { return timeOf(r.tlmax); });
    hist += row("lmin", [](const ProfileResults &r) { return dB(r.lmin); });
    hist += row("tlmin", [&](const ProfileResults &r) { return timeOf(r.tlmin); });
    hist += row("ptwa", [](const ProfileResults &r) { return dB(r.ptwa); });
    hist += row("exp", [](const ProfileResults &r) { return QString::number(r.exph, 'f', 2); });
    // Exceedances last a fraction of a second to a few seconds each.
    auto exceedanceMs = [&](int count) {
        qint64 ms = 0;
        for (int i = 0; i < count; ++i)
            ms += rnd.integer(40, 3000);
        return QString::number(ms);
    };
    hist += line({QStringLiteral("exceedanceCount"), QString::number(nho.exceedances)});
    hist += line({QStringLiteral("exceedanceTempo"), exceedanceMs(nho.exceedances)});
    hist += line({QStringLiteral("exceedanceCountUser"), QString::number(user.exceedances)});
    hist += line({QStringLiteral("exceedanceTempoUser"), exceedanceMs(user.exceedances)});

    // Octave bands 16 Hz to 16 kHz around the NHO-01 average, shaped like
    // machinery noise; the instrument writes 8 levels, then the other 3 on a
    // line of their own.
    static const double shape[11] = {-24, -17, -11, -7, -4, -2.5, -2, -3, -6, -11, -20};
    QStringList bands;
    for (double offset : shape)
        bands.append(dB(clampLevel(nho.ne + offset + rnd.gauss())));
    hist += QStringLiteral("freq;16;31.5;63;125;250;500;1000;2000;4000;8000;16000;\n");
    hist += line(QStringList{QStringLiteral("ruido")} + bands.mid(0, 8));
    hist += line(bands.mid(8));

    const qint64 seconds = qint64(samples) * period * 60;
    const QDateTime end = start.addSecs(seconds);
    auto ident = [&](const auto &list) {
        const int n = int(std::size(list));
        return o.identification ? QString::fromUtf8(list[rnd.integer(0, n - 1)]) : QStringLiteral(" ");
    };
    const QStringList values = {
        base,
        ident(kEvaluators),
        ident(kTechnicians),
        ident(kCompanies),
        ident(kEmployees),
        QStringLiteral("8:0"),
        ident(kSectors),
        start.date().toString(QStringLiteral("dd/MM/yyyy")),
        start.time().toString(QStringLiteral("hh:mm:ss")),
        end.time().toString(QStringLiteral("hh:mm:ss")),
        hms(seconds),
        QString::number(period),
        QStringLiteral("NVX2200-%1").arg(rnd.integer(1000, 99999), 5, 10, QLatin1Char('0')),
        QString::number(o.seed % 100000),
        s.taxa_troca,
        s.ponderacao_tempo,
        s.ponderacao_frequencia,
        s.limiar_nivel,
        s.nivel_criterio,
        s.exceedance,
        dB(94.0 + rnd.uniform(-0.1, 0.1)),
        dB(94.0 + rnd.uniform(-0.3, 0.3)),
        o.observacoes.isEmpty() ? QStringLiteral(" ") : o.observacoes,
    };
    QString head;
    const QStringList &keys = Medicao::headerKeys();
    for (int i = 0; i < keys.size(); ++i)
        head += keys.at(i) + QLatin1Char(';') + values.at(i) + QLatin1String(";\n");

    if (!QDir().mkpath(dir))
        return QString();
    const QString basePath = QDir(dir).filePath(base);
    if (!TextFile::write(basePath + QLatin1String(".head"), head)
        || !TextFile::write(basePath + QLatin1String(".dat"), dat)
        || !TextFile::write(basePath + QLatin1String(".hist"), hist))
        return QString();
    return basePath;
}

bool writeConfig(const QString &path, const ConfigOptions &o)
{
    QStringList lines = Medicao().configLines();
    lines[Medicao::C_cfg_id] = o.id;
    lines[Medicao::C_cfg_taxa_troca] = o.settings.taxa_troca;
    lines[Medicao::C_cfg_ponderacao_tempo] = o.settings.ponderacao_tempo;
    lines[Medicao::C_cfg_ponderacao_frequencia] = o.settings.ponderacao_frequencia;
    lines[Medicao::C_cfg_limiar_nivel] = o.settings.limiar_nivel;
    lines[Medicao::C_cfg_nivel_criterio] = o.settings.nivel_criterio;
    lines[Medicao::C_cfg_exceedance] = o.settings.exceedance;
    lines[Medicao::C_cfg_jornada] = o.jornada;
    lines[Medicao::C_cfg_periodo_amostragem] = QString::number(o.periodMinutes);
    lines[Medicao::C_cfg_almoco_inicio] = o.almocoInicio;
    lines[Medicao::C_cfg_almoco_duracao] = o.almocoDuracao;
    if (o.savedAt.isValid()) {
        lines[Medicao::C_cfg_data] = o.savedAt.date().toString(QStringLiteral("dd/MM/yyyy"));
        lines[Medicao::C_cfg_hora] = o.savedAt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    return TextFile::writeLines(path, lines);
}

} // namespace Fixtures
