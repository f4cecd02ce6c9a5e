#pragma once
// Figures checked against their targets.  Every check prints one line with its verdict; a
// benchmark ends with ExitCode(), 1 when a target was missed or a count was wrong, so a run
// that misses one fails.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

class TBenchTargets {
public:
    // Which figure of several runs is held against the target.
    enum TJudged { Worst, Median };

    // Times in ms of several runs (at least one).
    void Times(const std::string& what, std::vector<double> runs, double targetMs, TJudged judged = Worst)
    {
        if (runs.empty()) {
            Fail(what + ": no run was measured");
            return;
        }
        std::sort(runs.begin(), runs.end());
        const double median = runs[runs.size() / 2];
        const double worst = runs.back();
        const bool met = (judged == Median ? median : worst) <= targetMs;
        FAllMet = FAllMet && met;
        std::printf("%-62s median %8.1f ms  worst %8.1f ms  target %6.0f ms (%s)  %s\n", what.c_str(), median, worst,
                    targetMs, judged == Median ? "median" : "worst", met ? "ok" : "MISSED");
        std::fflush(stdout);
    }

    // A count that must come out as expected.
    void Count(const std::string& what, long long got, long long expected)
    {
        const bool met = got == expected;
        FAllMet = FAllMet && met;
        std::printf("%-62s %lld, expected %lld  %s\n", what.c_str(), got, expected, met ? "ok" : "WRONG");
        std::fflush(stdout);
    }

    void Fail(const std::string& why)
    {
        FAllMet = false;
        std::printf("%s  FAILED\n", why.c_str());
        std::fflush(stdout);
    }

    bool AllMet() const { return FAllMet; }
    int ExitCode() const { return FAllMet ? 0 : 1; }

private:
    bool FAllMet = true;
};
