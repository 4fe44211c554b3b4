// Sample reader: any input gives ten columns of equal length holding only
// non-empty fields.
#include "fuzzcommon.h"
#include "medicao.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeInput(data, size, "in.dat");
    Medicao m;
    FUZZ_CHECK(m.readSamples(path));
    const int rows = m.amostra_tempo().size();
    FUZZ_CHECK(rows <= int(size) / 10 + 1);
    for (int c = 0; c < Medicao::SampleColumnCount; ++c) {
        const QVector<QString> column = m.sampleColumn(c);
        FUZZ_CHECK(column.size() == rows);
        for (const QString &v : column) {
            FUZZ_CHECK(!v.isEmpty());
            FUZZ_CHECK(!v.contains(QLatin1Char(';')) && !v.contains(QLatin1Char('\n')));
        }
    }
    if (rows > 0)
        FUZZ_CHECK(m.amostra_tempo().first() != QLatin1String("dados"));
    return 0;
}
