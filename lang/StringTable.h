// Access to the program's built-in string table (base-language texts).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

struct StringTableEntry {
    unsigned id;
    const char* text;  // UTF-8, exactly as stored
};

// The entry for id, or nothing when the table has no such string.
std::optional<std::string_view> FindTableString(unsigned id);

// All entries, sorted by ID; used by the language-file generator and tests.
const StringTableEntry* StringTableBegin();
const StringTableEntry* StringTableEnd();
