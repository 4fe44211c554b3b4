#include "medicao.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

QString headerValue(const Medicao &m, const QString &key)
{
    const int i = Medicao::headerKeys().indexOf(key);
    return i < 0 ? QStringLiteral("<no such key>") : m.headerValues().at(i);
}

// A header as the instrument writes it, every field set.
const QByteArray kInstrumentHeader =
    "nome_da_medicao;MED00042;\r\n"
    "empresa_avaliadora; ;\r\n"
    "responsavel_tecnico; ;\r\n"
    "empresa_avaliada; ;\r\n"
    "funcionario_avaliado; ;\r\n"
    "jornada_de_trabalho;8:0;\r\n"
    "setor; ;\r\n"
    "data_medicao;04/03/2024;\r\n"
    "inicio_medicao;07:30:00;\r\n"
    "fim_medicao;16:30:00;\r\n"
    "duracao_medicao;09:00:00;\r\n"
    "periodo_amostragem;1;\r\n"
    "numero_serial_equipamento;NVX2200-01234;\r\n"
    "id_medicao;42;\r\n"
    "taxa_troca;5;\r\n"
    "ponderacao_tempo;s;\r\n"
    "ponderacao_frequencia;a;\r\n"
    "limiar_nivel;80;\r\n"
    "nivel_criterio;90;\r\n"
    "exceedance;115;\r\n"
    "l_calibradorInicial;94.0;\r\n"
    "l_calibradorFinal;94.1;\r\n"
    "observacoes; ;\r\n";

} // namespace

class TestHeader : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void read_data();
    void read();
    void readsInstrumentHeader();
    void missingFileLeavesRecord();
    void unreadableFileClearsHeader();
    void writeIsByteExact();
    void writeNeverCreatesFile();
    void failedWriteKeepsOldFile();
    void observationsStableOverSaves_data();
    void observationsStableOverSaves();
    void rewriteEvaluator();
    void emptyEvaluatorIsWrittenAsBlank();
    void rewriteEvaluatorLeavesUnreadableFile();

private:
    QTemporaryDir m_dir;
};

void TestHeader::defaults()
{
    Medicao m;
    const QStringList values = m.headerValues();
    QCOMPARE(values.size(), 23);
    for (int i = 0; i < values.size(); ++i) {
        const QString expected = Medicao::headerKeys().at(i) == QLatin1String("jornada_de_trabalho")
                                     ? QStringLiteral(" : ")
                                     : QStringLiteral(" ");
        QCOMPARE(values.at(i), expected);
    }
    m.setSetor(QStringLiteral("x"));
    m.setObservacoes(QStringLiteral("y"));
    m.clearHeader();
    QCOMPARE(m.headerValues(), Medicao().headerValues());
}

