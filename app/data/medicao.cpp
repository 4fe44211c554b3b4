#include "medicao.h"

#include "localpaths.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>
#include <QVarLengthArray>

namespace {

const QString kBlank = QStringLiteral(" ");

using Fields = QVarLengthArray<QStringView, 16>;

// Splits a line at ';' and drops empty fields, as every reader of these files
// does: a trailing ';' adds nothing and an empty field shifts the rest left.
void splitFields(QStringView line, Fields &out)
{
    out.clear();
    const QChar *data = line.data();
    const int n = int(line.size());
    int start = 0;
    for (int i = 0; i < n; ++i) {
        if (data[i] == QLatin1Char(';')) {
            if (i > start)
                out.append(line.mid(start, i - start));
            start = i + 1;
        }
    }
    if (n > start)
        out.append(line.mid(start, n - start));
}

// Walks decoded file content line by line. A line ends at LF; a CR right
// before it is not part of the line (files come with CR LF or LF).
class LineCursor
{
public:
    explicit LineCursor(QString text) : m_text(std::move(text)) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // The view stays valid while the cursor lives.
    QStringView readLine()
    {
        const int n = m_text.size();
        if (m_pos >= n)
            return QStringView();
        int end = m_text.indexOf(QLatin1Char('\n'), m_pos);
        const int next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        int len = end - m_pos;
        if (len > 0 && m_text.at(end - 1) == QLatin1Char('\r'))
            --len;
        const QStringView line = QStringView(m_text).mid(m_pos, len);
        m_pos = next;
        return line;
    }

    // Everything not yet read, with CR LF as LF; the cursor is then at its end.
    QString readAll()
    {
        QString rest = m_text.mid(m_pos);
        m_pos = m_text.size();
        rest.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        return rest;
    }

    int lineCountEstimate() const { return int(m_text.count(QLatin1Char('\n'))) + 1; }

private:
    QString m_text;
    int m_pos = 0;
};

// Sample values repeat a great deal (levels are whole tenths of a decibel, the
// pause column holds two marks), so within one read equal texts share one
// QString. That saves most of the allocations and memory of a long sample
// file; implicit sharing keeps it invisible to the record's users. The table
// is bounded: once full, further texts are simply copied.
class Interner
{
public:
    Interner() : m_slots(kSlots) {}

    QString get(QStringView text)
    {
        if (text.size() > kMaxLength)
            return text.toString();
        uint i = qHash(text) & (kSlots - 1);
        while (!m_slots[i].isNull()) {
            if (m_slots[i] == text)
                return m_slots[i];
            i = (i + 1) & (kSlots - 1);
        }
        QString copy = text.toString();
        if (m_used < kSlots / 2) {
            m_slots[i] = copy;
            ++m_used;
        }
        return copy;
    }

private:
    static constexpr uint kSlots = 8192;
    static constexpr int kMaxLength = 24;
    QVector<QString> m_slots;
    uint m_used = 0;
};

// Opens and decodes a file for one of the readers. Distinguishes a missing
// file (record untouched) from one that exists but cannot be opened.
enum class Open { Missing, Failed, Ok };

Open openText(const QString &path, QString *text)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return Open::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Open::Failed;
    *text = TextFile::decode(file.readAll());
    return Open::Ok;
}

int indexOf(const QStringList &keys, QStringView key)
{
    for (int i = 0; i < keys.size(); ++i) {
        if (key == keys.at(i))
            return i;
    }
    return -1;
}

const QStringList &configDefaults()
{
    static const QStringList defaults = {
        QStringLiteral("nvx2200_01_00000"), QStringLiteral("0"), QStringLiteral("5"),
        QStringLiteral("s"), QStringLiteral("a"), QStringLiteral("80"),
        QStringLiteral("90"), QStringLiteral("115"), QStringLiteral("0"),
        QStringLiteral("8:0"), QStringLiteral("6"), QStringLiteral("00/00/00"),
        QStringLiteral("00:00:00"), QStringLiteral("94.0"), QStringLiteral("0"),
        QStringLiteral("114.0"), QStringLiteral("2948056.5"), QStringLiteral("2951434.5"),
        QStringLiteral("1"), QStringLiteral("00:00:00"), QStringLiteral("00/00/0000"),
        QStringLiteral("00:00:00"), QStringLiteral("00:00:00"), QStringLiteral("1"),
        QStringLiteral("00/00/00"), QStringLiteral("00:00:00"), QStringLiteral("00:00:00"),
        QStringLiteral("0"),
    };
    return defaults;
}

} // namespace

