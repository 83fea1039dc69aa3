#pragma once

#include <string>
#include <vector>

namespace motoreckon::bench {

// One start of a program, measured from outside as a whole process.
struct ProcessRun {
    double readySeconds = 0;  // from the spawn to its "R": window shown, event loop idle
    long peakKiB = 0;         // the largest resident set it reached
};

// Starts `program` with no arguments, in the current environment with QT_QPA_PLATFORM set to
// `platform`, and waits for it to report ready and to end. Throws std::runtime_error when it
// cannot be started, never reports ready within `timeoutSeconds`, or does not end with status 0.
ProcessRun runOnce(const std::string& program, const std::string& platform,
                   double timeoutSeconds = 60.0);

// Starts each program `rounds` times on `platform`, alternating them and which one goes first
// in a round, after one start of each that is not counted (it fills the file cache).
std::vector<std::vector<ProcessRun>> runAlternating(const std::vector<std::string>& programs,
                                                    const std::string& platform, int rounds);

}  // namespace motoreckon::bench
