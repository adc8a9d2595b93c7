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

// The fuzz targets' entry points, renamed when compiled into this test.
extern "C" int FuzzSettings(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzRegScript(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzCommands(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzMachineFolder(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzLayout(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;
using Target = int (*)(const std::uint8_t*, std::size_t);

// Runs every file of the corpus folder through the target; how many there were.
int Replay(const char* folder, Target target) {
    const fs::path dir = fs::path(SYSVELA_FUZZ_CORPUS) / folder;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string input = bytes.str();
        SCOPED_TRACE(entry.path().string());
        EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()), 0);
        ++count;
    }
    return count;
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
    EXPECT_GT(Replay("layout", FuzzLayout), 0);
}

} // namespace
