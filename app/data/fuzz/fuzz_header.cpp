// Header reader and writer. Beyond not crashing: whatever a header file holds,
// writing the record read from it and reading that again gives the same
// record, and stamping an evaluator changes only those two fields.
#include "fuzzcommon.h"
#include "medicao.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeInput(data, size, "in.head");
    Medicao first;
    FUZZ_CHECK(first.readHeader(path));
    const QStringList values = first.headerValues();
    FUZZ_CHECK(values.size() == Medicao::HeaderFieldCount);
    for (int i = 0; i < values.size(); ++i) {
        if (i != Medicao::H_observacoes) {
            FUZZ_CHECK(!values.at(i).isEmpty());
            FUZZ_CHECK(!values.at(i).contains(QLatin1Char(';')));
            FUZZ_CHECK(!values.at(i).contains(QLatin1Char('\n')));
        }
    }
    FUZZ_CHECK(!values.at(Medicao::H_observacoes).endsWith(QLatin1Char('\n')));

    FUZZ_CHECK(first.writeHeader(path));
    Medicao again;
    FUZZ_CHECK(again.readHeader(path));
    // The format cannot carry "observacoes;" on the first line of the
    // observations: the reader removes that sequence there.
    const QString obs = values.at(Medicao::H_observacoes);
    const bool obsKeepsKey = obs.section(QLatin1Char('\n'), 0, 0).contains(QLatin1String("observacoes;"));
    for (int i = 0; i < values.size(); ++i) {
        if (i == Medicao::H_observacoes && obsKeepsKey)
            continue;
        FUZZ_CHECK(again.headerValues().at(i) == values.at(i));
    }

    Medicao stamped;
    FUZZ_CHECK(stamped.rewriteEvaluator(path, QStringLiteral("Empresa "), QStringLiteral("Técnico ")));
    Medicao after;
    FUZZ_CHECK(after.readHeader(path));
    FUZZ_CHECK(after.empresa_avaliadora() == QLatin1String("Empresa "));
    FUZZ_CHECK(after.responsavel_tecnico() == QStringLiteral("Técnico "));
    FUZZ_CHECK(after.setor() == again.setor());
    FUZZ_CHECK(after.nome_da_medicao() == again.nome_da_medicao());
    return 0;
}
