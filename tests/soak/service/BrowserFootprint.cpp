#include "BrowserFootprint.h"

#include <QFile>
#include <QSet>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps up to 256 MB of freed blocks in quarantine by default, which
// would read as growth over a soak; a small quarantine fills during the warm-up.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16";
}
#endif

namespace {

// From /proc/PID/status; 0 for a process that has ended meanwhile.
double rssMbOf(std::uint32_t pid)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.simplified().split(' ').value(1).toDouble() / 1024;
    return 0;
}

} // namespace

BrowserFootprint BrowserFootprint::measure(platform::Processes& processes)
{
    BrowserFootprint footprint;
    const std::uint32_t self = std::uint32_t(getpid());
    footprint.ownRssMb = rssMbOf(self);
    const auto all = processes.snapshot();
    if (!all)
        return footprint;
    // Descendants: the engine forks its renderers from a zygote, not from this process.
    QSet<std::uint32_t> family{self};
    for (bool grew = true; grew;) {
        grew = false;
        for (const platform::ProcessRecord& process : *all)
            if (family.contains(process.parentPid) && !family.contains(process.pid))
                grew = family.insert(process.pid) != family.end();
    }
    for (const platform::ProcessRecord& process : *all)
        if (process.pid != self && family.contains(process.pid) && process.exeFile.startsWith("QtWebEngineProcess")) {
            footprint.helpersRssMb += rssMbOf(process.pid);
            ++footprint.helpers;
        }
    return footprint;
}
