// dosedesk-cli run as a user runs it: output, messages and exit codes.
#include "medicao.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(DOSEDESK_CLI), args);
    Run r;
    if (!p.waitForFinished(30000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString fixture(const QString &name)
{
    return QStringLiteral(DATA_FIXTURES_DIR "/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QVector<QString> strings(const QJsonValue &v)
{
    QVector<QString> out;
    for (const QJsonValue &e : v.toArray())
        out.append(e.toString());
    return out;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dumpMatchesFixture();
    void configMatchesFixture();
    void dumpOfGeneratedMeasurement();
    void errors_data();
    void errors();
    void help();

private:
    QTemporaryDir m_dir;
    QString m_base;
};

void TestCli::initTestCase()
{
    // One measurement made of three rule fixtures under a common base name.
    m_base = m_dir.filePath(QStringLiteral("m"));
    QVERIFY(QFile::copy(fixture("header-cp1252.head"), m_base + ".head"));
    QVERIFY(QFile::copy(fixture("samples-rules.dat"), m_base + ".dat"));
    QVERIFY(QFile::copy(fixture("results-ruido-split.hist"), m_base + ".hist"));
    QVERIFY(QFile::copy(fixture("header-cp1252.head"), m_dir.filePath("partial.head")));
}

void TestCli::dumpMatchesFixture()
{
    const QByteArray expected = readAll(fixture("dump-expected.json"));
    for (const QString &arg : {m_base, m_base + ".head", m_base + ".hist"}) {
        const Run r = cli({"dump", arg});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, expected);
        QCOMPARE(r.err, QByteArray());
    }
}

void TestCli::configMatchesFixture()
{
    const Run r = cli({"config", fixture("config-30-lines.cfg")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, readAll(fixture("config-expected.json")));
    // LF line ends give the same fields.
    QCOMPARE(cli({"config", fixture("config-lf.cfg")}).out, r.out);
}

void TestCli::dumpOfGeneratedMeasurement()
{
    const QString dir = m_dir.filePath(QStringLiteral("gen"));
    const Run made = cli({"fixture", dir, "--seed", "12", "--samples", "30", "--identification", "--config"});
    QCOMPARE(made.code, 0);
    const QString base = dir + "/MED00012";
    QCOMPARE(made.out, (base + "\n" + dir + "/config_nvx2200.cfg\n").toUtf8());

    const Run r = cli({"dump", base});
    QCOMPARE(r.code, 0);
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(r.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(doc.keys(), (QStringList{"amostras", "cabecalho", "resultados"}));

    Medicao m;
    QVERIFY(m.readHeader(base + ".head") && m.readSamples(base + ".dat") && m.readResults(base + ".hist"));
    const QJsonObject header = doc.value("cabecalho").toObject();
    QCOMPARE(header.size(), 23);
    for (int i = 0; i < 23; ++i)
        QCOMPARE(header.value(Medicao::headerKeys().at(i)).toString(), m.headerValues().at(i));
    const QJsonObject results = doc.value("resultados").toObject();
    QCOMPARE(results.size(), 14 + 2 + 4);
    QCOMPARE(strings(results.value("dose")), m.dose());
    QCOMPARE(strings(results.value("ponderacao_tempo")), m.ponderacao_tempo_perfis());
    QCOMPARE(strings(results.value("ruido")), m.ruido());
    QCOMPARE(results.value("exceedanceTempoUser").toString(), m.exceedanceTempoUser());
    const QJsonObject samples = doc.value("amostras").toObject();
    QCOMPARE(samples.size(), 10);
    QCOMPARE(strings(samples.value("amostra_tempo")).size(), 30);
    QCOMPARE(strings(samples.value("amostra_pausa")), m.amostra_pausa());
    QCOMPARE(strings(samples.value("amostra_pico_usuario")), m.amostra_pico_usuario());

    const Run config = cli({"config", dir + "/config_nvx2200.cfg"});
    QCOMPARE(config.code, 0);
    const QJsonObject cfg = QJsonDocument::fromJson(config.out).object().value("configuracao").toObject();
    QCOMPARE(cfg.size(), 28);
    QCOMPARE(cfg.value("cfg_periodo_amostragem").toString(), QStringLiteral("1"));

    // Same options, same files.
    const QString again = m_dir.filePath(QStringLiteral("again"));
    QCOMPARE(cli({"fixture", again, "--seed", "12", "--samples", "30", "--identification"}).code, 0);
    QCOMPARE(readAll(again + "/MED00012.dat"), readAll(base + ".dat"));
}

void TestCli::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // part of stderr

    const QString tmp = m_dir.path();
    QTest::newRow("no command") << QStringList{} << 1 << "usage: dosedesk-cli";
    QTest::newRow("unknown command") << QStringList{"plot"} << 1 << "unknown command \"plot\"";
    QTest::newRow("dump without path") << QStringList{"dump"} << 1 << "expects one BASEPATH";
    QTest::newRow("dump, nothing there") << QStringList{"dump", tmp + "/none"} << 2
                                         << "missing file: " + tmp + "/none.head";
    QTest::newRow("dump, sample file missing") << QStringList{"dump", tmp + "/partial"} << 2
                                               << "missing file: " + tmp + "/partial.dat";
    QTest::newRow("config, missing file") << QStringList{"config", tmp + "/none.cfg"} << 2
                                          << "missing file: " + tmp + "/none.cfg";
    QTest::newRow("config of a folder") << QStringList{"config", tmp} << 2 << "cannot read: " + tmp;
    QTest::newRow("config with an empty line")
        << QStringList{"config", fixture("config-empty-line.cfg")} << 2 << "fewer than 28 non-empty lines";
    QTest::newRow("config, two files") << QStringList{"config", "a", "b"} << 1 << "expects one FILE";
    QTest::newRow("fixture without folder") << QStringList{"fixture"} << 1 << "expects a DIR";
    QTest::newRow("fixture, unknown option") << QStringList{"fixture", tmp, "--loud"} << 1 << "unknown option --loud";
    QTest::newRow("fixture, bad number") << QStringList{"fixture", tmp, "--samples", "-3"} << 1
                                         << "bad value for --samples: -3";
    QTest::newRow("fixture, period out of range") << QStringList{"fixture", tmp, "--period", "11"} << 1
                                                  << "--period must be 1 to 10";
    QTest::newRow("fixture, option without value") << QStringList{"fixture", tmp, "--seed"} << 1
                                                   << "--seed needs a value";
    QTest::newRow("fixture into a file") << QStringList{"fixture", fixture("config-lf.cfg") + "/x"} << 3
                                         << "cannot write into";
}

void TestCli::errors()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    const Run r = cli(args);
    QCOMPARE(r.code, code);
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(message), r.err.constData());
    QCOMPARE(r.out, QByteArray());
}

void TestCli::help()
{
    const Run r = cli({"--help"});
    QCOMPARE(r.code, 0);
    for (const char *command : {"dump BASEPATH", "config FILE", "fixture DIR"})
        QVERIFY(r.out.contains(command));
    QVERIFY(r.out.contains("Exit codes"));
    const Run sub = cli({"fixture", "--help"});
    QCOMPARE(sub.code, 0);
    QVERIFY(sub.out.contains("--pause-length"));
    QCOMPARE(cli({"help", "dump"}).code, 0);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
