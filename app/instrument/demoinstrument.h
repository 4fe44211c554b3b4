#pragma once
#include <QString>

// A folder that plays the instrument's drive for newcomers and
// demonstrations: NVX2200/ with a few realistic measurements and a
// configuration file, made on first use under the local data folder.
namespace DemoInstrument {

// LocalPaths::applicationDir() + "/demo-instrument"
QString root();

// Creates the drive when its measurement folder does not exist yet and
// returns its root. An existing folder is left as the user left it.
QString ensure();

} // namespace DemoInstrument
