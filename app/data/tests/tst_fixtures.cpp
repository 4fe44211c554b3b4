#include "fixtures.h"
#include "medicao.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray allBytes(const QString &base)
{
    return readBytes(base + ".head") + readBytes(base + ".dat") + readBytes(base + ".hist");
}

double num(const QString &s)
{
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok ? v : -1.0;
}

} // namespace

class TestFixtures : public QObject
{
    Q_OBJECT

private slots:
    void sameSeedSameBytes();
    void workday();
    void levelsArePlausible();
    void resultsAndBands();
    void periodAndNamesFollowOptions();
    void identificationIsWindows1252();
    void config();

private:
    QTemporaryDir m_dir;
};

void TestFixtures::sameSeedSameBytes()
{
    Fixtures::MeasurementOptions o;
    o.seed = 77;
    const QString a = Fixtures::writeMeasurement(m_dir.filePath("a"), o);
    const QString b = Fixtures::writeMeasurement(m_dir.filePath("b"), o);
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    QCOMPARE(allBytes(a), allBytes(b));
    o.seed = 78;
    const QString c = Fixtures::writeMeasurement(m_dir.filePath("c"), o);
    QVERIFY(readBytes(c + ".dat") != readBytes(a + ".dat"));
}

void TestFixtures::workday()
{
    Fixtures::MeasurementOptions o;
    o.seed = 5;
    const QString base = Fixtures::writeMeasurement(m_dir.filePath("day"), o);
    QCOMPARE(base, m_dir.filePath("day/MED00005"));
    Medicao m;
    QVERIFY(m.readHeader(base + ".head"));
    QVERIFY(m.readSamples(base + ".dat"));

    // 540 one-minute samples with one paused hour in the middle.
    const QVector<QString> pause = m.amostra_pausa();
    QCOMPARE(pause.size(), 540);
    const int first = pause.indexOf("-");
    QCOMPARE(first, 240);
    QCOMPARE(pause.count("-"), 60);
    QCOMPARE(pause.lastIndexOf("-"), 299);

    QCOMPARE(m.periodo_amostragem(), QStringLiteral("1"));
    QCOMPARE(m.duracao_medicao(), QStringLiteral("09:00:00"));
    QCOMPARE(m.id_medicao(), QStringLiteral("5"));
    QCOMPARE(m.nome_da_medicao(), QStringLiteral("MED00005"));
    // The fifth working day from Monday 4 March 2024.
    QCOMPARE(m.data_medicao(), QStringLiteral("08/03/2024"));
    const QTime start = QTime::fromString(m.inicio_medicao(), "hh:mm:ss");
    QVERIFY(start.isValid() && start.hour() == 7);
    QCOMPARE(m.amostra_tempo().first(), start.addSecs(60).toString("hh:mm:ss"));
    QCOMPARE(m.fim_medicao(), start.addSecs(540 * 60).toString("hh:mm:ss"));
    QCOMPARE(m.amostra_tempo().last(), m.fim_medicao());
    QCOMPARE(m.empresa_avaliadora(), QStringLiteral(" "));
    QCOMPARE(m.observacoes(), QStringLiteral(" "));
}

void TestFixtures::levelsArePlausible()
{
    for (quint32 seed : {1u, 2u, 3u, 1000u}) {
        Fixtures::MeasurementOptions o;
        o.seed = seed;
        o.settings.ponderacao_frequencia = seed % 2 ? "c" : "z";
        const QString base = Fixtures::writeMeasurement(m_dir.filePath("levels"), o);
        Medicao m;
        QVERIFY(m.readSamples(base + ".dat"));
        const QVector<QString> paused = m.amostra_pausa();
        double loudest = 0;
        for (int i = 0; i < paused.size(); ++i) {
            const double leq = num(m.amostra_leq_nho().at(i));
            const double peak = num(m.amostra_pico_nho().at(i));
            const double nr = num(m.amostra_lavg_nr().at(i));
            const double user = num(m.amostra_leq_usuario().at(i));
            QVERIFY2(leq >= 40 && leq <= 110, qPrintable(m.amostra_leq_nho().at(i)));
            QVERIFY(peak > leq && peak <= 140);
            QVERIFY(nr <= leq && nr > leq - 2);
            QVERIFY(user > leq); // C and Z weighting read higher than A
            QVERIFY(num(m.amostra_pico_usuario().at(i)) <= 140);
            if (paused.at(i) == QLatin1String("-"))
                QVERIFY(leq < 70);
            else
                QCOMPARE(paused.at(i), QStringLiteral("+"));
            loudest = std::max(loudest, leq);
        }
        QVERIFY(loudest > 80); // a working day that matters for the survey
    }
}

