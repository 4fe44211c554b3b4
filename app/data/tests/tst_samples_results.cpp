#include "medicao.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QtTest>

using Strings = QVector<QString>;

namespace {
const Strings kThreeBlanks{" ", " ", " "};
const Strings kBands{"16", "31.5", "63", "125", "250", "500", "1000", "2000", "4000", "8000", "16000", " "};
const Strings kLevels{"55.1", "62.0", "70.3", "74.9", "78.2", "79.0", "78.1", "77.4", "75.0", "69.8", "60.2", " "};
} // namespace

class TestSamplesResults : public QObject
{
    Q_OBJECT

private slots:
    void sampleDefaults();
    void samples_data();
    void samples();
    void samplesFixtureRules();
    void samplesMissingFileLeavesRecord();

    void resultDefaults();
    void results_data();
    void results();
    void resultsFixtures();
    void rereadingResetsResults();
    void resultsMissingFileLeavesRecord();

private:
    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        return writeBytes(path, content) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestSamplesResults::sampleDefaults()
{
    const Medicao m;
    for (int c = 0; c < Medicao::SampleColumnCount; ++c)
        QCOMPARE(m.sampleColumn(c), Strings{" "});
    QCOMPARE(m.amostra_tempo(), Strings{" "});
    QCOMPARE(m.amostra_pico_usuario(), Strings{" "});
}

void TestSamplesResults::samples_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Strings>("tempo");      // column 1 after the read
    QTest::addColumn<Strings>("picoUsuario"); // column 10

    const QByteArray title = "Tempo;Pausa;a;b;c;d;e;f;g;h;\r\n";
    QTest::newRow("title only: no samples") << title << Strings{} << Strings{};
    QTest::newRow("empty file: no samples") << QByteArray() << Strings{} << Strings{};
    QTest::newRow("first line is always the title")
        << QByteArray("1;2;3;4;5;6;7;8;9;10;\r\n") << Strings{} << Strings{};
    QTest::newRow("nine fields skipped")
        << title + "t1;+;1;2;3;4;5;6;7;\r\nt2;+;1;2;3;4;5;6;7;8;\r\n" << Strings{"t2"} << Strings{"8"};
    QTest::newRow("eleven fields: first ten")
        << title + "t1;+;1;2;3;4;5;6;7;8;9;\r\n" << Strings{"t1"} << Strings{"8"};
    QTest::newRow("empty field moves the rest up")
        << title + "t1;;+;1;2;3;4;5;6;7;8;\r\n" << Strings{"t1"} << Strings{"8"};
    QTest::newRow("dados ends the series")
        << title + "t1;+;1;2;3;4;5;6;7;8;\r\ndados;x;\r\nt2;+;1;2;3;4;5;6;7;9;\r\n" << Strings{"t1"} << Strings{"8"};
    QTest::newRow("lf line ends")
        << QByteArray("T\nt1;+;1;2;3;4;5;6;7;8\nt2;-;1;2;3;4;5;6;7;9\n") << Strings{"t1", "t2"} << Strings{"8", "9"};
    QTest::newRow("no final line break")
        << title + "t1;+;1;2;3;4;5;6;7;8" << Strings{"t1"} << Strings{"8"};
    QTest::newRow("binary junk") << QByteArray("\xff\0;\n;;;;\n\x9d", 10) << Strings{} << Strings{};
}

void TestSamplesResults::samples()
{
    QFETCH(QByteArray, content);
    QFETCH(Strings, tempo);
    QFETCH(Strings, picoUsuario);
    Medicao m;
    QVERIFY(m.readSamples(write(QStringLiteral("s.dat"), content)));
    QCOMPARE(m.amostra_tempo(), tempo);
    QCOMPARE(m.amostra_pico_usuario(), picoUsuario);
    for (int c = 0; c < Medicao::SampleColumnCount; ++c)
        QCOMPARE(m.sampleColumn(c).size(), tempo.size());
}

void TestSamplesResults::samplesFixtureRules()
{
    Medicao m;
    QVERIFY(m.readSamples(fixturePath(QStringLiteral("samples-rules.dat"))));
    QCOMPARE(m.amostra_tempo(), (Strings{"08:01:00", "08:03:00", "08:04:00"}));
    QCOMPARE(m.amostra_pausa(), (Strings{"+", "-", "+"}));
    QCOMPARE(m.amostra_leq_nho(), (Strings{"85.1", "60.2", "91.0"}));
    QCOMPARE(m.amostra_pico_nho(), (Strings{"110.2", "81.0", "121.4"}));
    QCOMPARE(m.amostra_lavg_nr(), (Strings{"84.6", "59.9", "90.2"}));
    QCOMPARE(m.amostra_coluna_6(), (Strings{"88.0", "61.0", "95.5"}));
    QCOMPARE(m.amostra_pico_nr(), (Strings{"109.9", "80.5", "120.8"}));
    QCOMPARE(m.amostra_lavg_usuario(), (Strings{"84.6", "59.9", "90.2"}));
    QCOMPARE(m.amostra_leq_usuario(), (Strings{"85.1", "60.2", "91.0"}));
    QCOMPARE(m.amostra_pico_usuario(), (Strings{"110.2", "81.0", "121.4"}));
}

