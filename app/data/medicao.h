#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// One measurement of the NVX-2200 and the instrument's configuration, as text.
//
// Every value is kept exactly as the instrument's files hold it; nothing is
// converted to a number here, consumers convert what they need. Four groups:
//  - header:        the 23 entries of the ".head" file (key;value; per line)
//  - results:       the ".hist" file: 14 per-profile vectors, the octave bands
//                   (freq, ruido) and four exceedance strings
//  - samples:       the 10 columns of the ".dat" file
//  - configuration: the 28 positional lines of config_nvx2200.cfg
//
// Per-profile vectors use index 0 = NHO-01, 1 = NR-15, 2 = Usuário.
//
// Accessors: the getter bears the field's name and returns a copy; a setter,
// where the field has one, is "set" + the field name with its first letter in
// capitals (setEmpresa_avaliadora, setCfg_taxa_troca). The header field
// ponderacao_tempo and the per-profile result of the same name would share a
// getter name, so the result vector's getter is ponderacao_tempo_perfis().
//
// Files are Windows-1252 text; the reader accepts CR LF or LF, the writers
// write CR LF. Writers replace a file only with a complete new copy, so a
// failure leaves the old one as it was. The read and write functions return
// whether the file was read or written; callers are free to ignore it, since a
// failure leaves the record (reading) or the file (writing) as documented.
class Medicao
{
public:
    Medicao();

    // Header (".head")
    void clearHeader();
    // Missing file: the record is unchanged. Unreadable file: header cleared.
    // Line breaks at the end of observacoes are dropped, so that saving and
    // reading again keeps the text however often it is repeated.
    bool readHeader(const QString &path);
    // Rewrites an existing header file; never creates one.
    bool writeHeader(const QString &path);
    // Reads path into this record, then rewrites the file with the given
    // evaluator; the record keeps the evaluator it read. A file that exists
    // but cannot be read is left alone.
    bool rewriteEvaluator(const QString &path, const QString &empresaAvaliadora,
                          const QString &responsavelTecnico);

    // Results (".hist") and samples (".dat"); both files are only read. A
    // missing or unreadable file leaves the record unchanged.
    void clearResults();
    bool readResults(const QString &path);
    bool readSamples(const QString &path);

    // Configuration (config_nvx2200.cfg)
    // Takes the first 28 non-empty lines; a file with fewer changes nothing.
    // True only when the lines were taken.
    bool readConfig(const QString &path);
    // Writes the local copy (LocalPaths::localConfigFile(), created when
    // missing), then replaces the instrument's file at path with the same
    // content. If the local copy cannot be written the instrument's file is
    // left alone; it is never deleted.
    bool saveConfig(const QString &path);

    // Header fields, in file order. Default and cleared value " ", except
    // jornada_de_trabalho " : ". Only observacoes may span several lines.
    QString nome_da_medicao() const { return m_header[H_nome_da_medicao]; }
    QString empresa_avaliadora() const { return m_header[H_empresa_avaliadora]; }
    void setEmpresa_avaliadora(const QString &value) { m_header[H_empresa_avaliadora] = value; }
    QString responsavel_tecnico() const { return m_header[H_responsavel_tecnico]; }
    void setResponsavel_tecnico(const QString &value) { m_header[H_responsavel_tecnico] = value; }
    QString empresa_avaliada() const { return m_header[H_empresa_avaliada]; }
    void setEmpresa_avaliada(const QString &value) { m_header[H_empresa_avaliada] = value; }
    QString funcionario_avaliado() const { return m_header[H_funcionario_avaliado]; }
    void setFuncionario_avaliado(const QString &value) { m_header[H_funcionario_avaliado] = value; }
    QString jornada_de_trabalho() const { return m_header[H_jornada_de_trabalho]; }
    QString setor() const { return m_header[H_setor]; }
    void setSetor(const QString &value) { m_header[H_setor] = value; }
    QString data_medicao() const { return m_header[H_data_medicao]; }
    QString inicio_medicao() const { return m_header[H_inicio_medicao]; }
    QString fim_medicao() const { return m_header[H_fim_medicao]; }
    QString duracao_medicao() const { return m_header[H_duracao_medicao]; }
    QString periodo_amostragem() const { return m_header[H_periodo_amostragem]; }
    QString numero_serial_equipamento() const { return m_header[H_numero_serial_equipamento]; }
    QString id_medicao() const { return m_header[H_id_medicao]; }
    QString taxa_troca() const { return m_header[H_taxa_troca]; }
    QString ponderacao_tempo() const { return m_header[H_ponderacao_tempo]; }
    QString ponderacao_frequencia() const { return m_header[H_ponderacao_frequencia]; }
    QString limiar_nivel() const { return m_header[H_limiar_nivel]; }
    QString nivel_criterio() const { return m_header[H_nivel_criterio]; }
    QString exceedance() const { return m_header[H_exceedance]; }
    QString l_calibradorInicial() const { return m_header[H_l_calibradorInicial]; }
    QString l_calibradorFinal() const { return m_header[H_l_calibradorFinal]; }
    QString observacoes() const { return m_header[H_observacoes]; }
    void setObservacoes(const QString &value) { m_header[H_observacoes] = value; }

