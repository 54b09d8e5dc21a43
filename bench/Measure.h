#pragma once
// Timing helpers of the benchmarks: samples in microseconds and their median.
#include <QElapsedTimer>
#include <algorithm>
#include <vector>

inline double medianOf(std::vector<double> samples)
{
    if (samples.empty())
        return -1;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

template <typename Work>
double microsecondsOf(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1000.0;
}

// A figure that could not be measured prints this (never a made-up number).
inline constexpr double NotMeasured = -1;
