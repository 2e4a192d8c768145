#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <streambuf>
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

constexpr std::uintmax_t kGibibyte = std::uintmax_t{1} << 30;

// `prefix`, then `size` bytes of `fill`. NUL bytes come from a sparse file, which
// takes no disk space; any other byte is written for real, since a sparse file
// reads as NUL bytes and would not show what reading line ends or spaces costs.
void writeFilled(const fs::path& path, const std::string& prefix, char fill, std::uintmax_t size) {
    if (fill == '\0') {
        std::ofstream(path, std::ios::binary) << prefix;
        fs::resize_file(path, prefix.size() + size);
        return;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fwrite(prefix.data(), 1, prefix.size(), file);
    const std::string block(std::size_t{1} << 20, fill);
    for (std::uintmax_t left = size; left > 0;) {
        const std::size_t part =
            static_cast<std::size_t>(std::min<std::uintmax_t>(left, block.size()));
        std::fwrite(block.data(), 1, part, file);
        left -= part;
    }
    std::fclose(file);
}

std::string threeClasses() {
    std::string data;
    for (const char* name : {"Ironclad", "Seer", "Rogue"}) {
        data += std::string(name) + ",8,4,0.75,TRUE,FALSE,TRUE,Feature" + std::string(19, ',') +
                "Capstone\r\n";
    }
    return data;
}

// Files that are no class file, or hold little besides blank space: each must
// be answered at once, from its size or after reading a little of it.
// Reads `path` on every iteration; each read must be refused.
void measureRefusal(benchmark::State& state, const fs::path& path, const char* whenAccepted) {
    for (auto _ : state) {
        vostrel::ClassTable table;
        const auto error = vostrel::readClassFile(path, table);
        if (!error) {
            state.SkipWithError(whenAccepted);
            break;
        }
        benchmark::DoNotOptimize(error);
    }
}

void refuseLargeFile(benchmark::State& state, const std::string& prefix, char fill) {
    const ScratchFile file("large.csv");
    writeFilled(file.path(), prefix, fill, kGibibyte);
    measureRefusal(state, file.path(), "a file of a gibibyte and more was accepted");
}
BENCHMARK_CAPTURE(refuseLargeFile, gibibyteOfLineEnds, std::string(), '\n')
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(refuseLargeFile, gibibyteOfSpaces, std::string(), ' ')
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(refuseLargeFile, gibibyteOfNulBytes, std::string(), '\0')
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(refuseLargeFile, threeClassesThenGibibyteOfBlankLines, threeClasses(), '\n')
    ->Unit(benchmark::kMicrosecond);

// The largest file read at all, and all of it blank lines: read to its end.
void readLargestFileOfLineEnds(benchmark::State& state) {
    const ScratchFile file("blank.csv");
    writeFilled(file.path(), {}, '\n', vostrel::kMaxClassFileBytes);
    for (auto _ : state) {
        vostrel::ClassTable table;
        const auto error = vostrel::readClassFile(file.path(), table);
        if (error || table.classCount() != 0) {
            state.SkipWithError("16 MiB of line ends did not load as an empty file");
            break;
        }
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(vostrel::kMaxClassFileBytes));
}
BENCHMARK(readLargestFileOfLineEnds)->Unit(benchmark::kMicrosecond);

// A FIFO that nothing writes to: reading it in the ordinary way never returns.
void refuseFifoWithoutWriter(benchmark::State& state) {
    const ScratchFile file("pipe.csv");
    if (::mkfifo(file.path().c_str(), 0600) != 0) {
        state.SkipWithError("no FIFO could be made");
        return;
    }
    measureRefusal(state, file.path(), "a FIFO was accepted");
}
BENCHMARK(refuseFifoWithoutWriter)->Unit(benchmark::kMicrosecond);

// A stream of line ends whose size is not known beforehand, made on the fly.
class LineEndBuffer : public std::streambuf {
public:
    explicit LineEndBuffer(std::uintmax_t size) : left_(size) { block_.fill('\n'); }

protected:
    int_type underflow() override {
        if (left_ == 0) {
            return traits_type::eof();
        }
        const auto part = static_cast<std::size_t>(std::min<std::uintmax_t>(left_, block_.size()));
        left_ -= part;
        setg(block_.data(), block_.data(), block_.data() + part);
        return traits_type::to_int_type(block_[0]);
    }

private:
    std::array<char, 1 << 16> block_{};
    std::uintmax_t left_;
};

void refuseGibibyteStreamOfLineEnds(benchmark::State& state) {
    for (auto _ : state) {
        LineEndBuffer buffer(kGibibyte);
        std::istream in(&buffer);
        vostrel::ClassTable table;
        const auto error = vostrel::readClassData(in, "stream.csv", table);
        if (!error) {
            state.SkipWithError("a gibibyte stream was accepted");
            break;
        }
        benchmark::DoNotOptimize(error);
    }
}
BENCHMARK(refuseGibibyteStreamOfLineEnds)->Unit(benchmark::kMicrosecond);

}  // namespace
