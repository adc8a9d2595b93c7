// sysvela-cli on Linux: the simulated machine only.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    cli::Env env;
    env.out = [](const std::string& bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    };
    env.err = [](const std::string& text) { std::fwrite(text.data(), 1, text.size(), stderr); };
    return cli::MainCatching([&] { return std::vector<std::string>(argv + 1, argv + argc); }, env);
}
