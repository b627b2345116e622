#pragma once

#include <span>

namespace kelvora {

struct SeedFile {
    const char* name;
    const char* sql;
};

// The SQL files under data/seed, compiled into the program in file-name order: the schema, the
// catalogue, the sample diary and the settings row.
std::span<const SeedFile> seedFiles();

} // namespace kelvora
