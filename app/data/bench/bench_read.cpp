// Reading one measurement (.head, .dat, .hist) into a Medicao: time per read,
// its ratio to reading the same bytes raw, and heap use. Prints figures; it
// asserts nothing about them.
//
//   bench_read [--samples N] [--iterations N]
#include "fixtures.h"
#include "medicao.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/resource.h>

// Heap accounting: the allocator entry points are replaced for this program
// only, counting live bytes and their peak, then passed on to glibc. Blocks
// freed during the count that were allocated before it make the figures a
// little low; a read frees hardly any.
extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void *__libc_memalign(size_t, size_t);
void __libc_free(void *);
}

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

// Counting only while the heap figure is taken, so that it costs the timed
// reads nothing.
void account(long long delta)
{
    if (!g_counting.load(std::memory_order_relaxed))
        return;
    const long long now = g_live.fetch_add(delta) + delta;
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}
long long usable(void *p) { return static_cast<long long>(malloc_usable_size(p)); }
} // namespace

extern "C" {
void *malloc(size_t n)
{
    void *p = __libc_malloc(n);
    if (p)
        account(usable(p));
    return p;
}
void *calloc(size_t n, size_t size)
{
    void *p = __libc_calloc(n, size);
    if (p)
        account(usable(p));
    return p;
}
void *realloc(void *old, size_t n)
{
    const long long before = old ? usable(old) : 0;
    void *p = __libc_realloc(old, n);
    if (p)
        account(usable(p) - before);
    else if (n == 0 && old)
        account(-before);
    return p;
}
void *memalign(size_t align, size_t n)
{
    void *p = __libc_memalign(align, n);
    if (p)
        account(usable(p));
    return p;
}
int posix_memalign(void **out, size_t align, size_t n)
{
    void *p = __libc_memalign(align, n);
    if (!p)
        return 12; // ENOMEM
    account(usable(p));
    *out = p;
    return 0;
}
void *aligned_alloc(size_t align, size_t n) { return memalign(align, n); }
void free(void *p)
{
    if (p)
        account(-usable(p));
    __libc_free(p);
}
}
#define HAVE_HEAP_ACCOUNTING 1
#endif

namespace {

double medianMs(const std::function<void()> &work, int iterations)
{
    std::vector<double> ms;
    work(); // warm caches
    for (int i = 0; i < iterations; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

int intArg(const QStringList &args, const QString &name, int fallback)
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int samples = std::max(1, intArg(args, "--samples", 10000));
    const int iterations = std::max(1, intArg(args, "--iterations", 50));

    QTemporaryDir dir;
    Fixtures::MeasurementOptions options;
    options.samples = samples;
    options.pauseLength = samples / 9;
    options.identification = true;
    const QString base = Fixtures::writeMeasurement(dir.path(), options);
    if (base.isEmpty()) {
        fprintf(stderr, "bench_read: cannot write the measurement into %s\n", qPrintable(dir.path()));
        return 1;
    }
    const QStringList paths = {base + ".head", base + ".dat", base + ".hist"};
    qint64 bytes = 0;
    for (const QString &p : paths)
        bytes += QFileInfo(p).size();

    qint64 sink = 0;
    const double rawMs = medianMs([&] {
        for (const QString &p : paths) {
            QFile f(p);
            if (f.open(QIODevice::ReadOnly))
                sink += f.readAll().size();
        }
    }, iterations);
    const double decodeMs = medianMs([&] {
        for (const QString &p : paths) {
            QFile f(p);
            if (f.open(QIODevice::ReadOnly))
                sink += TextFile::decode(f.readAll()).size();
        }
    }, iterations);
    const double linesMs = medianMs([&] {
        for (const QString &p : paths)
            sink += TextFile::readLines(p).size();
    }, iterations);
    const double recordMs = medianMs([&] {
        Medicao m;
        m.readHeader(paths[0]);
        m.readSamples(paths[1]);
        m.readResults(paths[2]);
        sink += m.amostra_tempo().size();
    }, iterations);

    printf("measurement: %d samples, %lld bytes in .head/.dat/.hist, median of %d reads\n", samples,
           static_cast<long long>(bytes), iterations);
    printf("raw bytes (QFile::readAll)      %9.3f ms\n", rawMs);
    printf("decoded text (Windows-1252)     %9.3f ms   %5.2fx raw\n", decodeMs, decodeMs / rawMs);
    printf("decoded lines (TextFile)        %9.3f ms   %5.2fx raw\n", linesMs, linesMs / rawMs);
    printf("Medicao, all three files        %9.3f ms   %5.2fx raw   %5.2fx lines\n", recordMs,
           recordMs / rawMs, recordMs / linesMs);
    printf("throughput                      %9.1f MB/s\n", double(bytes) / 1e6 / (recordMs / 1e3));

#ifdef HAVE_HEAP_ACCOUNTING
    {
        g_live.store(0);
        g_peak.store(0);
        g_counting.store(true);
        const long long before = 0;
        auto *m = new Medicao;
        m->readHeader(paths[0]);
        m->readSamples(paths[1]);
        m->readResults(paths[2]);
        const long long peak = g_peak.load() - before;
        const long long kept = g_live.load() - before;
        g_counting.store(false);
        delete m;
        printf("heap: peak during read          %9.2f MB   (%.1f bytes per file byte)\n", double(peak) / 1e6,
               double(peak) / double(bytes));
        printf("heap: kept by the record        %9.2f MB\n", double(kept) / 1e6);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    printf("process peak RSS                %9.2f MB\n", double(usage.ru_maxrss) / 1e3);
#endif
    return sink > 0 ? 0 : 1;
}
