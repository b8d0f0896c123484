// The tables `make bench` prints: every benchmark is named "area/figure/subject" and takes the size N as
// its one argument. After the run, each area becomes one table with a row per figure and subject, its
// value at every N, the ratio to the figure's anchor (the subject registered first for that figure) and
// the growth exponent between successive sizes (log(t2/t1) / log(N2/N1); 1 is linear).
//
// A benchmark shows its mean time per iteration, or, when it sets the counter "value", that number
// (e.g. bytes per control); the figure's name then says the unit.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

class TBenchTable : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints one table per area to standard output.
    void PrintTables() const;

private:
    struct TEntry {
        std::string Area, Figure, Subject;
        long N = 0;
        double Value = 0; // seconds, or the counter "value"
        bool IsTime = true;
    };
    std::vector<TEntry> FEntries;
};

// Registers `fn` as "area/figure/subject" at each size; `fn` times its iterations itself
// (state.SetIterationTime) so that setup and clean-up stay outside the figure. The number of iterations
// is `iterations` at the smallest size, scaled down in proportion to N, and at least 2.
void RegisterBench(const std::string& area, const std::string& figure, const std::string& subject,
                   const std::vector<long>& sizes, std::function<void(benchmark::State&)> fn, int iterations);

// Runs the registered benchmarks with the table reporter and prints the tables.
int RunBenchTables(int argc, char** argv);