const QStringList &Medicao::headerKeys()
{
    static const QStringList keys = {
        QStringLiteral("nome_da_medicao"), QStringLiteral("empresa_avaliadora"),
        QStringLiteral("responsavel_tecnico"), QStringLiteral("empresa_avaliada"),
        QStringLiteral("funcionario_avaliado"), QStringLiteral("jornada_de_trabalho"),
        QStringLiteral("setor"), QStringLiteral("data_medicao"),
        QStringLiteral("inicio_medicao"), QStringLiteral("fim_medicao"),
        QStringLiteral("duracao_medicao"), QStringLiteral("periodo_amostragem"),
        QStringLiteral("numero_serial_equipamento"), QStringLiteral("id_medicao"),
        QStringLiteral("taxa_troca"), QStringLiteral("ponderacao_tempo"),
        QStringLiteral("ponderacao_frequencia"), QStringLiteral("limiar_nivel"),
        QStringLiteral("nivel_criterio"), QStringLiteral("exceedance"),
        QStringLiteral("l_calibradorInicial"), QStringLiteral("l_calibradorFinal"),
        QStringLiteral("observacoes"),
    };
    return keys;
}

const QStringList &Medicao::profileResultKeys()
{
    static const QStringList keys = {
        QStringLiteral("dose"), QStringLiteral("dose_projetada"), QStringLiteral("lavg"),
        QStringLiteral("ne"), QStringLiteral("nen"), QStringLiteral("twa"),
        QStringLiteral("filtro"), QStringLiteral("ponderacao_tempo"), QStringLiteral("lmax"),
        QStringLiteral("tlmax"), QStringLiteral("lmin"), QStringLiteral("tlmin"),
        QStringLiteral("ptwa"), QStringLiteral("exp"),
    };
    return keys;
}

const QStringList &Medicao::sampleColumnKeys()
{
    static const QStringList keys = {
        QStringLiteral("amostra_tempo"), QStringLiteral("amostra_pausa"),
        QStringLiteral("amostra_leq_nho"), QStringLiteral("amostra_pico_nho"),
        QStringLiteral("amostra_lavg_nr"), QStringLiteral("amostra_coluna_6"),
        QStringLiteral("amostra_pico_nr"), QStringLiteral("amostra_lavg_usuario"),
        QStringLiteral("amostra_leq_usuario"), QStringLiteral("amostra_pico_usuario"),
    };
    return keys;
}

const QStringList &Medicao::configKeys()
{
    static const QStringList keys = {
        QStringLiteral("cfg_id"), QStringLiteral("cfg_linha_2"),
        QStringLiteral("cfg_taxa_troca"), QStringLiteral("cfg_ponderacao_tempo"),
        QStringLiteral("cfg_ponderacao_frequencia"), QStringLiteral("cfg_limiar_nivel"),
        QStringLiteral("cfg_nivel_criterio"), QStringLiteral("cfg_exceedance"),
        QStringLiteral("cfg_linha_9"), QStringLiteral("cfg_jornada"),
        QStringLiteral("cfg_periodo_amostragem"), QStringLiteral("cfg_data"),
        QStringLiteral("cfg_hora"), QStringLiteral("cfg_linha_14"),
        QStringLiteral("cfg_linha_15"), QStringLiteral("cfg_linha_16"),
        QStringLiteral("cfg_linha_17"), QStringLiteral("cfg_linha_18"),
        QStringLiteral("cfg_linha_19"), QStringLiteral("cfg_linha_20"),
        QStringLiteral("cfg_linha_21"), QStringLiteral("cfg_almoco_inicio"),
        QStringLiteral("cfg_almoco_duracao"), QStringLiteral("cfg_linha_24"),
        QStringLiteral("cfg_programa_data"), QStringLiteral("cfg_programa_inicio"),
        QStringLiteral("cfg_programa_fim"), QStringLiteral("cfg_linha_28"),
    };
    return keys;
}

