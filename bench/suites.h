#pragma once

#include <string>
#include <vector>

#include "targets.h"

namespace motoreckon {
class MDIForm1;
}

namespace motoreckon::bench {

// Opening each calculator window from its menu command, and pressing its Calculate button, in
// `frame`, which must be shown, each beside its floor: a row for each figure and each ratio.
// Throws std::runtime_error when a window does not behave as measured.
void measureWindows(Table& table, MDIForm1& frame);

// Reading a megabyte of pasted text as a number: registers the benchmarks and returns their
// names.
std::vector<std::string> registerParseBenchmarks();

}  // namespace motoreckon::bench