    // Result fields. Each per-profile vector holds, after a read, the three
    // values of its line followed by three placeholders " " (only elements
    // 0..2 are meaningful); freq and ruido hold the band values followed by
    // one placeholder " ". All are " " (or three " ") before a read.
    QVector<QString> dose() const { return m_perfil[R_dose]; }
    QVector<QString> dose_projetada() const { return m_perfil[R_dose_projetada]; }
    QVector<QString> lavg() const { return m_perfil[R_lavg]; }
    QVector<QString> ne() const { return m_perfil[R_ne]; }
    QVector<QString> nen() const { return m_perfil[R_nen]; }
    QVector<QString> twa() const { return m_perfil[R_twa]; }
    QVector<QString> filtro() const { return m_perfil[R_filtro]; }
    QVector<QString> ponderacao_tempo_perfis() const { return m_perfil[R_ponderacao_tempo]; }
    QVector<QString> lmax() const { return m_perfil[R_lmax]; }
    QVector<QString> tlmax() const { return m_perfil[R_tlmax]; }
    QVector<QString> lmin() const { return m_perfil[R_lmin]; }
    QVector<QString> tlmin() const { return m_perfil[R_tlmin]; }
    QVector<QString> ptwa() const { return m_perfil[R_ptwa]; }
    QVector<QString> exp() const { return m_perfil[R_exp]; }

    QVector<QString> freq() const { return m_freq; }
    QVector<QString> ruido() const { return m_ruido; }
    QString exceedanceCount() const { return m_exceedanceCount; }
    QString exceedanceTempo() const { return m_exceedanceTempo; }
    QString exceedanceCountUser() const { return m_exceedanceCountUser; }
    QString exceedanceTempoUser() const { return m_exceedanceTempoUser; }

    // Sample columns, all of equal length after a read; one " " before.
    QVector<QString> amostra_tempo() const { return m_amostra[S_amostra_tempo]; }
    QVector<QString> amostra_pausa() const { return m_amostra[S_amostra_pausa]; }
    QVector<QString> amostra_leq_nho() const { return m_amostra[S_amostra_leq_nho]; }
    QVector<QString> amostra_pico_nho() const { return m_amostra[S_amostra_pico_nho]; }
    QVector<QString> amostra_lavg_nr() const { return m_amostra[S_amostra_lavg_nr]; }
    QVector<QString> amostra_coluna_6() const { return m_amostra[S_amostra_coluna_6]; }
    QVector<QString> amostra_pico_nr() const { return m_amostra[S_amostra_pico_nr]; }
    QVector<QString> amostra_lavg_usuario() const { return m_amostra[S_amostra_lavg_usuario]; }
    QVector<QString> amostra_leq_usuario() const { return m_amostra[S_amostra_leq_usuario]; }
    QVector<QString> amostra_pico_usuario() const { return m_amostra[S_amostra_pico_usuario]; }

    // Configuration lines. Lines without a getter here are carried from
    // readConfig to saveConfig unchanged; configLines() shows all 28.
    QString cfg_id() const { return m_config[C_cfg_id]; }
    QString cfg_linha_2() const { return m_config[C_cfg_linha_2]; }
    QString cfg_taxa_troca() const { return m_config[C_cfg_taxa_troca]; }
    void setCfg_taxa_troca(const QString &value) { m_config[C_cfg_taxa_troca] = value; }
    QString cfg_ponderacao_tempo() const { return m_config[C_cfg_ponderacao_tempo]; }
    void setCfg_ponderacao_tempo(const QString &value) { m_config[C_cfg_ponderacao_tempo] = value; }
    QString cfg_ponderacao_frequencia() const { return m_config[C_cfg_ponderacao_frequencia]; }
    void setCfg_ponderacao_frequencia(const QString &value) { m_config[C_cfg_ponderacao_frequencia] = value; }
    QString cfg_limiar_nivel() const { return m_config[C_cfg_limiar_nivel]; }
    void setCfg_limiar_nivel(const QString &value) { m_config[C_cfg_limiar_nivel] = value; }
    QString cfg_nivel_criterio() const { return m_config[C_cfg_nivel_criterio]; }
    void setCfg_nivel_criterio(const QString &value) { m_config[C_cfg_nivel_criterio] = value; }
    QString cfg_exceedance() const { return m_config[C_cfg_exceedance]; }
    void setCfg_exceedance(const QString &value) { m_config[C_cfg_exceedance] = value; }
    QString cfg_jornada() const { return m_config[C_cfg_jornada]; }
    void setCfg_jornada(const QString &value) { m_config[C_cfg_jornada] = value; }
    QString cfg_periodo_amostragem() const { return m_config[C_cfg_periodo_amostragem]; }
    void setCfg_periodo_amostragem(const QString &value) { m_config[C_cfg_periodo_amostragem] = value; }
    QString cfg_data() const { return m_config[C_cfg_data]; }
    void setCfg_data(const QString &value) { m_config[C_cfg_data] = value; }
    QString cfg_hora() const { return m_config[C_cfg_hora]; }
    void setCfg_hora(const QString &value) { m_config[C_cfg_hora] = value; }
    QString cfg_almoco_inicio() const { return m_config[C_cfg_almoco_inicio]; }
    void setCfg_almoco_inicio(const QString &value) { m_config[C_cfg_almoco_inicio] = value; }
    QString cfg_almoco_duracao() const { return m_config[C_cfg_almoco_duracao]; }
    void setCfg_almoco_duracao(const QString &value) { m_config[C_cfg_almoco_duracao] = value; }
    QString cfg_programa_data() const { return m_config[C_cfg_programa_data]; }
    void setCfg_programa_data(const QString &value) { m_config[C_cfg_programa_data] = value; }
    QString cfg_programa_inicio() const { return m_config[C_cfg_programa_inicio]; }
    void setCfg_programa_inicio(const QString &value) { m_config[C_cfg_programa_inicio] = value; }
    QString cfg_programa_fim() const { return m_config[C_cfg_programa_fim]; }
    void setCfg_programa_fim(const QString &value) { m_config[C_cfg_programa_fim] = value; }

