// Reading a pasted megabyte takes time in proportion to its length. The input is
// "head|body|tail" (or just a body): the body is repeated until the text holds a mebibyte, and
// each reading of the text must finish within a fixed budget of CPU time, far above what a
// linear reading needs and far below what a quadratic one would.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/number_text.h"
#include "fuzz_checks.h"

using namespace motoreckon;
using namespace motoreckon::fuzz;

namespace {

constexpr std::size_t kTextBytes = std::size_t{1} << 20;
// A reading takes under 60 ms here, instrumented as it is for fuzzing; a quadratic one would
// take minutes.
constexpr double kBudgetSeconds = 0.5;

std::string MegabyteText(std::string_view input) {
    std::string_view head;
    std::string_view body = input;
    std::string_view tail;
    if (const std::size_t bar = input.find('|'); bar != std::string_view::npos) {
        head = input.substr(0, bar);
        body = input.substr(bar + 1);
        if (const std::size_t end = body.find('|'); end != std::string_view::npos) {
            tail = body.substr(end + 1);
            body = body.substr(0, end);
        }
    }
    std::string text(head);
    if (!body.empty()) {
        text.reserve(kTextBytes + tail.size());
        while (text.size() < kTextBytes) text += body;
    }
    text += tail;
    return text;
}

template <class Reading>
void WithinBudget(const char* what, const std::string& text, Reading&& reading) {
    const double start = ThreadCpuSeconds();
    try {
        reading();
    } catch (const CalculationFailure&) {
        // A failure is an answer too; it has to come as fast.
    }
    Require(ThreadCpuSeconds() - start < kBudgetSeconds, what, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = MegabyteText(AsText(data, size));
    WithinBudget("ParseLeadingNumber took too long", text, [&] { ParseLeadingNumber(text); });
    for (const RegionalFormat* format : {&English(), &German()}) {
        WithinBudget("ParseNumberStrict took too long", text,
                     [&] { ParseNumberStrict(text, *format); });
        WithinBudget("TwoDecimalText took too long", text, [&] { TwoDecimalText(text, *format); });
    }
    return 0;
}