void TestSamplesResults::samplesMissingFileLeavesRecord()
{
    Medicao m;
    QVERIFY(m.readSamples(fixturePath(QStringLiteral("samples-rules.dat"))));
    QVERIFY(!m.readSamples(m_dir.filePath(QStringLiteral("gone.dat"))));
    QCOMPARE(m.amostra_tempo().size(), 3);
}

void TestSamplesResults::resultDefaults()
{
    const Medicao m;
    for (int i = 0; i < Medicao::ProfileResultCount; ++i)
        QCOMPARE(m.profileResult(i), kThreeBlanks);
    QCOMPARE(m.freq(), Strings{" "});
    QCOMPARE(m.ruido(), Strings{" "});
    QCOMPARE(m.exceedanceCount(), QStringLiteral(" "));
    QCOMPARE(m.exceedanceTempo(), QStringLiteral(" "));
    QCOMPARE(m.exceedanceCountUser(), QStringLiteral(" "));
    QCOMPARE(m.exceedanceTempoUser(), QStringLiteral(" "));
}

void TestSamplesResults::results_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key"); // a per-profile key, "freq" or "ruido"
    QTest::addColumn<Strings>("expected");

    const QByteArray title = "Resultados;MED;\r\n";
    const QByteArray freq = "freq;16;31.5;63;125;250;500;1000;2000;4000;8000;16000;\r\n";
    QTest::newRow("three values, then the placeholders")
        << title + "dose;48.2;61.0;55.7;\r\n" << "dose" << Strings{"48.2", "61.0", "55.7", " ", " ", " "};
    QTest::newRow("further values ignored")
        << title + "lavg;1;2;3;4;5;\r\n" << "lavg" << Strings{"1", "2", "3", " ", " ", " "};
    QTest::newRow("absent key keeps placeholders") << title + "dose;1;2;3;\r\n" << "ptwa" << kThreeBlanks;
    QTest::newRow("profile weighting under its own key")
        << title + "ponderacao_tempo;s;s;f;\r\n" << "ponderacao_tempo" << Strings{"s", "s", "f", " ", " ", " "};
    QTest::newRow("short line fills what it has")
        << title + "exp;0.5;\r\n" << "exp" << Strings{"0.5", " ", " ", " "};
    QTest::newRow("key alone adds nothing") << title + "twa;\r\n" << "twa" << kThreeBlanks;
    QTest::newRow("title line is never a result")
        << QByteArray("dose;1;2;3;\r\n") << "dose" << kThreeBlanks;
    QTest::newRow("keys are case-sensitive") << title + "Dose;1;2;3;\r\n" << "dose" << kThreeBlanks;
    QTest::newRow("freq values then one placeholder") << title + freq << "freq" << kBands;
    QTest::newRow("ruido on one line after freq")
        << title + freq + "ruido;55.1;62.0;70.3;74.9;78.2;79.0;78.1;77.4;75.0;69.8;60.2;\r\ndose;1;2;3;\r\n"
        << "ruido" << kLevels;
    QTest::newRow("the line after a complete ruido is still read")
        << title + freq + "ruido;55.1;62.0;70.3;74.9;78.2;79.0;78.1;77.4;75.0;69.8;60.2;\r\ndose;1;2;3;\r\n"
        << "dose" << Strings{"1", "2", "3", " ", " ", " "};
    QTest::newRow("ruido split 8 + 3")
        << title + freq + "ruido;55.1;62.0;70.3;74.9;78.2;79.0;78.1;77.4;\r\n75.0;69.8;60.2;\r\n"
        << "ruido" << kLevels;
    QTest::newRow("the continuation is consumed, not dispatched")
        << title + freq + "ruido;1;2;3;4;5;6;7;8;\r\ndose;9;9;9;\r\n" << "dose" << kThreeBlanks;
    QTest::newRow("ruido last line, short: values and placeholder")
        << title + freq + "ruido;55.1;62.0;70.3;" << "ruido" << Strings{"55.1", "62.0", "70.3", " "};
    QTest::newRow("ruido before freq takes the next line as continuation")
        << title + "ruido;1;2;3;4;5;6;7;8;9;10;11;\r\ntwa;a;b;c;\r\n" << "ruido"
        << Strings{"1", "2", "3", "4", "5", "6", "7", "8", "twa", "a", "b", "c", "9", "10", "11", " "};
    QTest::newRow("continuation after fewer than 8 levels follows them")
        << title + freq + "ruido;1;2;3;\r\n4;5;\r\n" << "ruido" << Strings{"1", "2", "3", "4", "5", " "};
    QTest::newRow("empty continuation line") << title + freq + "ruido;1;2;\r\n\r\n" << "ruido"
                                             << Strings{"1", "2", " "};
    QTest::newRow("a later ruido record replaces the first")
        << title + freq + "ruido;1;2;3;4;5;6;7;8;9;10;11;\r\nruido;5;\r\n" << "ruido" << Strings{"5", " "};
    QTest::newRow("lf line ends") << QByteArray("R\nlmax;101.2;99.0;100.4\n") << "lmax"
                                  << Strings{"101.2", "99.0", "100.4", " ", " ", " "};
    QTest::newRow("binary junk") << QByteArray("\0\n\xff;dose\n;;ruido;\x81", 18) << "ruido"
                                 << Strings{QString(QChar(0x81)), " "};
}

