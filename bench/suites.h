#pragma once

#include <vector>

#include "targets.h"

namespace motoreckon {
class MDIForm1;
}

namespace motoreckon::bench {

// Opening each calculator window from its menu command, and pressing its Calculate button,
// in `frame`, which must be shown and stay alive while the benchmarks run.
std::vector<TimedTarget> registerWindowBenchmarks(MDIForm1& frame);

// Reading a megabyte of pasted text as a number.
std::vector<TimedTarget> registerParseBenchmarks();

}  // namespace motoreckon::bench
