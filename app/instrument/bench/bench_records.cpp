// Rebuilding the records table for an instrument folder of many measurements:
// time per rebuild, and its ratio to reading the same header files raw.
//   bench_records [MEASUREMENTS=1000] [ROUNDS=20]
#include "fixtures.h"
#include "instrumentscan.h"
#include "localpaths.h"
#include "mainwindow.h"
#include "mountedvolumes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 1000;
    const int rounds = argc > 2 ? atoi(argv[2]) : 20;

    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/drive/NVX2200";
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i) {
        Fixtures::MeasurementOptions m;
        m.seed = quint32(i);
        m.samples = 5;  // only the headers matter here
        m.pauseLength = 0;
        Fixtures::writeMeasurement(folder, m);
    }
    // Half of them already downloaded, as after a week of use.
    LocalPaths::setApplicationDir(tmp.path() + "/data");
    QDir().mkpath(LocalPaths::archiveDir());
    const QStringList heads = QDir(folder).entryList({"*.head"}, QDir::Files);
    for (int i = 0; i < heads.size(); i += 2)
        QFile::copy(folder + "/" + heads[i], LocalPaths::archiveDir() + heads[i]);

    MountedVolumes::setSource([&] { return QList<MountedVolume>{MountedVolumes::instrumentVolumeAt(tmp.path() + "/drive")}; });
    MainWindow window(nullptr);
    window.checkInstrumentConnection();

    std::vector<double> raw, rebuild;
    qint64 bytes = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        bytes = 0;
        for (const QString &h : QDir(folder).entryList({"*.head"}, QDir::Files)) {
            QFile f(folder + "/" + h);
            if (f.open(QIODevice::ReadOnly))
                bytes += f.readAll().size();
        }
        raw.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        window.refreshInstrumentTable();
        rebuild.push_back(t.nsecsElapsed() / 1e6);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the replaced model
    }
    const int rows = window.findChild<QTableView *>("tableView")->model()->rowCount();
    std::printf("measurements           %d (%d rows, %lld header bytes)\n", count, rows, (long long)bytes);
    std::printf("raw header read        %.2f ms (median of %d)\n", median(raw), rounds);
    std::printf("table rebuild          %.2f ms (median of %d)\n", median(rebuild), rounds);
    std::printf("rebuild / raw          %.2fx\n", median(rebuild) / median(raw));
    return rows == count ? 0 : 1;
}