void TestFixtures::resultsAndBands()
{
    Fixtures::MeasurementOptions o;
    o.seed = 9;
    o.settings.taxa_troca = "3";
    const QString base = Fixtures::writeMeasurement(m_dir.filePath("results"), o);
    Medicao m;
    QVERIFY(m.readResults(base + ".hist"));
    QVERIFY(m.readSamples(base + ".dat"));
    for (int i = 0; i < Medicao::ProfileResultCount; ++i) {
        const QVector<QString> v = m.profileResult(i);
        QCOMPARE(v.size(), 6);
        for (int p = 0; p < 3; ++p)
            QVERIFY2(v.at(p) != QLatin1String(" "), qPrintable(Medicao::profileResultKeys().at(i)));
    }
    QCOMPARE(m.filtro().mid(0, 3), (QVector<QString>{"a", "a", "a"}));
    QCOMPARE(m.freq().size(), 12);
    QCOMPARE(m.ruido().size(), 12);
    QCOMPARE(m.ruido().last(), QStringLiteral(" "));
    QVERIFY(m.exceedanceCountUser() != QLatin1String(" "));

    // Results agree with the samples they come from.
    const QVector<QString> leq = m.amostra_leq_nho();
    const QVector<QString> paused = m.amostra_pausa();
    double lmax = 0;
    for (int i = 0; i < leq.size(); ++i) {
        if (paused.at(i) != QLatin1String("-"))
            lmax = std::max(lmax, num(leq.at(i)));
    }
    QCOMPARE(num(m.lmax().at(0)), lmax);
    QCOMPARE(m.tlmax().at(0), m.amostra_tempo().at(leq.indexOf(m.lmax().at(0))));
    // 9 hours less the paused one: exactly 8 hours measured, nothing to project.
    QCOMPARE(m.dose_projetada().mid(0, 3), m.dose().mid(0, 3));

    // The band record is split over two lines, as the instrument writes it.
    const QStringList lines = QString::fromLatin1(readBytes(base + ".hist")).split("\r\n");
    const int r = lines.indexOf(QRegularExpression("^ruido;.*"));
    QVERIFY(r > 0);
    QCOMPARE(lines.at(r).split(';', Qt::SkipEmptyParts).size(), 9);
    QCOMPARE(lines.at(r + 1).split(';', Qt::SkipEmptyParts).size(), 3);
}

void TestFixtures::periodAndNamesFollowOptions()
{
    Fixtures::MeasurementOptions o;
    o.seed = 4;
    o.baseName = "TURNO_B";
    o.samples = 10;
    o.periodMinutes = 5;
    o.pauseStart = 2;
    o.pauseLength = 3;
    o.start = QDateTime(QDate(2024, 6, 3), QTime(22, 0));
    const QString base = Fixtures::writeMeasurement(m_dir.filePath("opts"), o);
    QCOMPARE(QFileInfo(base).fileName(), QStringLiteral("TURNO_B"));
    Medicao m;
    QVERIFY(m.readHeader(base + ".head"));
    QVERIFY(m.readSamples(base + ".dat"));
    QCOMPARE(m.amostra_tempo(), (QVector<QString>{"22:05:00", "22:10:00", "22:15:00", "22:20:00", "22:25:00",
                                                  "22:30:00", "22:35:00", "22:40:00", "22:45:00", "22:50:00"}));
    QCOMPARE(m.amostra_pausa(), (QVector<QString>{"+", "+", "-", "-", "-", "+", "+", "+", "+", "+"}));
    QCOMPARE(m.periodo_amostragem(), QStringLiteral("5"));
    QCOMPARE(m.duracao_medicao(), QStringLiteral("00:50:00"));
    QCOMPARE(m.data_medicao(), QStringLiteral("03/06/2024"));

    o.samples = 0;
    QVERIFY(!Fixtures::writeMeasurement(m_dir.filePath("empty"), o).isEmpty());
    // A file where the folder should be: nothing can be written.
    QVERIFY(writeBytes(m_dir.filePath("blocked"), "x"));
    QCOMPARE(Fixtures::writeMeasurement(m_dir.filePath("blocked"), o), QString());
}

void TestFixtures::identificationIsWindows1252()
{
    Fixtures::MeasurementOptions o;
    o.identification = true;
    o.observacoes = QString::fromUtf8("Protetor tipo concha.\nOperação normal");
    const QString base = Fixtures::writeMeasurement(m_dir.filePath("ident"), o);
    Medicao m;
    QVERIFY(m.readHeader(base + ".head"));
    QCOMPARE(m.observacoes(), o.observacoes);
    const QString names = m.empresa_avaliadora() + m.responsavel_tecnico() + m.empresa_avaliada()
                          + m.funcionario_avaliado() + m.setor();
    QVERIFY(!names.contains(QLatin1String("  ")));
    QVERIFY(names.contains(QRegularExpression("[ãçéíóúâêôü]")));
    QVERIFY(!readBytes(base + ".head").contains("\xC3")); // no UTF-8 sequences
}

void TestFixtures::config()
{
    Fixtures::ConfigOptions o;
    o.id = "nvx2200_01_00123";
    o.settings.taxa_troca = "3";
    o.settings.exceedance = "130";
    o.periodMinutes = 2;
    o.savedAt = QDateTime(QDate(2024, 3, 1), QTime(17, 5, 9));
    const QString path = m_dir.filePath("config_nvx2200.cfg");
    QVERIFY(Fixtures::writeConfig(path, o));
    QVERIFY(readBytes(path).endsWith("0\r\n"));
    Medicao m;
    QVERIFY(m.readConfig(path));
    QCOMPARE(m.cfg_id(), o.id);
    QCOMPARE(m.cfg_taxa_troca(), QStringLiteral("3"));
    QCOMPARE(m.cfg_exceedance(), QStringLiteral("130"));
    QCOMPARE(m.cfg_periodo_amostragem(), QStringLiteral("2"));
    QCOMPARE(m.cfg_data(), QStringLiteral("01/03/2024"));
    QCOMPARE(m.cfg_hora(), QStringLiteral("17:05:09"));
    QCOMPARE(m.cfg_almoco_duracao(), QStringLiteral("01:00:00"));
    QCOMPARE(m.configLines().at(13), QStringLiteral("94.0"));
}

QTEST_APPLESS_MAIN(TestFixtures)
#include "tst_fixtures.moc"
