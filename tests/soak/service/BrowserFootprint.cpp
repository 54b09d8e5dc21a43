#include "BrowserFootprint.h"

#include "platform/Processes.h"

#include <QFile>
#include <QSet>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps up to 256 MB of freed blocks in quarantine by default, which
// would read as growth over a soak; a small quarantine fills during the warm-up.
// (ASAN_OPTIONS still wins for any option it names.)
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16";
}
#endif

namespace {

const QString HelperExecutable = QStringLiteral("QtWebEngineProcess");

struct Sizes {
    double pssMb = 0;
    double rssMb = 0;
};

// From /proc/PID/smaps_rollup; zeros for a process that has ended meanwhile.
Sizes sizesOf(std::uint32_t pid)
{
    QFile rollup(QString("/proc/%1/smaps_rollup").arg(pid));
    Sizes sizes;
    if (!rollup.open(QIODevice::ReadOnly))
        return sizes;
    for (const QByteArray& line : rollup.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (fields[0] == "Pss:")
            sizes.pssMb = fields[1].toDouble() / 1024;
        else if (fields[0] == "Rss:")
            sizes.rssMb = fields[1].toDouble() / 1024;
    }
    return sizes;
}

} // namespace

QString BrowserFootprint::describe() const
{
    return QString("RSS %1 MB (this process %2 MB, %3 helpers %4 MB; PSS %5 MB)")
        .arg(totalMb(), 0, 'f', 1)
        .arg(ownRssMb, 0, 'f', 1)
        .arg(helpers)
        .arg(helpersRssMb, 0, 'f', 1)
        .arg(pssMb, 0, 'f', 1);
}

BrowserFootprint measureBrowserFootprint(platform::Processes& processes)
{
    BrowserFootprint footprint;
    const std::uint32_t self = std::uint32_t(getpid());
    const Sizes own = sizesOf(self);
    footprint.ownRssMb = own.rssMb;
    footprint.pssMb = own.pssMb;

    const auto all = processes.snapshot();
    if (!all)
        return footprint;
    // Descendants: the engine forks its renderers from a zygote, not from this process.
    QSet<std::uint32_t> family{self};
    for (bool grew = true; grew;) {
        grew = false;
        for (const platform::ProcessRecord& process : *all)
            if (family.contains(process.parentPid) && !family.contains(process.pid)) {
                family.insert(process.pid);
                grew = true;
            }
    }
    for (const platform::ProcessRecord& process : *all) {
        if (process.pid == self || !family.contains(process.pid) || !process.exeFile.startsWith(HelperExecutable))
            continue;
        const Sizes sizes = sizesOf(process.pid);
        footprint.helpersRssMb += sizes.rssMb;
        footprint.pssMb += sizes.pssMb;
        ++footprint.helpers;
    }
    return footprint;
}
