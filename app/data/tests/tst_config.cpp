#include "localpaths.h"
#include "medicao.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kDefaults = {
    "nvx2200_01_00000", "0", "5", "s", "a", "80", "90", "115", "0", "8:0", "6", "00/00/00",
    "00:00:00", "94.0", "0", "114.0", "2948056.5", "2951434.5", "1", "00:00:00", "00/00/0000",
    "00:00:00", "00:00:00", "1", "00/00/00", "00:00:00", "00:00:00", "0",
};

// The content of the hand-written configuration fixtures.
const QStringList kFixture = {
    "nvx2200_01_04711", "0", "3", "f", "c", "85", "85", "120", "0", "12:30", "5", "02/09/2024",
    "16:45:10", "94.0", "0", "114.0", "2948056.5", "2951434.5", "1", "00:00:00", "00/00/0000",
    "12:00:00", "01:00:00", "1", "10/09/2024", "07:00:00", "15:30:00", "0",
};

QByteArray crlfFile(const QStringList &lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaults();
    void read_data();
    void read();
    void accessors();
    void saveIsByteExact();
    void saveKeepsUninterpretedLines();
    void saveCreatesMissingLocalCopy();
    void saveCreatesMissingInstrumentFile();
    void failedLocalWriteLeavesInstrumentFile();
    void failedReplacementKeepsInstrumentFile();

private:
    QString instrumentFile() const { return m_dir->filePath(QStringLiteral("NVX2200/config_nvx2200.cfg")); }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestConfig::init()
{
    m_dir.reset(new QTemporaryDir);
    LocalPaths::setApplicationDir(m_dir->filePath(QStringLiteral("app")));
    QVERIFY(QDir().mkpath(LocalPaths::profileDir()));
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("NVX2200"))));
}

void TestConfig::cleanup()
{
    LocalPaths::setApplicationDir(QString());
}

void TestConfig::defaults()
{
    QCOMPARE(Medicao().configLines(), kDefaults);
}

void TestConfig::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("lf line ends") << readBytes(fixturePath("config-lf.cfg")) << true << kFixture;
    QTest::newRow("crlf line ends") << crlfFile(kFixture) << true << kFixture;
    QTest::newRow("30 lines: the first 28") << readBytes(fixturePath("config-30-lines.cfg")) << true << kFixture;
    QTest::newRow("an empty fifth line: 27 parts, ignored")
        << readBytes(fixturePath("config-empty-line.cfg")) << false << kDefaults;
    QTest::newRow("27 lines ignored") << crlfFile(kFixture.mid(0, 27)) << false << kDefaults;
    QTest::newRow("blank lines between are dropped")
        << crlfFile(kFixture).replace("\r\n", "\r\n\r\n") << true << kFixture;
    QTest::newRow("no final line break") << kFixture.join(QLatin1Char('\n')).toLatin1() << true << kFixture;
    QTest::newRow("empty file") << QByteArray() << false << kDefaults;
    QTest::newRow("binary junk") << QByteArray("\0\xff\n\n\x81", 5) << false << kDefaults;
}

void TestConfig::read()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, taken);
    QFETCH(QStringList, expected);
    QVERIFY(writeBytes(instrumentFile(), content));
    Medicao m;
    QCOMPARE(m.readConfig(instrumentFile()), taken);
    QCOMPARE(m.configLines(), expected);
}

void TestConfig::accessors()
{
    Medicao m;
    QVERIFY(!m.readConfig(m_dir->filePath(QStringLiteral("missing.cfg"))));
    QCOMPARE(m.configLines(), kDefaults);
    QVERIFY(m.readConfig(fixturePath(QStringLiteral("config-lf.cfg"))));
    QCOMPARE(m.cfg_id(), QStringLiteral("nvx2200_01_04711"));
    QCOMPARE(m.cfg_linha_2(), QStringLiteral("0"));
    QCOMPARE(m.cfg_taxa_troca(), QStringLiteral("3"));
    QCOMPARE(m.cfg_ponderacao_tempo(), QStringLiteral("f"));
    QCOMPARE(m.cfg_ponderacao_frequencia(), QStringLiteral("c"));
    QCOMPARE(m.cfg_limiar_nivel(), QStringLiteral("85"));
    QCOMPARE(m.cfg_nivel_criterio(), QStringLiteral("85"));
    QCOMPARE(m.cfg_exceedance(), QStringLiteral("120"));
    QCOMPARE(m.cfg_jornada(), QStringLiteral("12:30"));
    QCOMPARE(m.cfg_periodo_amostragem(), QStringLiteral("5"));
    QCOMPARE(m.cfg_data(), QStringLiteral("02/09/2024"));
    QCOMPARE(m.cfg_hora(), QStringLiteral("16:45:10"));
    QCOMPARE(m.cfg_almoco_inicio(), QStringLiteral("12:00:00"));
    QCOMPARE(m.cfg_almoco_duracao(), QStringLiteral("01:00:00"));
    QCOMPARE(m.cfg_programa_data(), QStringLiteral("10/09/2024"));
    QCOMPARE(m.cfg_programa_inicio(), QStringLiteral("07:00:00"));
    QCOMPARE(m.cfg_programa_fim(), QStringLiteral("15:30:00"));
}

