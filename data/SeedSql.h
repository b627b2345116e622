#pragma once

#include <span>

namespace kelvora {

struct SeedFile {
    const char* name;
    std::span<const char* const> parts; // the file's UTF-8 text, in order
};

// The SQL files under data/seed, compiled into the program in file-name order: the schema, the
// catalogue, the sample diary and the settings row.
std::span<const SeedFile> seedFiles();

} // namespace kelvora
