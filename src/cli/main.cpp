// sysvela-cli on Linux: the simulated machine only; messages in the locale's language.
#include <cstdio>
#include <cstdlib>
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
    // The first of LC_ALL, LC_MESSAGES and LANG that is set decides, as for any program's messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* locale = std::getenv(name);
        if (locale == nullptr || *locale == '\0') continue;
        env.language = lang::FromLocale(locale);
        break;
    }
    return cli::MainCatching([&] { return std::vector<std::string>(argv + 1, argv + argc); }, env);
}
