// A program run to its end in a folder of the test's, its output captured whole: how the CLI
// tests run sysvela-cli, natively and under Wine.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

struct Outcome {
    int status = -1; // the exit code; -1 when the program could not be run or did not exit
    std::string out, err;
};

// Runs program with args in folder, stdout and stderr going to files there. Under Windows an argument is quoted only
// when it holds white space or a quote, so that cmd still sees its switches.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::filesystem::path& folder);

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace testing_support
