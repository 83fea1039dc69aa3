// Measures Motoreckon's start-up against a bare Qt program, and how fast its windows open,
// calculate and read pasted text; prints one table with each target and verdict. Run it on a
// display (`xvfb-run -a motoreckon_bench`); Google Benchmark's --benchmark_* options pick and
// tune the in-process benchmarks.

#include <QApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWindow>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <regex>

#include "app/mdiform1.h"
#include "forms/style.h"
#include "startup.h"
#include "suites.h"
#include "targets.h"

using namespace motoreckon;
using namespace motoreckon::bench;

namespace {

// Pairs of starts, one of each program a pair: a start moves by a tenth from one to the next
// on a busy machine, and the median of this many pairwise ratios by about two hundredths.
constexpr int kStartRounds = 101;
constexpr double kStartRatioLimit = 1.10;
constexpr double kExtraPeakLimitKiB = 1024;

// Both programs on one platform: "xcb" talks to the X server named by DISPLAY, "offscreen"
// draws into memory and shows the start-up work of the program alone.
void measureStartUp(Table& table, const std::string& platform, const std::string& where) {
    std::cerr << "Starting motoreckon and a bare Qt window " << kStartRounds << " times each, "
              << where << "...\n";
    const auto runs =
        runAlternating({MOTORECKON_STARTUP_PROGRAM, BARE_STARTUP_PROGRAM}, platform, kStartRounds);
    const auto medianOf = [&runs](std::size_t program, auto field) {
        std::vector<double> values;
        for (const ProcessRun& run : runs[program]) values.push_back(field(run));
        return median(values);
    };
    const auto ready = [](const ProcessRun& run) { return run.readySeconds; };
    const auto peak = [](const ProcessRun& run) { return static_cast<double>(run.peakKiB); };

    const double bareReady = medianOf(1, ready);
    const double ownReady = medianOf(0, ready);
    const double barePeak = medianOf(1, peak);
    const double ownPeak = medianOf(0, peak);
    std::array<std::vector<double>, 2> readySeconds;
    for (std::size_t program = 0; program < 2; ++program) {
        for (const ProcessRun& run : runs[program]) readySeconds[program].push_back(ready(run));
    }
    const PairedRatio ratio = pairedRatio(readySeconds[0], readySeconds[1]);
    table.add("start-up to idle, bare Qt window, " + where, "", formatSeconds(bareReady));
    table.add("start-up to idle, motoreckon, " + where, "", formatSeconds(ownReady));
    table.add("start-up ratio, motoreckon / bare, " + where, "≤ 1.10", formatRatio(ratio),
              ratio.median <= kStartRatioLimit);
    table.add("peak memory, bare Qt window, " + where, "", formatKiB(barePeak));
    table.add("peak memory, motoreckon, " + where, "≤ bare + 1 MiB",
              formatKiB(ownPeak) + " (+" + formatKiB(ownPeak - barePeak) + ")",
              ownPeak - barePeak <= kExtraPeakLimitKiB);
}

// The offscreen platform cannot raise a window or pass on its size hints, and says so each time
// a top-level window opens; that is no news here.
QtMessageHandler defaultHandler = nullptr;
void quietAboutRaise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    defaultHandler(type, context, message);
}

// The start-up rows are measured unless --benchmark_filter leaves out "start-up".
bool startUpChosen() {
    const std::string filter = benchmark::GetBenchmarkFilter();
    if (filter.empty() || filter == "all") return true;
    return std::regex_search("start-up", std::regex(filter));
}

// Shows the frame and makes it the active window, as the user's is.
bool showFrame(MDIForm1& frame) {
    frame.show();
    frame.activateWindow();
    const QDeadlineTimer deadline(10000);
    while (!frame.windowHandle()->isExposed() || !frame.isActiveWindow()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;

    Table table;
    try {
        if (startUpChosen()) {
            measureStartUp(table, "xcb", "Xvfb");
            measureStartUp(table, "offscreen", "offscreen");
        }
    } catch (const std::exception& error) {
        std::cerr << "motoreckon_bench: " << error.what() << '\n';
        return EXIT_FAILURE;
    }

    // The windows are measured offscreen, as the tests run them, unless QT_QPA_PLATFORM asks
    // for another platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(quietAboutRaise);
    QApplication app(argc, argv);
    installStyle();
    installWindowIcon();
    MDIForm1 frame;
    if (!showFrame(frame)) {
        std::cerr << "motoreckon_bench: the frame never appeared on the display\n";
        return EXIT_FAILURE;
    }
    try {
        measureWindows(table, frame);
    } catch (const std::exception& error) {
        std::cerr << "motoreckon_bench: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    const std::vector<std::string> parses = registerParseBenchmarks();
    std::cerr << "Running " << parses.size() << " benchmarks, " << kRepetitions
              << " runs each...\n";
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.addRows(table, parses);
    std::cout << "Wall-clock medians of " << kStartRounds << " starts of each program, of the "
              << "windows' rounds and of " << kRepetitions << " runs of each parse; windows drawn "
              << "on the " << QGuiApplication::platformName().toStdString() << " platform. Only "
              << "the ratios are judged: each is the median of the ratios of the pairs, program "
              << "and floor measured in turns, with their interquartile range in brackets.\n\n";
    table.print(std::cout);
    return table.allPassed() ? EXIT_SUCCESS : EXIT_FAILURE;
}
