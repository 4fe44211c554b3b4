// Result reader: any input leaves every per-profile vector with its three
// placeholders last, and the band lists with their placeholder last.
#include "fuzzcommon.h"
#include "medicao.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeInput(data, size, "in.hist");
    Medicao m;
    FUZZ_CHECK(m.readResults(path));
    const QString blank = QStringLiteral(" ");
    for (int i = 0; i < Medicao::ProfileResultCount; ++i) {
        const QVector<QString> v = m.profileResult(i);
        FUZZ_CHECK(v.size() >= 3);
        FUZZ_CHECK(v.at(v.size() - 1) == blank && v.at(v.size() - 2) == blank && v.at(v.size() - 3) == blank);
    }
    FUZZ_CHECK(!m.freq().isEmpty() && m.freq().last() == blank);
    FUZZ_CHECK(!m.ruido().isEmpty() && m.ruido().last() == blank);
    for (const QString &s : {m.exceedanceCount(), m.exceedanceTempo(), m.exceedanceCountUser(),
                             m.exceedanceTempoUser()})
        FUZZ_CHECK(!s.isEmpty() && !s.contains(QLatin1Char(';')));

    // Reading the same file again gives the same record.
    Medicao again;
    FUZZ_CHECK(again.readResults(path));
    FUZZ_CHECK(again.ruido() == m.ruido() && again.freq() == m.freq() && again.dose() == m.dose());
    return 0;
}