Medicao::Medicao()
{
    clearHeader();
    clearResults();
    for (QVector<QString> &column : m_amostra)
        column = QVector<QString>{kBlank};
    const QStringList &defaults = configDefaults();
    for (int i = 0; i < ConfigLineCount; ++i)
        m_config[i] = defaults.at(i);
}

QStringList Medicao::headerValues() const
{
    QStringList values;
    for (const QString &value : m_header)
        values.append(value);
    return values;
}

QStringList Medicao::configLines() const
{
    QStringList lines;
    for (const QString &line : m_config)
        lines.append(line);
    return lines;
}

// ---------------------------------------------------------------- header

void Medicao::clearHeader()
{
    for (QString &value : m_header)
        value = kBlank;
    m_header[H_jornada_de_trabalho] = QStringLiteral(" : ");
}

bool Medicao::readHeader(const QString &path)
{
    QString text;
    const Open opened = openText(path, &text);
    if (opened == Open::Missing)
        return false;
    clearHeader();
    if (opened == Open::Failed)
        return false;

    const QStringList &keys = headerKeys();
    LineCursor in(std::move(text));
    Fields fields;
    while (!in.atEnd()) {
        const QStringView line = in.readLine();
        splitFields(line, fields);
        if (fields.isEmpty())
            continue;
        const QStringView key = fields.first();
        const QStringView value = fields.last();
        const int index = indexOf(keys, key);
        if (index < 0)
            continue;

        if (index == H_observacoes) {
            // The value runs to the end of the file: the rest of this line
            // without the key, then every following line.
            QString obs = line.toString();
            obs.remove(QLatin1String("observacoes;"));
            obs += QLatin1Char('\n');
            obs += in.readAll();
            // Drops the ';' that closes the entry in a file written here.
            int pos = obs.size() - 2;
            if (pos < 0)
                pos += obs.size();
            obs.remove(pos, 1);
            // The entry's own line break would otherwise come back as part of
            // the text and add one more at every save.
            while (obs.endsWith(QLatin1Char('\n')))
                obs.chop(1);
            m_header[H_observacoes] = obs;
            break;
        }
        if (index == H_nome_da_medicao && value == QLatin1String("nome_da_medicao"))
            m_header[index] = QStringLiteral("NVX_2200_SW");
        else
            m_header[index] = value.toString();
    }
    return true;
}

QString Medicao::headerText(const QString &empresaAvaliadora,
                            const QString &responsavelTecnico) const
{
    const QStringList &keys = headerKeys();
    QString text;
    for (int i = 0; i < HeaderFieldCount; ++i) {
        const QString &value = i == H_empresa_avaliadora  ? empresaAvaliadora
                               : i == H_responsavel_tecnico ? responsavelTecnico
                                                            : m_header[i];
        text += keys.at(i);
        text += QLatin1Char(';');
        // An empty value would read back as its key ("empresa_avaliadora;;"
        // gives "empresa_avaliadora"): write the cleared value instead. The
        // observations read an empty value back as empty, so they stay as
        // they are.
        text += value.isEmpty() && i != H_observacoes ? kBlank : value;
        text += QLatin1String(";\n");
    }
    return text;
}

bool Medicao::writeHeader(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return TextFile::write(path, headerText(m_header[H_empresa_avaliadora],
                                            m_header[H_responsavel_tecnico]));
}

bool Medicao::rewriteEvaluator(const QString &path, const QString &empresaAvaliadora,
                               const QString &responsavelTecnico)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    // A header that cannot be read is left alone rather than overwritten with
    // blank fields.
    if (!readHeader(path))
        return false;
    return TextFile::write(path, headerText(empresaAvaliadora, responsavelTecnico));
}

// ---------------------------------------------------------------- results

void Medicao::clearResults()
{
    for (QVector<QString> &values : m_perfil)
        values = QVector<QString>{kBlank, kBlank, kBlank};
    m_freq = QVector<QString>{kBlank};
    m_ruido = QVector<QString>{kBlank};
    m_exceedanceCount = kBlank;
    m_exceedanceTempo = kBlank;
    m_exceedanceCountUser = kBlank;
    m_exceedanceTempoUser = kBlank;
}