void TestHeader::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray emptyValues = readBytes(fixturePath("header-empty-values.head"));
    QTest::newRow("empty name gives NVX_2200_SW") << emptyValues << "nome_da_medicao" << "NVX_2200_SW";
    QTest::newRow("empty value gives the key") << emptyValues << "setor" << "setor";
    QTest::newRow("plain value") << emptyValues << "data_medicao" << "12/08/2024";
    QTest::newRow("blank observation, no line break") << emptyValues << "observacoes" << " ";

    const QByteArray lastValue = readBytes(fixturePath("header-last-value.head"));
    QTest::newRow("two values: the last") << lastValue << "setor" << "Pintura";
    QTest::newRow("empty field skipped") << lastValue << "empresa_avaliada" << QString::fromUtf8("Fundição Leste");
    QTest::newRow("no name entry") << lastValue << "nome_da_medicao" << " ";
    QTest::newRow("no shift entry") << lastValue << "jornada_de_trabalho" << " : ";
    QTest::newRow("observation with empty value") << lastValue << "observacoes" << "";

    const QByteArray lf = readBytes(fixturePath("header-lf-observations.head"));
    QTest::newRow("lf: name") << lf << "nome_da_medicao" << "Caldeiraria turno A";
    QTest::newRow("lf: any order") << lf << "duracao_medicao" << "07:45:00";
    QTest::newRow("lf: observations over lines, key sequence removed")
        << lf << "observacoes" << QString::fromUtf8("Ruído de martelete\nPausa para almoço às 12h");

    const QByteArray cp = readBytes(fixturePath("header-cp1252.head"));
    QTest::newRow("1252: name") << cp << "nome_da_medicao" << QString::fromUtf8("Medição 7");
    QTest::newRow("1252: ordinal") << cp << "responsavel_tecnico" << QString::fromUtf8("Eng.ª Cecília Brandão");
    QTest::newRow("1252: em dash") << cp << "setor" << QString::fromUtf8("Usinagem — Tornos");
    QTest::newRow("1252: euro") << cp << "observacoes" << QString::fromUtf8("Custo € 1.200");

    QTest::newRow("observacoes; as last line, nothing after") << QByteArray("setor;a;\r\nobservacoes;") << "observacoes" << "";
    QTest::newRow("observations run to the end of the file")
        << QByteArray("observacoes;a;\r\nsetor;late;\r\n") << "observacoes" << "a;\nsetor;late";
    QTest::newRow("entries after observations are not read")
        << QByteArray("observacoes;a;\r\nsetor;late;\r\n") << "setor" << " ";
    QTest::newRow("inner line breaks stay, trailing ones go")
        << QByteArray("observacoes;a\r\n\r\nb\r\n\r\n;\r\n") << "observacoes" << "a\n\nb";
    QTest::newRow("keys are case-sensitive") << QByteArray("Setor;x;\r\n") << "setor" << " ";
    QTest::newRow("leading separators dropped") << QByteArray(";;setor;;x;\r\n") << "setor" << "x";
    QTest::newRow("line without fields skipped") << QByteArray(";;;\r\n\r\nsetor;y;") << "setor" << "y";
    QTest::newRow("lone cr stays in the value") << QByteArray("setor;a\rb;\r\n") << "setor" << "a\rb";
    QTest::newRow("binary junk") << QByteArray("\0\xff\x01;;\n\x80;", 8) << "setor" << " ";
    QTest::newRow("empty file") << QByteArray() << "jornada_de_trabalho" << " : ";
}

void TestHeader::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("read.head"));
    QVERIFY(writeBytes(path, content));
    Medicao m;
    m.setSetor(QStringLiteral("before"));
    QVERIFY(m.readHeader(path));
    QCOMPARE(headerValue(m, key), expected);
}

void TestHeader::readsInstrumentHeader()
{
    const QString path = m_dir.filePath(QStringLiteral("instrument.head"));
    QVERIFY(writeBytes(path, kInstrumentHeader));
    Medicao m;
    QVERIFY(m.readHeader(path));
    QCOMPARE(m.nome_da_medicao(), QStringLiteral("MED00042"));
    QCOMPARE(m.jornada_de_trabalho(), QStringLiteral("8:0"));
    QCOMPARE(m.data_medicao(), QStringLiteral("04/03/2024"));
    QCOMPARE(m.inicio_medicao(), QStringLiteral("07:30:00"));
    QCOMPARE(m.fim_medicao(), QStringLiteral("16:30:00"));
    QCOMPARE(m.duracao_medicao(), QStringLiteral("09:00:00"));
    QCOMPARE(m.periodo_amostragem(), QStringLiteral("1"));
    QCOMPARE(m.numero_serial_equipamento(), QStringLiteral("NVX2200-01234"));
    QCOMPARE(m.id_medicao(), QStringLiteral("42"));
    QCOMPARE(m.taxa_troca(), QStringLiteral("5"));
    QCOMPARE(m.ponderacao_tempo(), QStringLiteral("s"));
    QCOMPARE(m.ponderacao_frequencia(), QStringLiteral("a"));
    QCOMPARE(m.limiar_nivel(), QStringLiteral("80"));
    QCOMPARE(m.nivel_criterio(), QStringLiteral("90"));
    QCOMPARE(m.exceedance(), QStringLiteral("115"));
    QCOMPARE(m.l_calibradorInicial(), QStringLiteral("94.0"));
    QCOMPARE(m.l_calibradorFinal(), QStringLiteral("94.1"));
    QCOMPARE(m.empresa_avaliadora(), QStringLiteral(" "));
    QCOMPARE(m.observacoes(), QStringLiteral(" "));
}

void TestHeader::missingFileLeavesRecord()
{
    const QString path = m_dir.filePath(QStringLiteral("earlier.head"));
    QVERIFY(writeBytes(path, kInstrumentHeader));
    Medicao m;
    QVERIFY(m.readHeader(path));
    m.setSetor(QStringLiteral("edited"));
    const QStringList before = m.headerValues();
    QVERIFY(!m.readHeader(m_dir.filePath(QStringLiteral("gone.head"))));
    QVERIFY(!m.readHeader(QString()));
    QCOMPARE(m.headerValues(), before);
}