    // Generic access in file order, for exporters (keys are the field names).
    static const QStringList &headerKeys();
    QStringList headerValues() const;
    static const QStringList &profileResultKeys();
    QVector<QString> profileResult(int index) const { return m_perfil[index]; }
    static const QStringList &sampleColumnKeys();
    QVector<QString> sampleColumn(int index) const { return m_amostra[index]; }
    static const QStringList &configKeys();
    QStringList configLines() const; // all 28, the uninterpreted ones included

    enum HeaderField {
        H_nome_da_medicao, H_empresa_avaliadora, H_responsavel_tecnico,
        H_empresa_avaliada, H_funcionario_avaliado, H_jornada_de_trabalho,
        H_setor, H_data_medicao, H_inicio_medicao, H_fim_medicao,
        H_duracao_medicao, H_periodo_amostragem, H_numero_serial_equipamento,
        H_id_medicao, H_taxa_troca, H_ponderacao_tempo, H_ponderacao_frequencia,
        H_limiar_nivel, H_nivel_criterio, H_exceedance, H_l_calibradorInicial,
        H_l_calibradorFinal, H_observacoes,
        HeaderFieldCount
    };
    enum ProfileResult {
        R_dose, R_dose_projetada, R_lavg, R_ne, R_nen, R_twa, R_filtro,
        R_ponderacao_tempo, R_lmax, R_tlmax, R_lmin, R_tlmin, R_ptwa, R_exp,
        ProfileResultCount
    };
    enum SampleColumn {
        S_amostra_tempo, S_amostra_pausa, S_amostra_leq_nho, S_amostra_pico_nho,
        S_amostra_lavg_nr, S_amostra_coluna_6, S_amostra_pico_nr,
        S_amostra_lavg_usuario, S_amostra_leq_usuario, S_amostra_pico_usuario,
        SampleColumnCount
    };
    enum ConfigLine {
        C_cfg_id, C_cfg_linha_2, C_cfg_taxa_troca, C_cfg_ponderacao_tempo,
        C_cfg_ponderacao_frequencia, C_cfg_limiar_nivel, C_cfg_nivel_criterio,
        C_cfg_exceedance, C_cfg_linha_9, C_cfg_jornada,
        C_cfg_periodo_amostragem, C_cfg_data, C_cfg_hora, C_cfg_linha_14,
        C_cfg_linha_15, C_cfg_linha_16, C_cfg_linha_17, C_cfg_linha_18,
        C_cfg_linha_19, C_cfg_linha_20, C_cfg_linha_21, C_cfg_almoco_inicio,
        C_cfg_almoco_duracao, C_cfg_linha_24, C_cfg_programa_data,
        C_cfg_programa_inicio, C_cfg_programa_fim, C_cfg_linha_28,
        ConfigLineCount
    };

private:
    // The 23 entries, LF line ends (written as CR LF).
    QString headerText(const QString &empresaAvaliadora,
                       const QString &responsavelTecnico) const;

    QString m_header[HeaderFieldCount];
    QVector<QString> m_perfil[ProfileResultCount];
    QVector<QString> m_freq;
    QVector<QString> m_ruido;
    QString m_exceedanceCount;
    QString m_exceedanceTempo;
    QString m_exceedanceCountUser;
    QString m_exceedanceTempoUser;
    QVector<QString> m_amostra[SampleColumnCount];
    QString m_config[ConfigLineCount];
};
