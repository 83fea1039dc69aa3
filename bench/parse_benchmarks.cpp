#include <string>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/regional_format.h"
#include "suites.h"

namespace motoreckon::bench {

namespace {

constexpr std::size_t kPasteBytes = 1 << 20;

// `unit` repeated up to one megabyte, then `tail`.
std::string pasted(const std::string& unit, const std::string& tail = {}) {
    std::string text;
    text.reserve(kPasteBytes);
    while (text.size() + unit.size() + tail.size() <= kPasteBytes) text += unit;
    return text + tail;
}

// A whole number in digit groups of three, "1,234,567,…" as `group` writes them.
std::string grouped(const std::string& group, const std::string& fraction) {
    return "1" + pasted(group + "234", fraction);
}

struct ParseCase {
    const char* name;
    std::string text;
    bool strict;
    RegionalFormat format;
    bool accepted;  // whether ParseNumberStrict takes it; the lenient reading always does
};

const std::vector<ParseCase>& cases() {
    static const std::vector<ParseCase> list = {
        {"ParseLeadingNumber, 1 MB of digits", pasted("1234567890", ".5"), false, {}, true},
        {"ParseLeadingNumber, 1 MB of pasted table rows",
         pasted("6000\t350\t85\n"),
         false,
         {},
         true},
        {"ParseNumberStrict, 1 MB grouped, English", grouped(",", ".25"), true,
         RegionalFormat::English(), true},
        {"ParseNumberStrict, 1 MB grouped, German", grouped(".", ",25"), true,
         RegionalFormat::German(), true},
        {"ParseNumberStrict, 1 MB refused at its end", grouped(",", "x"), true,
         RegionalFormat::English(), false},
    };
    return list;
}

void parse(benchmark::State& state, const ParseCase& parseCase) {
    for (auto _ : state) {
        if (!parseCase.strict) {
            benchmark::DoNotOptimize(ParseLeadingNumber(parseCase.text));
            continue;
        }
        try {
            benchmark::DoNotOptimize(ParseNumberStrict(parseCase.text, parseCase.format));
            if (!parseCase.accepted) return state.SkipWithError("the text was taken");
        } catch (const ConversionFailure&) {
            if (parseCase.accepted) return state.SkipWithError("the text was refused");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * parseCase.text.size()));
}

}  // namespace

std::vector<std::string> registerParseBenchmarks() {
    std::vector<std::string> names;
    for (const ParseCase& parseCase : cases()) {
        measured(benchmark::RegisterBenchmark(parseCase.name, parse, std::cref(parseCase)), 0.1);
        names.push_back(parseCase.name);
    }
    return names;
}

}  // namespace motoreckon::bench