void TestConfig::saveIsByteExact()
{
    QVERIFY(writeBytes(instrumentFile(), readBytes(fixturePath("config-lf.cfg"))));
    QVERIFY(writeBytes(LocalPaths::localConfigFile(), "stale\r\n"));
    Medicao m;
    QVERIFY(m.readConfig(instrumentFile()));
    // What the configuration dialog sets.
    m.setCfg_taxa_troca(QStringLiteral("4"));
    m.setCfg_ponderacao_tempo(QStringLiteral("i"));
    m.setCfg_ponderacao_frequencia(QStringLiteral("z"));
    m.setCfg_limiar_nivel(QStringLiteral("60"));
    m.setCfg_nivel_criterio(QStringLiteral("70"));
    m.setCfg_exceedance(QStringLiteral("140"));
    m.setCfg_jornada(QStringLiteral("14:55"));
    m.setCfg_periodo_amostragem(QStringLiteral("10"));
    m.setCfg_data(QStringLiteral("11/12/2025"));
    m.setCfg_hora(QStringLiteral("09:08:07"));
    m.setCfg_almoco_inicio(QStringLiteral("11:30:00"));
    m.setCfg_almoco_duracao(QStringLiteral("00:00:00"));
    m.setCfg_programa_data(QStringLiteral("00/00/0000"));
    m.setCfg_programa_inicio(QStringLiteral("06:00:00"));
    m.setCfg_programa_fim(QStringLiteral("18:00:00"));
    QVERIFY(m.saveConfig(instrumentFile()));

    const QByteArray expected =
        "nvx2200_01_04711\r\n0\r\n4\r\ni\r\nz\r\n60\r\n70\r\n140\r\n0\r\n14:55\r\n10\r\n"
        "11/12/2025\r\n09:08:07\r\n94.0\r\n0\r\n114.0\r\n2948056.5\r\n2951434.5\r\n1\r\n"
        "00:00:00\r\n00/00/0000\r\n11:30:00\r\n00:00:00\r\n1\r\n00/00/0000\r\n06:00:00\r\n"
        "18:00:00\r\n0\r\n";
    QCOMPARE(readBytes(instrumentFile()), expected);
    QCOMPARE(readBytes(LocalPaths::localConfigFile()), expected);
    QCOMPARE(filesIn(m_dir->filePath(QStringLiteral("NVX2200"))), QStringList{"config_nvx2200.cfg"});
}

void TestConfig::saveKeepsUninterpretedLines()
{
    // Never read: the defaults go out, "94.0" on line 14 among them.
    Medicao fresh;
    QVERIFY(fresh.saveConfig(instrumentFile()));
    QCOMPARE(readBytes(instrumentFile()), crlfFile(kDefaults));

    // Read from a file whose uninterpreted lines differ from the defaults.
    QStringList odd = kFixture;
    for (int line : {2, 9, 14, 15, 16, 17, 18, 19, 20, 21, 24, 28})
        odd[line - 1] = QStringLiteral("x%1").arg(line);
    QVERIFY(writeBytes(instrumentFile(), crlfFile(odd)));
    Medicao m;
    QVERIFY(m.readConfig(instrumentFile()));
    QVERIFY(m.saveConfig(instrumentFile()));
    QCOMPARE(readBytes(instrumentFile()), crlfFile(odd));
}

void TestConfig::saveCreatesMissingLocalCopy()
{
    QVERIFY(QDir(LocalPaths::archiveDir()).removeRecursively());
    QVERIFY(writeBytes(instrumentFile(), crlfFile(kFixture)));
    Medicao m;
    QVERIFY(m.readConfig(instrumentFile()));
    m.setCfg_taxa_troca(QStringLiteral("5"));
    QVERIFY(m.saveConfig(instrumentFile()));
    QStringList expected = kFixture;
    expected[2] = QStringLiteral("5");
    QCOMPARE(readBytes(LocalPaths::localConfigFile()), crlfFile(expected));
    QCOMPARE(readBytes(instrumentFile()), crlfFile(expected));
}

void TestConfig::saveCreatesMissingInstrumentFile()
{
    Medicao m;
    QVERIFY(m.saveConfig(instrumentFile()));
    QCOMPARE(readBytes(instrumentFile()), crlfFile(kDefaults));
    QVERIFY(!m.saveConfig(QString()));
    QCOMPARE(readBytes(LocalPaths::localConfigFile()), crlfFile(kDefaults));
}

void TestConfig::failedLocalWriteLeavesInstrumentFile()
{
#ifdef Q_OS_UNIX
    const QByteArray old = crlfFile(kFixture);
    QVERIFY(writeBytes(instrumentFile(), old));
    QVERIFY(writeBytes(LocalPaths::localConfigFile(), old));
    Medicao m;
    m.setCfg_jornada(QString(500, QLatin1Char('9')));
    {
        FileSizeLimit limit(64);
        QVERIFY(limit.active());
        QVERIFY(!m.saveConfig(instrumentFile()));
    }
    QCOMPARE(readBytes(instrumentFile()), old);
    QCOMPARE(readBytes(LocalPaths::localConfigFile()), old);
    QCOMPARE(filesIn(m_dir->filePath(QStringLiteral("NVX2200"))), QStringList{"config_nvx2200.cfg"});
    QCOMPARE(filesIn(LocalPaths::profileDir()), QStringList{"config_nvx2200.cfg"});
#else
    QSKIP("needs a per-process file size limit");
#endif
}

void TestConfig::failedReplacementKeepsInstrumentFile()
{
    // A name so long that no temporary file can be made beside it: the
    // instrument's file can be neither written nor replaced.
    const QString longName = m_dir->filePath(QStringLiteral("NVX2200/") + QString(250, QLatin1Char('c')));
    const QByteArray old = crlfFile(kFixture);
    QVERIFY(writeBytes(longName, old));
    Medicao m;
    QVERIFY(!m.saveConfig(longName));
    QCOMPARE(readBytes(longName), old);
    QCOMPARE(readBytes(LocalPaths::localConfigFile()), crlfFile(kDefaults));
}

QTEST_APPLESS_MAIN(TestConfig)
#include "tst_config.moc"
