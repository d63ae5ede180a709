#pragma once

// Peak memory of one piece of work, measured in a child process so that the high-water mark is
// that work's alone and not what the benchmark process held before.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace orvane::bench
{

inline long statusKb(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return 0;
}

// What a measurement hands back: the peak after building the data alone and the peak after the
// work on it, both above what the child held when it started measuring.
struct Peaks {
    long layoutKb = 0;
    long peakKb = 0;
};

// `work(ok)` runs in a forked child and returns its Peaks; it sets `ok` once its checks pass.
template <typename Work> void reportPeaks(benchmark::State &state, Work work)
{
    int pipeFd[2];
    if (pipe(pipeFd) != 0)
        return state.SkipWithError("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        bool ok = false;
        const Peaks peaks = work(ok);
        _exit(ok && write(pipeFd[1], &peaks, sizeof peaks) == sizeof peaks ? 0 : 1);
    }
    Peaks in;
    const ssize_t got = read(pipeFd[0], &in, sizeof in);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFd[0]);
    close(pipeFd[1]);
    if (got != sizeof in || status != 0)
        return state.SkipWithError("the measuring process failed");
    state.counters["layout_MiB"] = double(in.layoutKb) / 1024.0;
    state.counters["peak_MiB"] = double(in.peakKb) / 1024.0;
    state.counters["ratio"] = double(in.peakKb) / double(in.layoutKb);
}

// The resident size now, once the high-water mark is reset: a forked process starts with its
// parent's.
inline long startMeasuring()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusKb("VmRSS:");
}

} // namespace orvane::bench
