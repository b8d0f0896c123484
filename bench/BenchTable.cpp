#include "BenchTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

void TBenchTable::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
        // "area/figure/subject/N/iterations:k/manual_time"
        const std::string name = run.benchmark_name();
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t slash; (slash = name.find('/', start)) != std::string::npos; start = slash + 1)
            parts.push_back(name.substr(start, slash - start));
        parts.push_back(name.substr(start));
        if (parts.size() < 4) continue;
        TEntry entry{parts[0], parts[1], parts[2], std::stol(parts[3])};
        auto counter = run.counters.find("value");
        if (counter != run.counters.end()) {
            entry.Value = counter->second.value;
            entry.IsTime = false;
        } else {
            entry.Value = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        FEntries.push_back(entry);
    }
}

namespace {

std::string Amount(double value, bool isTime) {
    char text[32];
    if (!isTime)
        std::snprintf(text, sizeof text, "%.0f", value);
    else if (value >= 1)
        std::snprintf(text, sizeof text, "%.2f s", value);
    else if (value >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", value * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", value * 1e6);
    return text;
}

} // namespace

void TBenchTable::PrintTables() const {
    std::vector<std::string> areas;
    for (const TEntry& e : FEntries)
        if (std::find(areas.begin(), areas.end(), e.Area) == areas.end()) areas.push_back(e.Area);
    for (const std::string& area : areas) {
        std::vector<long> sizes;
        std::vector<std::pair<std::string, std::string>> rows; // figure, subject in registration order
        std::map<std::pair<std::string, std::string>, std::map<long, const TEntry*>> cells;
        std::map<std::string, std::string> anchorOf;
        for (const TEntry& e : FEntries) {
            if (e.Area != area) continue;
            if (std::find(sizes.begin(), sizes.end(), e.N) == sizes.end()) sizes.push_back(e.N);
            std::pair<std::string, std::string> key{e.Figure, e.Subject};
            if (std::find(rows.begin(), rows.end(), key) == rows.end()) rows.push_back(key);
            anchorOf.emplace(e.Figure, e.Subject);
            cells[key][e.N] = &e;
        }
        std::sort(sizes.begin(), sizes.end());
        std::printf("\n%s\n\n| figure | subject |", area.c_str());
        for (long n : sizes)
            std::printf(" N = %ld | x anchor |", n);
        for (size_t i = 1; i < sizes.size(); ++i)
            std::printf(" exp %ld-%ld |", sizes[i - 1], sizes[i]);
        std::printf("\n|---|---|");
        for (size_t i = 0; i < sizes.size() * 3 - 1; ++i)
            std::printf("---|");
        std::printf("\n");
        for (const auto& key : rows) {
            const auto& mine = cells[key];
            const auto& anchor = cells[{key.first, anchorOf[key.first]}];
            std::printf("| %s | %s |", key.first.c_str(), key.second.c_str());
            for (long n : sizes) {
                auto it = mine.find(n);
                auto at = anchor.find(n);
                if (it == mine.end()) {
                    std::printf(" - | - |");
                    continue;
                }
                std::printf(" %s |", Amount(it->second->Value, it->second->IsTime).c_str());
                if (at != anchor.end() && at->second->Value > 0)
                    std::printf(" %.2fx |", it->second->Value / at->second->Value);
                else
                    std::printf(" - |");
            }
            for (size_t i = 1; i < sizes.size(); ++i) {
                auto a = mine.find(sizes[i - 1]), b = mine.find(sizes[i]);
                if (a == mine.end() || b == mine.end() || a->second->Value <= 0 || b->second->Value <= 0) {
                    std::printf(" - |");
                    continue;
                }
                const double exponent = std::log(b->second->Value / a->second->Value) /
                                        std::log(double(sizes[i]) / double(sizes[i - 1]));
                std::printf(" %.2f |", exponent);
            }
            std::printf("\n");
        }
    }
    std::fflush(stdout);
}

void RegisterBench(const std::string& area, const std::string& figure, const std::string& subject,
                   const std::vector<long>& sizes, std::function<void(benchmark::State&)> fn,
                   int iterations) {
    const long smallest = *std::min_element(sizes.begin(), sizes.end());
    for (long n : sizes) {
        benchmark::RegisterBenchmark((area + "/" + figure + "/" + subject).c_str(), fn)
            ->Arg(n)
            ->Iterations(std::max<long>(2, iterations * smallest / n))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

int RunBenchTables(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TBenchTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    table.PrintTables();
    benchmark::Shutdown();
    return 0;
}