bool Medicao::readResults(const QString &path)
{
    QString text;
    if (openText(path, &text) != Open::Ok)
        return false;
    clearResults();

    const QStringList &keys = profileResultKeys();
    LineCursor in(std::move(text));
    in.readLine(); // title
    Fields fields;
    Fields more;
    while (!in.atEnd()) {
        splitFields(in.readLine(), fields);
        if (fields.isEmpty())
            continue;
        const QStringView key = fields.first();
        const int n = fields.size();

        const int profileKey = indexOf(keys, key);
        if (profileKey >= 0) {
            // A short line fills what it has; the placeholders stay behind.
            QVector<QString> &values = m_perfil[profileKey];
            for (int i = 1; i <= 3 && i < n; ++i)
                values.insert(i - 1, fields[i].toString());
        } else if (key == QLatin1String("exceedanceCount")) {
            m_exceedanceCount = fields.last().toString();
        } else if (key == QLatin1String("exceedanceTempo")) {
            m_exceedanceTempo = fields.last().toString();
        } else if (key == QLatin1String("exceedanceCountUser")) {
            m_exceedanceCountUser = fields.last().toString();
        } else if (key == QLatin1String("exceedanceTempoUser")) {
            m_exceedanceTempoUser = fields.last().toString();
        } else if (key == QLatin1String("freq")) {
            for (int i = 1; i < n; ++i)
                m_freq.insert(i - 1, fields[i].toString());
        } else if (key == QLatin1String("ruido")) {
            m_ruido = QVector<QString>{kBlank};
            for (int i = 1; i < n; ++i)
                m_ruido.insert(i - 1, fields[i].toString());
            // The instrument splits the band levels over two lines, the second
            // without a key; it carries bands 9 onwards.
            if (n != m_freq.size() && !in.atEnd()) {
                splitFields(in.readLine(), more);
                for (int j = 0; j < more.size(); ++j) {
                    // After a first line of fewer than 8 levels the rest follows
                    // them; the placeholder stays last either way.
                    const int pos = qMin(8 + j, m_ruido.size() - 1);
                    m_ruido.insert(pos, more[j].toString());
                }
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------- samples

bool Medicao::readSamples(const QString &path)
{
    QString text;
    if (openText(path, &text) != Open::Ok)
        return false;

    LineCursor in(std::move(text));
    const int expected = in.lineCountEstimate();
    for (QVector<QString> &column : m_amostra) {
        column.clear();
        column.reserve(expected);
    }
    in.readLine(); // title
    Fields fields;
    Interner shared;
    while (!in.atEnd()) {
        splitFields(in.readLine(), fields);
        if (fields.isEmpty())
            continue;
        if (fields.first() == QLatin1String("dados"))
            break;
        if (fields.size() < SampleColumnCount)
            continue;
        // The time labels are all different; no point in sharing them.
        m_amostra[0].append(fields[0].toString());
        for (int c = 1; c < SampleColumnCount; ++c)
            m_amostra[c].append(shared.get(fields[c]));
    }
    for (QVector<QString> &column : m_amostra)
        column.squeeze();
    return true;
}

// ---------------------------------------------------------------- configuration

bool Medicao::readConfig(const QString &path)
{
    QString text;
    if (openText(path, &text) != Open::Ok)
        return false;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QVector<QStringRef> parts = text.splitRef(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (parts.size() < ConfigLineCount)
        return false;
    for (int i = 0; i < ConfigLineCount; ++i)
        m_config[i] = parts.at(i).toString();
    return true;
}

bool Medicao::saveConfig(const QString &path)
{
    QString text;
    for (const QString &line : m_config) {
        text += line;
        text += QLatin1String("\r\n");
    }
    const QByteArray bytes = TextFile::encode(text);

    // The local copy first, created if missing; the instrument's file is then
    // replaced by a complete copy renamed over it, never deleted beforehand.
    const QString local = LocalPaths::localConfigFile();
    QDir().mkpath(QFileInfo(local).absolutePath());
    if (!TextFile::writeBytes(local, bytes))
        return false;
    if (path.isEmpty())
        return false;
    return TextFile::writeBytes(path, bytes);
}
