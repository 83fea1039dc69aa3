#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <string>
#include <utility>

#include "core/failures.h"

namespace motoreckon {

// The texts of a calculation's entries, exactly as typed, each kept under the number its
// calculation gives the entry. `Names` holds the calculation's `Field` enum, numbered from 0,
// whose last enumerator, kFieldCount, counts them; its names are the entries' own
// (CarbEntries::Rpm); and `kHints`, what each entry takes and in which unit, in its order.
template <class Names>
class EntryTexts : public Names {
  public:
    using Field = typename Names::Field;
    static constexpr std::size_t kCount = Names::kFieldCount;

    EntryTexts() = default;
    // One text for every entry, in the calculation's own numbering.
    template <class... Texts>
    requires(sizeof...(Texts) == kCount && (std::convertible_to<Texts, std::string> && ...))
        EntryTexts(Texts&&... texts)
        : texts_{std::string(std::forward<Texts>(texts))...} {}

    // What the entry `field` takes and in which unit: "Tire diameter, in inches".
    static constexpr const char* hint(Field field) { return Names::kHints[field]; }

    const std::string& operator[](Field field) const { return texts_[field]; }
    std::string& operator[](Field field) { return texts_[field]; }

  private:
    std::array<std::string, kCount> texts_{};
};

// Reads the entry `field` of `entries` with `read` (text to number); a failure of the reading
// blames the entry.
template <class Names, class Read>
EntryValue ReadEntry(const EntryTexts<Names>& entries, typename Names::Field field, Read&& read) {
    return ReadEntry(field, entries[field], std::forward<Read>(read));
}

}  // namespace motoreckon
