// Runs two programs alternately, each to its end, and compares their wall time (median, to
// leave out the runs another process slowed down) and their peak resident memory (median).
// Usage: compare-startup RUNS BASELINE PROGRAM
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds = 0;
    double megabytes = 0;
};

bool RunOnce(const char* program, Run& run) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        alarm(30); // a window that never shows ends the run as a failure, not a wait
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return false;
    auto end = std::chrono::steady_clock::now();
    run.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
    run.megabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s RUNS BASELINE PROGRAM\n", argv[0]);
        return 2;
    }
    int runs = std::atoi(argv[1]);
    const char* programs[2] = {argv[2], argv[3]};
    std::vector<double> times[2], memories[2];
    Run run;
    for (const char* program : programs) // once each to fill the page cache
        if (!RunOnce(program, run)) {
            std::fprintf(stderr, "%s failed\n", program);
            return 1;
        }
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < 2; ++p) {
            if (!RunOnce(programs[p], run)) {
                std::fprintf(stderr, "%s failed\n", programs[p]);
                return 1;
            }
            times[p].push_back(run.milliseconds);
            memories[p].push_back(run.megabytes);
        }
    double t[2] = {Median(times[0]), Median(times[1])};
    double m[2] = {Median(memories[0]), Median(memories[1])};
    for (int p = 0; p < 2; ++p) std::printf("%-40s %7.1f ms %7.1f MB\n", programs[p], t[p], m[p]);
    std::printf("ratio: %.2f times the time, %.2f times the memory (medians of %d runs)\n",
                t[1] / t[0], m[1] / m[0], runs);
    return 0;
}
