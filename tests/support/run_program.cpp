#include "run_program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace testing_support {

Outcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::filesystem::path& folder) {
    const std::filesystem::path out = folder / "stdout", err = folder / "stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        if (!freopen(out.c_str(), "wb", stdout) || !freopen(err.c_str(), "wb", stderr)) _exit(126);
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return {};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
}

} // namespace testing_support
