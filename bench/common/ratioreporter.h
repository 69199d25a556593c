#pragma once
// Console output of Google Benchmark plus the time each benchmark took, so a program can print
// the ratio of a measured piece of Faktavo against its baseline from the same run. The time
// kept is the best CPU time of the repetitions (the machine is shared, so wall time is noisy),
// or the median real time where the benchmark measures waiting on another process.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace fakvo::bench {

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    enum class Measure
    {
        BestCpu,
        MedianReal
    };
    explicit RatioReporter(Measure measure = Measure::BestCpu) : m_measure(measure) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (m_measure == Measure::MedianReal) {
                if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                    m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
                continue;
            }
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const auto [it, fresh] =
                m_times.try_emplace(run.run_name.function_name, run.GetAdjustedCPUTime());
            if (!fresh && run.GetAdjustedCPUTime() < it->second)
                it->second = run.GetAdjustedCPUTime();
        }
    }

    // Prints "<label>: ratio (a against b)" when both benchmarks ran.
    void PrintRatio(const char* label, const std::string& measured,
                    const std::string& baseline) const
    {
        const auto a = m_times.find(measured);
        const auto b = m_times.find(baseline);
        if (a == m_times.end() || b == m_times.end() || b->second <= 0)
            return;
        std::printf("%s: %.2f (%s %.4g against %s %.4g)\n", label, a->second / b->second,
                    measured.c_str(), a->second, baseline.c_str(), b->second);
    }

private:
    Measure m_measure;
    std::map<std::string, double> m_times;
};

} // namespace fakvo::bench