void TestSamplesResults::results()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(Strings, expected);
    Medicao m;
    QVERIFY(m.readResults(write(QStringLiteral("r.hist"), content)));
    const Strings actual = key == QLatin1String("freq")    ? m.freq()
                           : key == QLatin1String("ruido") ? m.ruido()
                                                           : m.profileResult(Medicao::profileResultKeys().indexOf(key));
    QCOMPARE(actual, expected);
}

void TestSamplesResults::resultsFixtures()
{
    Medicao split;
    QVERIFY(split.readResults(fixturePath(QStringLiteral("results-ruido-split.hist"))));
    QCOMPARE(split.dose(), (Strings{"48.2", "61.0", "55.7", " ", " ", " "}));
    QCOMPARE(split.lavg(), (Strings{"81.8", "82.1", "80.0", " ", " ", " "}));
    QCOMPARE(split.freq(), kBands);
    QCOMPARE(split.ruido(), kLevels);
    QCOMPARE(split.exceedanceCount(), QStringLiteral("2"));
    QCOMPARE(split.exceedanceTempo(), QStringLiteral("1850"));
    QCOMPARE(split.exceedanceCountUser(), QStringLiteral(" "));
    QCOMPARE(split.exceedanceTempoUser(), QStringLiteral("0"));

    Medicao oneLine;
    QVERIFY(oneLine.readResults(fixturePath(QStringLiteral("results-ruido-oneline.hist"))));
    QCOMPARE(oneLine.ruido(), kLevels);
    QCOMPARE(oneLine.twa(), (Strings{"79.9", "75.0", "77.1", " ", " ", " "}));

    Medicao shortLines;
    QVERIFY(shortLines.readResults(fixturePath(QStringLiteral("results-short-lines.hist"))));
    QCOMPARE(shortLines.dose(), (Strings{"12.5", "13.0", " ", " ", " "}));
    QCOMPARE(shortLines.ruido(), (Strings{"55.1", "62.0", "70.3", "74.9", "78.2", "79.0", "78.1", "77.4", " "}));

    // The exceedance strings take the line's last field.
    Medicao last;
    QVERIFY(last.readResults(write(QStringLiteral("x.hist"),
                                   "R;\r\nexceedanceCountUser;3;4;\r\nexceedanceTempoUser;\r\n")));
    QCOMPARE(last.exceedanceCountUser(), QStringLiteral("4"));
    QCOMPARE(last.exceedanceTempoUser(), QStringLiteral("exceedanceTempoUser"));
}

void TestSamplesResults::rereadingResetsResults()
{
    Medicao m;
    const QString path = fixturePath(QStringLiteral("results-ruido-split.hist"));
    QVERIFY(m.readResults(path));
    QVERIFY(m.readResults(path));
    QCOMPARE(m.dose().size(), 6);
    QCOMPARE(m.freq(), kBands);
    QVERIFY(m.readResults(fixturePath(QStringLiteral("results-ruido-oneline.hist"))));
    QCOMPARE(m.dose(), kThreeBlanks);
    QCOMPARE(m.exceedanceCount(), QStringLiteral(" "));
    m.clearResults();
    QCOMPARE(m.freq(), Strings{" "});
    QCOMPARE(m.twa(), kThreeBlanks);
}

void TestSamplesResults::resultsMissingFileLeavesRecord()
{
    Medicao m;
    QVERIFY(m.readResults(fixturePath(QStringLiteral("results-ruido-split.hist"))));
    QVERIFY(!m.readResults(m_dir.filePath(QStringLiteral("gone.hist"))));
    QCOMPARE(m.ruido(), kLevels);
    QCOMPARE(m.exceedanceCount(), QStringLiteral("2"));
}

QTEST_APPLESS_MAIN(TestSamplesResults)
#include "tst_samples_results.moc"