void TestHeader::unreadableFileClearsHeader()
{
    // A folder exists under the name but cannot be opened as a file.
    const QString path = m_dir.filePath(QStringLiteral("folder.head"));
    QVERIFY(QDir().mkpath(path));
    Medicao m;
    m.setSetor(QStringLiteral("edited"));
    QVERIFY(!m.readHeader(path));
    QCOMPARE(m.headerValues(), Medicao().headerValues());
}

void TestHeader::writeIsByteExact()
{
    const QString path = m_dir.filePath(QStringLiteral("write.head"));
    QVERIFY(writeBytes(path, kInstrumentHeader));
    Medicao m;
    QVERIFY(m.readHeader(path));
    m.setEmpresa_avaliadora(QString::fromUtf8("Acústica & Cia "));
    m.setResponsavel_tecnico(QString::fromUtf8("Eng. Márcio Guimarães "));
    m.setEmpresa_avaliada(QString::fromUtf8("Fundição São João "));
    m.setFuncionario_avaliado(QString::fromUtf8("André Müller "));
    m.setSetor(QString::fromUtf8("Prensas — Linha 2 "));
    m.setObservacoes(QString::fromUtf8("Protetor auricular em uso.\nCusto € 1.200 "));
    QVERIFY(m.writeHeader(path));

    const QByteArray expected =
        "nome_da_medicao;MED00042;\r\n"
        "empresa_avaliadora;Ac\xFAstica & Cia ;\r\n"
        "responsavel_tecnico;Eng. M\xE1rcio Guimar\xE3" "es ;\r\n"
        "empresa_avaliada;Fundi\xE7\xE3o S\xE3o Jo\xE3o ;\r\n"
        "funcionario_avaliado;Andr\xE9 M\xFCller ;\r\n"
        "jornada_de_trabalho;8:0;\r\n"
        "setor;Prensas \x97 Linha 2 ;\r\n"
        "data_medicao;04/03/2024;\r\n"
        "inicio_medicao;07:30:00;\r\n"
        "fim_medicao;16:30:00;\r\n"
        "duracao_medicao;09:00:00;\r\n"
        "periodo_amostragem;1;\r\n"
        "numero_serial_equipamento;NVX2200-01234;\r\n"
        "id_medicao;42;\r\n"
        "taxa_troca;5;\r\n"
        "ponderacao_tempo;s;\r\n"
        "ponderacao_frequencia;a;\r\n"
        "limiar_nivel;80;\r\n"
        "nivel_criterio;90;\r\n"
        "exceedance;115;\r\n"
        "l_calibradorInicial;94.0;\r\n"
        "l_calibradorFinal;94.1;\r\n"
        "observacoes;Protetor auricular em uso.\r\nCusto \x80 1.200 ;\r\n";
    QCOMPARE(readBytes(path), expected);

    // Reading it back gives the same record, and writing that the same bytes.
    Medicao back;
    QVERIFY(back.readHeader(path));
    QCOMPARE(back.headerValues(), m.headerValues());
    QVERIFY(back.writeHeader(path));
    QCOMPARE(readBytes(path), expected);
}

void TestHeader::writeNeverCreatesFile()
{
    Medicao m;
    const QString path = m_dir.filePath(QStringLiteral("never.head"));
    QVERIFY(!m.writeHeader(path));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!m.writeHeader(QString()));
    QVERIFY(!m.rewriteEvaluator(path, QStringLiteral("a"), QStringLiteral("b")));
    QVERIFY(!QFileInfo::exists(path));
}

void TestHeader::failedWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MED00042.head"));
    QVERIFY(writeBytes(path, kInstrumentHeader));
    Medicao m;
    QVERIFY(m.readHeader(path));
    m.setObservacoes(QString(3000, QLatin1Char('o')));
    {
        // Room for part of the new content only.
        FileSizeLimit limit(kInstrumentHeader.size());
        QVERIFY(limit.active());
        QVERIFY(!m.writeHeader(path));
        QVERIFY(!m.rewriteEvaluator(path, QString(3000, QLatin1Char('e')), QStringLiteral("t")));
    }
    QCOMPARE(readBytes(path), kInstrumentHeader);
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("MED00042.head")});
#else
    QSKIP("needs a per-process file size limit");
#endif
}

