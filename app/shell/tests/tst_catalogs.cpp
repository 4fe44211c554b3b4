#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

// The three catalogs must carry every message the sources and forms hold,
// each with its English and Spanish text, except those left empty on purpose.
namespace {

struct Message {
    QString translation;
    bool unfinished = false;
    bool obsolete = false;
};
using Catalog = QMap<QPair<QString, QString>, Message>;  // (context, source)

Catalog readCatalog(const QString &path)
{
    Catalog out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&f);
    QString context, source;
    Message msg;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("message")) {
                source.clear();
                msg = Message();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString type = xml.attributes().value("type").toString();
                msg.unfinished = type == QLatin1String("unfinished");
                msg.obsolete = type == QLatin1String("obsolete") || type == QLatin1String("vanished");
                msg.translation = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            out.insert({context, source}, msg);
        }
    }
    return out;
}

const QString tsDir = QStringLiteral(DOSEDESK_SOURCE_DIR "/app/resources/translations/");

// Messages whose translation stays empty, so that the source shows.
bool emptyByDesign(const QString &catalog, const QString &context, const QString &source)
{
    static const QSet<QString> standards{"IEC 61260-1:2014", "IEC 61252:2002", "IEC 60651:1979",
                                         "ANSI S1.25:1991 R7", "NHO 01:2011", "NR-15"};
    if (context == "MainWindow" && source == "Status")
        return true;
    if (context == "sobre" && standards.contains(source))
        return true;
    if (catalog != "portugues" && context == "sobre"
        && (source == "NVX - 2200" || source == QString::fromUtf8("Audiodosímetro")))
        return true;
    return false;
}

} // namespace

class CatalogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everySourceTextIsInEveryCatalog_data();
    void everySourceTextIsInEveryCatalog();
    void translationsPresentUnlessEmptyByDesign_data();
    void translationsPresentUnlessEmptyByDesign();
    void portugueseChanges();
    void compiledCatalogsAreEmbedded();

private:
    Catalog extracted;
};

void CatalogsTest::initTestCase()
{
    QTemporaryDir tmp;
    const QString out = tmp.path() + "/extracted.ts";
    QProcess lupdate;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUPDATE", LUPDATE_EXECUTABLE);
    lupdate.setProcessEnvironment(env);
    lupdate.start("bash", {DOSEDESK_SOURCE_DIR "/scripts/update-catalogs", "--to", out});
    QVERIFY(lupdate.waitForFinished(120000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
    extracted = readCatalog(out);
    QVERIFY(extracted.size() > 50);
}

void CatalogsTest::everySourceTextIsInEveryCatalog_data()
{
    QTest::addColumn<QString>("catalog");
    for (const char *name : {"portugues", "ingles", "espanhol"})
        QTest::newRow(name) << QString(name);
}

void CatalogsTest::everySourceTextIsInEveryCatalog()
{
    QFETCH(QString, catalog);
    const Catalog committed = readCatalog(tsDir + catalog + ".ts");
    QStringList missing, stale;
    for (auto it = extracted.cbegin(); it != extracted.cend(); ++it)
        if (!committed.contains(it.key()) || committed[it.key()].obsolete)
            missing << it.key().first + ": " + it.key().second;
    for (auto it = committed.cbegin(); it != committed.cend(); ++it)
        if (!extracted.contains(it.key()))
            stale << it.key().first + ": " + it.key().second;
    QVERIFY2(missing.isEmpty(), qPrintable("run scripts/update-catalogs; missing:\n" + missing.join('\n')));
    QVERIFY2(stale.isEmpty(), qPrintable("run scripts/update-catalogs; no longer in the sources:\n" + stale.join('\n')));

    const QSet<QString> contexts{"MainWindow", "Medidas", "Config", "Perfil", "sobre", "QObject"};
    for (auto it = committed.cbegin(); it != committed.cend(); ++it)
        QVERIFY2(contexts.contains(it.key().first), qPrintable(it.key().first));
}

void CatalogsTest::translationsPresentUnlessEmptyByDesign_data()
{
    everySourceTextIsInEveryCatalog_data();
}

void CatalogsTest::translationsPresentUnlessEmptyByDesign()
{
    QFETCH(QString, catalog);
    const Catalog committed = readCatalog(tsDir + catalog + ".ts");
    QStringList untranslated, unexpected;
    for (auto it = committed.cbegin(); it != committed.cend(); ++it) {
        const bool empty = it->translation.isEmpty();
        if (emptyByDesign(catalog, it.key().first, it.key().second)) {
            if (!empty)
                unexpected << it.key().first + ": " + it.key().second;
        } else if (catalog != "portugues" && (empty || it->unfinished)) {
            untranslated << it.key().first + ": " + it.key().second;
        }
    }
    QVERIFY2(untranslated.isEmpty(), qPrintable("no translation:\n" + untranslated.join('\n')));
    QVERIFY2(unexpected.isEmpty(), qPrintable("must stay empty:\n" + unexpected.join('\n')));
}

void CatalogsTest::portugueseChanges()
{
    const Catalog pt = readCatalog(tsDir + "portugues.ts");
    const QList<std::array<const char *, 3>> changes{
        {"MainWindow", "Dados deletados !!", "Dados deletados !"},
        {"MainWindow", "Dados deletados!", "Dados deletados !"},
        {"MainWindow", "Procurando e conectando com o instrumento...", "Procurando e conectando com o instrumento ..."},
        {"MainWindow", "Tem certeza que quer deletar todos os arquivos do equipamento?",
         "Tem certeza que quer deletar todos os arquivos do dispositivo?"},
        {"MainWindow", "Usuario 1", "Usuário 1"},
        {"Perfil", "Cadastro de Perfil", "Alterar Perfil"},
    };
    int checked = 0;
    for (const auto &c : changes) {
        const auto key = qMakePair(QString(c[0]), QString::fromUtf8(c[1]));
        if (!pt.contains(key))
            continue;  // not in the sources yet
        QCOMPARE(pt[key].translation, QString::fromUtf8(c[2]));
        ++checked;
    }
    QVERIFY(checked >= 2);
    // Everything else reads as its source.
    for (auto it = pt.cbegin(); it != pt.cend(); ++it) {
        bool changed = false;
        for (const auto &c : changes)
            changed |= it.key().first == c[0] && it.key().second == QString::fromUtf8(c[1]);
        if (!changed && !it->translation.isEmpty())
            QCOMPARE(it->translation, it.key().second);
    }
}

void CatalogsTest::compiledCatalogsAreEmbedded()
{
    const QList<std::array<const char *, 2>> expectations{
        {":/Translate/portugues.qm", "Usuário 1"},
        {":/Translate/ingles.qm", "User 1"},
        {":/Translate/espanhol.qm", "Usuario 1"},
    };
    for (const auto &e : expectations) {
        QTranslator t;
        QVERIFY2(t.load(e[0]), e[0]);
        QCOMPARE(t.translate("MainWindow", "Usuario 1"), QString::fromUtf8(e[1]));
        QVERIFY(t.translate("MainWindow", "Status").isEmpty());
    }
}

QTEST_MAIN(CatalogsTest)
#include "tst_catalogs.moc"
