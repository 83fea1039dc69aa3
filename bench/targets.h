#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace motoreckon::bench {

// Every figure is the median of this many runs.
inline constexpr int kRepetitions = 10;

// Repeats a benchmark kRepetitions times on the wall clock and reports the aggregates only.
benchmark::internal::Benchmark* measured(benchmark::internal::Benchmark* benchmark,
                                         double minSecondsPerRun);

// "412 µs", "1.94 ms", "38.2 MiB": three significant digits in a fitting unit.
std::string formatSeconds(double seconds);
std::string formatKiB(double kib);

double median(std::vector<double> values);

// The ratios program / floor of runs taken in pairs, one pair a turn: their median, which is
// judged, and the quartiles around it, which show how far one turn strays from another.
struct PairedRatio {
    double median;
    double lower;  // first quartile
    double upper;  // third quartile
};
PairedRatio pairedRatio(const std::vector<double>& program, const std::vector<double>& floor);

// "1.08 (1.05–1.12)": the median ratio and its interquartile range.
std::string formatRatio(const PairedRatio& ratio);

// The one table `make bench` prints: what is measured, its target, the median and the verdict.
class Table {
  public:
    void add(std::string measure, std::string target, std::string median,
             std::optional<bool> pass = std::nullopt);
    void print(std::ostream& out) const;
    bool allPassed() const;

  private:
    struct Row {
        std::string measure;
        std::string target;
        std::string median;
        std::optional<bool> pass;
    };
    std::vector<Row> rows_;
};

// Keeps the median wall-clock time of every benchmark, and the error of any that failed;
// prints nothing.
class MedianReporter final : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override;

    // Adds one row per benchmark named to the table: its median for information, or its error,
    // which fails.
    void addRows(Table& table, const std::vector<std::string>& names) const;

  private:
    std::map<std::string, double> medianSeconds_;
    std::map<std::string, std::string> errors_;
};

}  // namespace motoreckon::bench