void TestHeader::observationsStableOverSaves_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stable");
    QTest::newRow("one line") << "Sem anormalidades" << "Sem anormalidades";
    QTest::newRow("two lines") << "linha 1\nlinha 2" << "linha 1\nlinha 2";
    QTest::newRow("blank, as cleared") << " " << " ";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("as the viewer wraps it") << "linha 1\nlinha 2\n " << "linha 1\nlinha 2\n ";
    QTest::newRow("trailing line breaks are the format's") << "fim\n\n" << "fim";
    QTest::newRow("ends with separator") << "a;b;" << "a;b;";
    QTest::newRow("accents") << QString::fromUtf8("Ruído contínuo — ação") << QString::fromUtf8("Ruído contínuo — ação");
}

void TestHeader::observationsStableOverSaves()
{
    QFETCH(QString, text);
    QFETCH(QString, stable);
    const QString path = m_dir.filePath(QStringLiteral("stable.head"));
    QVERIFY(writeBytes(path, kInstrumentHeader));
    Medicao m;
    QVERIFY(m.readHeader(path));
    m.setObservacoes(text);
    // From the first read on, text and file stay the same.
    QByteArray settledBytes;
    for (int round = 0; round < 5; ++round) {
        QVERIFY(m.writeHeader(path));
        if (round == 1)
            settledBytes = readBytes(path);
        if (round > 1)
            QCOMPARE(readBytes(path), settledBytes);
        Medicao back;
        QVERIFY(back.readHeader(path));
        QCOMPARE(back.observacoes(), stable);
        m = back;
    }
}

void TestHeader::rewriteEvaluator()
{
    const QString path = m_dir.filePath(QStringLiteral("stamp.head"));
    QByteArray original = kInstrumentHeader;
    original.replace("empresa_avaliadora; ;", "empresa_avaliadora;Antiga Ltda.;");
    QVERIFY(writeBytes(path, original));

    Medicao m;
    QVERIFY(m.rewriteEvaluator(path, QString::fromUtf8("Acústica Nova "), QString::fromUtf8("Téc. Joana ")));
    // The record keeps what it read.
    QCOMPARE(m.empresa_avaliadora(), QStringLiteral("Antiga Ltda."));
    QCOMPARE(m.responsavel_tecnico(), QStringLiteral(" "));
    QCOMPARE(m.nome_da_medicao(), QStringLiteral("MED00042"));

    QByteArray expected = kInstrumentHeader;
    expected.replace("empresa_avaliadora; ;", "empresa_avaliadora;Ac\xFAstica Nova ;");
    expected.replace("responsavel_tecnico; ;", "responsavel_tecnico;T\xE9" "c. Joana ;");
    QCOMPARE(readBytes(path), expected);
}

void TestHeader::emptyEvaluatorIsWrittenAsBlank()
{
    // With no profile stored, the evaluator of the moment is empty; written
    // verbatim it would read back as the key's own name.
    const QString path = m_dir.filePath(QStringLiteral("blank.head"));
    QVERIFY(writeBytes(path, kInstrumentHeader));
    Medicao m;
    QVERIFY(m.rewriteEvaluator(path, QString(), QStringLiteral("Tec ")));
    QVERIFY(readBytes(path).contains("empresa_avaliadora; ;\r\n"));
    Medicao back;
    QVERIFY(back.readHeader(path));
    QCOMPARE(back.empresa_avaliadora(), QStringLiteral(" "));
    QCOMPARE(back.responsavel_tecnico(), QStringLiteral("Tec "));

    back.setSetor(QString());
    back.setObservacoes(QString());
    QVERIFY(back.writeHeader(path));
    Medicao again;
    QVERIFY(again.readHeader(path));
    QCOMPARE(again.setor(), QStringLiteral(" "));
    QCOMPARE(again.observacoes(), QString());
}

void TestHeader::rewriteEvaluatorLeavesUnreadableFile()
{
#ifdef Q_OS_UNIX
    // A socket exists under the name and cannot be opened even by root; it
    // must not be replaced by a header of blank fields.
    QTemporaryDir dir(QStringLiteral("/tmp/hd"));
    const QString path = dir.filePath(QStringLiteral("s.head"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    QVERIFY(size_t(native.size()) < sizeof(addr.sun_path));
    memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)), 0);

    Medicao m;
    QVERIFY(!m.rewriteEvaluator(path, QStringLiteral("a"), QStringLiteral("b")));
    QVERIFY(!QFileInfo(path).isFile());
    ::close(fd);
#else
    QSKIP("needs a Unix socket");
#endif
}

QTEST_APPLESS_MAIN(TestHeader)
#include "tst_header.moc"
