// Every seed and every input a fuzz target once failed on, replayed through the fuzz targets'
// own checks in the ordinary test run (and in the sanitizer build): a found crash stays found.
// The files live in tests/fuzz/corpus/<target>/; an input that failed is added there.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The fuzz targets' entry points, renamed when compiled into this test.
extern "C" int FuzzSettings(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzRegScript(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzCommands(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzMachineFolder(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzLayout(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;
using Target = int (*)(const std::uint8_t*, std::size_t);

// Runs every file of the corpus folder, and the seed named beside it, through the target; how
// many there were.
int Replay(const char* folder, Target target, const fs::path& seed = {}) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(SYSVELA_FUZZ_CORPUS) / folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    if (!seed.empty()) files.push_back(seed);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string input = bytes.str();
        SCOPED_TRACE(file.string());
        EXPECT_FALSE(input.empty());
        EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()), 0);
    }
    return static_cast<int>(files.size());
}

TEST(FuzzReplay, SetupDat) {
    EXPECT_GT(Replay("settings", FuzzSettings), 0);
}
TEST(FuzzReplay, RegistryScript) {
    EXPECT_GT(Replay("regscript", FuzzRegScript), 0);
}
TEST(FuzzReplay, CommandLines) {
    EXPECT_GT(Replay("commands", FuzzCommands), 0);
}
TEST(FuzzReplay, MachineFolder) {
    EXPECT_GT(Replay("machine_folder", FuzzMachineFolder), 0);
}
TEST(FuzzReplay, LayoutDescription) {
    // The window's own layout is a seed too, read where the program takes it from.
    EXPECT_GT(Replay("layout", FuzzLayout, fs::path(SYSVELA_SOURCE_ROOT) / "src/ui/panel/main_window.layout"), 1);
}

} // namespace
