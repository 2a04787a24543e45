// The benchmark run, closed by the table of ratios the benchmark files name.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Ratios.h"

namespace vxbench {

namespace {

std::vector<const Ratio*>& ratios()
{
    static std::vector<const Ratio*> all;
    return all;
}

// The console's report, remembering the CPU time per iteration (in seconds)
// of every plain run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds_[run.benchmark_name()] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        bool header = false;
        for (const Ratio* r : ratios()) {
            auto ours = seconds_.find(r->ours);
            auto peer = seconds_.find(r->peer);
            if (ours == seconds_.end() || peer == seconds_.end() || peer->second <= 0)
                continue;
            if (!header) {
                std::printf("\n%-46s %11s %11s %8s %10s\n", "ratio (CPU time)", "ours us", "peer us",
                            "ratio", "goal");
                header = true;
            }
            double ratio = ours->second / peer->second;
            char goal[32];
            std::snprintf(goal, sizeof goal, r->absolute ? "%.0f us" : "%.1fx", r->goal);
            bool met = r->absolute ? ours->second * 1e6 <= r->goal : ratio <= r->goal;
            std::printf("%-46s %11.3f %11.3f %7.2fx %10s%s\n", r->title, ours->second * 1e6,
                        peer->second * 1e6, ratio, goal, met ? "" : "  over");
        }
        std::fflush(stdout);
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace

Ratio::Ratio(const char* title, const char* ours, const char* peer, double goal, bool absolute)
    : title(title), ours(ours), peer(peer), goal(goal), absolute(absolute)
{
    ratios().push_back(this);
}

} // namespace vxbench

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    vxbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
