#include "ScriptRun.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace sg {

namespace {

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

ScriptRun RunScript(const std::string& runner, const std::string& folder, char separator,
                    const std::string& script, const std::string& outFile,
                    const std::string& errFile, double timeoutSeconds) {
    std::vector<std::string> args = {runner, "--dir", folder};
    if (separator != '.') args.insert(args.end(), {"--decimal-separator", {separator}});
    args.push_back(script);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&files, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    ScriptRun run;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, runner.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        run.err = "cannot start " + runner;
        return run;
    }
    auto deadline = start + std::chrono::duration<double>(timeoutSeconds);
    int wait = 0;
    while (waitpid(pid, &wait, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            run.timedOut = true;
            kill(pid, SIGKILL);
            waitpid(pid, &wait, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (WIFEXITED(wait)) run.status = WEXITSTATUS(wait);
    if (WIFSIGNALED(wait) && !run.timedOut) run.signal = WTERMSIG(wait);
    run.out = Contents(outFile);
    run.err = Contents(errFile);
    return run;
}

} // namespace sg
