#include "targets.h"

#include <algorithm>
#include <cstdio>

namespace motoreckon::bench {

namespace {

std::string threeDigits(double value, const char* unit) {
    char text[32];
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
    return text;
}

// Width of a UTF-8 text in characters, for lining up columns that hold "µs" and "≤".
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void cell(std::ostream& out, const std::string& text, std::size_t width) {
    out << text << std::string(width > columns(text) ? width - columns(text) : 0, ' ');
}

}  // namespace

benchmark::internal::Benchmark* measured(benchmark::internal::Benchmark* benchmark,
                                         double minSecondsPerRun) {
    return benchmark->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->UseRealTime()
        ->MinTime(minSecondsPerRun)
        ->Unit(benchmark::kMicrosecond);
}

std::string formatSeconds(double seconds) {
    if (seconds >= 1) return threeDigits(seconds, "s");
    if (seconds >= 1e-3) return threeDigits(seconds * 1e3, "ms");
    return threeDigits(seconds * 1e6, "µs");
}

std::string formatKiB(double kib) { return threeDigits(kib / 1024, "MiB"); }

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

PairedRatio pairedRatio(const std::vector<double>& program, const std::vector<double>& floor) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < program.size() && i < floor.size(); ++i) {
        ratios.push_back(program[i] / floor[i]);
    }
    std::sort(ratios.begin(), ratios.end());
    if (ratios.empty()) return {0, 0, 0};
    const auto quantile = [&ratios](double q) {
        const double place = q * static_cast<double>(ratios.size() - 1);
        const auto below = static_cast<std::size_t>(place);
        const std::size_t above = std::min(below + 1, ratios.size() - 1);
        return ratios[below] +
               (ratios[above] - ratios[below]) * (place - static_cast<double>(below));
    };
    return {quantile(0.5), quantile(0.25), quantile(0.75)};
}

std::string formatRatio(const PairedRatio& ratio) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f (%.2f\u2013%.2f)", ratio.median, ratio.lower,
                  ratio.upper);
    return text;
}

void Table::add(std::string measure, std::string target, std::string median,
                std::optional<bool> pass) {
    rows_.push_back({std::move(measure), std::move(target), std::move(median), pass});
}

void Table::print(std::ostream& out) const {
    const Row heading{"measure", "target", "median", std::nullopt};
    std::size_t measureWidth = columns(heading.measure);
    std::size_t targetWidth = columns(heading.target);
    std::size_t medianWidth = columns(heading.median);
    for (const Row& row : rows_) {
        measureWidth = std::max(measureWidth, columns(row.measure));
        targetWidth = std::max(targetWidth, columns(row.target));
        medianWidth = std::max(medianWidth, columns(row.median));
    }
    const auto line = [&](const Row& row, const std::string& verdict) {
        cell(out, row.measure, measureWidth + 2);
        cell(out, row.target, targetWidth + 2);
        cell(out, row.median, medianWidth + 2);
        out << verdict << '\n';
    };
    line(heading, "result");
    out << std::string(measureWidth + targetWidth + medianWidth + 6 + 6, '-') << '\n';
    for (const Row& row : rows_) line(row, !row.pass ? "" : *row.pass ? "pass" : "FAIL");
}

bool Table::allPassed() const {
    return std::all_of(rows_.begin(), rows_.end(),
                       [](const Row& row) { return row.pass.value_or(true); });
}

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        const std::string& name = run.run_name.function_name;
        if (run.error_occurred) {
            errors_[name] = run.error_message;
        } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            medianSeconds_[name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
}

void MedianReporter::addRows(Table& table, const std::vector<std::string>& names) const {
    for (const std::string& name : names) {
        if (const auto error = errors_.find(name); error != errors_.end()) {
            table.add(name, "", "error: " + error->second, false);
        } else if (const auto found = medianSeconds_.find(name); found != medianSeconds_.end()) {
            table.add(name, "", formatSeconds(found->second));
        }
    }
}

}  // namespace motoreckon::bench
