// Configuration reader and writer: a file that is taken is saved back
// (local copy and instrument file) to the same 28 fields; a file that is not
// taken leaves the defaults.
#include "fuzzcommon.h"
#include "localpaths.h"
#include "medicao.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool init = [] {
        LocalPaths::setApplicationDir(scratchPath("app"));
        return true;
    }();
    (void)init;

    const QString path = writeInput(data, size, "in.cfg");
    Medicao m;
    const bool taken = m.readConfig(path);
    if (!taken) {
        FUZZ_CHECK(m.configLines() == Medicao().configLines());
        return 0;
    }
    const QStringList lines = m.configLines();
    FUZZ_CHECK(lines.size() == Medicao::ConfigLineCount);
    const QString instrument = scratchPath("config_nvx2200.cfg");
    FUZZ_CHECK(m.saveConfig(instrument));
    Medicao back;
    FUZZ_CHECK(back.readConfig(instrument));
    FUZZ_CHECK(back.configLines() == lines);
    Medicao local;
    FUZZ_CHECK(local.readConfig(LocalPaths::localConfigFile()));
    FUZZ_CHECK(local.configLines() == lines);
    return 0;
}
