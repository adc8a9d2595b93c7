// The seed machine folders, compiled in by embed_seed.cmake: each file with its path relative to
// the seeds folder, the seed's name first ("xp-sp3/registry.reg"; '/' between names, UTF-8,
// zero-terminated).
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
