#include "textfile.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void codePage_data();
    void codePage();
    void everyByteSurvivesDecodeAndEncode();
    void unencodableCharactersBecomeQuestionMarks();
    void writeUsesCrLf_data();
    void writeUsesCrLf();
    void readAndSplitLines_data();
    void readAndSplitLines();
    void writeAfterReadKeepsBytes();
    void missingFileIsReported();
    void failedWriteKeepsOldFile();
    void writeIntoMissingFolderCreatesNothing();
};

void TestTextFile::codePage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Caldeiraria 85 dB") << QStringLiteral("Caldeiraria 85 dB");
    QTest::newRow("latin accents") << QByteArray("Medi\xE7\xE3o Usu\xE1rio J\xF5" "es")
                                   << QString::fromUtf8("Medição Usuário Jões");
    // The 0x80..0x9F range is where the code page differs from Latin-1.
    QTest::newRow("euro, dashes, quotes") << QByteArray("\x80 \x96 \x97 \x93x\x94 \x85")
                                          << QString::fromUtf8("€ – — “x” …");
    QTest::newRow("undefined bytes keep their value")
        << QByteArray("\x81\x8D\x8F\x90\x9D")
        << QString(QVector<QChar>{QChar(0x81), QChar(0x8D), QChar(0x8F), QChar(0x90), QChar(0x9D)}.constData(), 5);
    QTest::newRow("nul") << QByteArray("a\0b", 3) << QString(QVector<QChar>{QChar('a'), QChar(0), QChar('b')}.constData(), 3);
}

void TestTextFile::codePage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextFile::decode(bytes), text);
    QCOMPARE(TextFile::encode(text), bytes);
}

void TestTextFile::everyByteSurvivesDecodeAndEncode()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = TextFile::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(TextFile::encode(text), all);
}

void TestTextFile::unencodableCharactersBecomeQuestionMarks()
{
    QCOMPARE(TextFile::encode(QString::fromUtf8("ŋ中\u0080ç")), QByteArray("???\xE7"));
}

void TestTextFile::writeUsesCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lf") << QStringLiteral("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("cr before lf is text") << QStringLiteral("a\r\nb") << QByteArray("a\r\r\nb");
    QTest::newRow("empty lines") << QStringLiteral("\n\n") << QByteArray("\r\n\r\n");
    QTest::newRow("lone cr untouched") << QStringLiteral("a\rb") << QByteArray("a\rb");
    QTest::newRow("accents") << QString::fromUtf8("João\n") << QByteArray("Jo\xE3o\r\n");
}

void TestTextFile::writeUsesCrLf()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    QVERIFY(TextFile::write(path, text));
    QCOMPARE(readBytes(path), bytes);

    QVERIFY(TextFile::writeLines(path, {QStringLiteral("1"), QString::fromUtf8("ação")}));
    QCOMPARE(readBytes(path), QByteArray("1\r\na\xE7\xE3o\r\n"));
}

void TestTextFile::readAndSplitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("no final break") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("inner empty line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("accented") << QByteArray("Portugu\xEAs\r\n") << QStringList{QString::fromUtf8("Português")};
}

void TestTextFile::readAndSplitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    QVERIFY(writeBytes(path, bytes));
    bool ok = false;
    QCOMPARE(TextFile::readLines(path, &ok), lines);
    QVERIFY(ok);
    QVERIFY(!TextFile::read(path).contains(QLatin1Char('\r')));
}

void TestTextFile::writeAfterReadKeepsBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    const QByteArray bytes("a\r\r\nb\rc\r\n\x81\xE7\r\n");
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(TextFile::write(path, TextFile::read(path)));
    QCOMPARE(readBytes(path), bytes);
}

void TestTextFile::missingFileIsReported()
{
    bool ok = true;
    QCOMPARE(TextFile::read(QStringLiteral("/nonexistent/lingua.lg"), &ok), QString());
    QVERIFY(!ok);
}

void TestTextFile::failedWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("perfil.id"));
    QVERIFY(writeBytes(path, QByteArray("old content\r\n")));
    const QString big(4000, QLatin1Char('x'));
    {
        FileSizeLimit limit(512);
        QVERIFY(limit.active());
        QVERIFY(!TextFile::write(path, big));
    }
    QCOMPARE(readBytes(path), QByteArray("old content\r\n"));
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("perfil.id")});
    // And with room to write, the same call succeeds.
    QVERIFY(TextFile::write(path, big));
    QCOMPARE(readBytes(path).size(), 4000);
#else
    QSKIP("needs a per-process file size limit");
#endif
}

void TestTextFile::writeIntoMissingFolderCreatesNothing()
{
    QTemporaryDir dir;
    QVERIFY(!TextFile::write(dir.filePath(QStringLiteral("no/such/f.txt")), QStringLiteral("x")));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("no"))));
    QVERIFY(!TextFile::write(QString(), QStringLiteral("x")));
}

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
