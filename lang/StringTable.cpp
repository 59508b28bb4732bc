#include "lang/StringTable.h"

#include <algorithm>

namespace {
constexpr StringTableEntry kStringTable[] = {
#include "res/StringTable.inc"
};

constexpr bool IsSortedById() {
    for (std::size_t i = 1; i < std::size(kStringTable); ++i)
        if (kStringTable[i - 1].id >= kStringTable[i].id) return false;
    return true;
}
static_assert(IsSortedById(), "the string table must be sorted by ID without duplicates");
}  // namespace

std::optional<std::string_view> FindTableString(unsigned id) {
    const auto* end = std::end(kStringTable);
    const auto* it = std::lower_bound(std::begin(kStringTable), end, id,
                                      [](const StringTableEntry& e, unsigned v) { return e.id < v; });
    if (it == end || it->id != id) return std::nullopt;
    return std::string_view(it->text);
}

const StringTableEntry* StringTableBegin() { return std::begin(kStringTable); }
const StringTableEntry* StringTableEnd() { return std::end(kStringTable); }
