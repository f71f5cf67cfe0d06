// Cost of reading, writing and counting races in a full-size race file (32767 races, 557 MB,
// sparse), beside a bare pread of the same 17000 bytes: a race read should cost about one
// positioned read whatever the file's size.
#include "racefile/RaceFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// A temporary race file of the given number of races, removed when the program ends.
class BenchFile {
  public:
    explicit BenchFile(int races) {
        char pattern[] = "/tmp/race-bench-XXXXXX";
        int descriptor = mkstemp(pattern);
        if (descriptor < 0) std::abort();
        path_ = pattern;
        if (ftruncate(descriptor, static_cast<off_t>(races) * sg::RaceRecordSize) != 0)
            std::abort();
        close(descriptor);
        // Real bytes where the benchmarks read, so they do not only read holes.
        sg::RaceFile file;
        if (!file.Open(path_, sg::RaceFileAccess::ReadWrite)) std::abort();
        sg::RaceRecord record;
        record.Raw().fill('x');
        for (int race : {1, races / 2, races})
            if (race >= 1 && !file.Write(race, record)) std::abort();
    }
    ~BenchFile() { unlink(path_.c_str()); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

const std::string& FullFile() {
    static BenchFile file(sg::LastRace);
    return file.Path();
}

const std::string& OneRaceFile() {
    static BenchFile file(1);
    return file.Path();
}

sg::RaceFile OpenRaceFile(const std::string& path) {
    sg::RaceFile file;
    if (!file.Open(path, sg::RaceFileAccess::ReadWrite)) std::abort();
    return file;
}

void BM_RaceFileRead(benchmark::State& state) {
    sg::RaceFile file = OpenRaceFile(FullFile());
    int race = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto read = file.Read(race);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_RaceFileRead)->Arg(1)->Arg(sg::LastRace / 2)->Arg(sg::LastRace);

void BM_RaceFileReadOneRaceFile(benchmark::State& state) {
    sg::RaceFile file = OpenRaceFile(OneRaceFile());
    for (auto _ : state) {
        auto read = file.Read(1);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_RaceFileReadOneRaceFile);

void BM_RaceBarePread(benchmark::State& state) {
    int descriptor = open(FullFile().c_str(), O_RDONLY | O_CLOEXEC);
    off_t offset = static_cast<off_t>(state.range(0) - 1) * sg::RaceRecordSize;
    sg::RaceRecord::Bytes buffer{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(pread(descriptor, buffer.data(), buffer.size(), offset));
        benchmark::ClobberMemory();
    }
    close(descriptor);
}
BENCHMARK(BM_RaceBarePread)->Arg(1)->Arg(sg::LastRace);

void BM_RaceFileWrite(benchmark::State& state) {
    sg::RaceFile file = OpenRaceFile(FullFile());
    int race = static_cast<int>(state.range(0));
    sg::RaceRecord record;
    record.Raw().fill('y');
    for (auto _ : state) {
        if (!file.Write(race, record)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_RaceFileWrite)->Arg(1)->Arg(sg::LastRace)->Unit(benchmark::kMicrosecond);

void BM_RaceFileCount(benchmark::State& state) {
    sg::RaceFile file = OpenRaceFile(FullFile());
    for (auto _ : state) {
        auto count = file.RaceCount();
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_RaceFileCount);

} // namespace
