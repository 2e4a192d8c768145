#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "class_file_reader.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own for one benchmark's file, removed when the benchmark ends.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : folder_(fs::temp_directory_path() / ("vostrel-bench-" + std::to_string(::getpid()))),
          path_(folder_ / name) {
        fs::create_directories(folder_);
    }
    ~ScratchFile() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path folder_;
    fs::path path_;
};

// Forty classes of wordy, partly quoted features: about 100 KB, the most a
// player's file will plausibly hold.
std::string fortyClasses() {
    const std::string feature =
        "\"Stormward Stance, a long and wordy feature text to read through, level ";
    std::string data;
    for (int classNumber = 1; classNumber <= vostrel::kMaxClasses; ++classNumber) {
        data += "Class " + std::to_string(classNumber) + ",8,4,0.75,TRUE,FALSE,TRUE";
        for (int level = 1; level <= vostrel::kMaxLevel; ++level) {
            data += "," + feature + std::to_string(level) +
                    ", with a comma or two, just as a player would write it\"";
        }
        data += "\r\n";
    }
    return data;
}

void readFortyClassFile(benchmark::State& state) {
    const ScratchFile file("forty.csv");
    const std::string data = fortyClasses();
    std::ofstream(file.path(), std::ios::binary) << data;
    for (auto _ : state) {
        vostrel::ClassTable table;
        const auto error = vostrel::readClassFile(file.path(), table);
        if (error || table.classCount() != vostrel::kMaxClasses) {
            state.SkipWithError("the forty-class file did not load");
            break;
        }
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.size()));
    state.counters["file_bytes"] = static_cast<double>(data.size());
}
BENCHMARK(readFortyClassFile)->Unit(benchmark::kMicrosecond);

// A gibibyte that is no class file at all: a sparse file of NUL bytes, which
// takes no disk space. It must be refused after reading a little of it.
void refuseGibibyteOfNulBytes(benchmark::State& state) {
    const ScratchFile file("gibibyte.bin");
    std::ofstream(file.path(), std::ios::binary).close();
    fs::resize_file(file.path(), std::uintmax_t{1} << 30);
    for (auto _ : state) {
        vostrel::ClassTable table;
        const auto error = vostrel::readClassFile(file.path(), table);
        if (!error) {
            state.SkipWithError("a gibibyte of NUL bytes was accepted");
            break;
        }
        benchmark::DoNotOptimize(error);
    }
}
BENCHMARK(refuseGibibyteOfNulBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
