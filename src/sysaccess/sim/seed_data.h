// The seed machine folder, compiled in by embed_seed.cmake: each file with its path relative to
// the folder ('/' between names, UTF-8, zero-terminated).
#pragma once

#include <cstddef>

namespace sim::seed {

struct File {
    const unsigned char* path;
    const unsigned char* bytes;
    std::size_t size;
};

extern const File kFiles[];
extern const std::size_t kFileCount;

} // namespace sim::seed
