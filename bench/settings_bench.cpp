// Benchmark: PreferenceFile opening, parsing and looking up keys in a generated 10 MB settings
// file, beside a plain read of the same file plus a line count with memchr. Prints both and
// their ratio; the parser should stay within three times the plain read and scan.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "preference_file.h"

namespace {

constexpr int kGroups = 20000;
constexpr int kKeysPerGroup = 16;
int64_t benchFileSize = 0;

std::string groupName(int group) {
  return "section " + std::to_string(group);
}
std::string keyName(int key) {
  return "key_" + std::to_string(key);
}

const std::string& benchFile() {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/tolvane-bench-" + std::to_string(getpid()) +
           ".ini";
  }();
  return path;
}

// About 10 MB: 20,000 groups, each a header, a comment and 16 keys, CR LF line ends.
void writeBenchFile() {
  std::string text;
  text.reserve(11 << 20);
  for (int g = 0; g < kGroups; ++g) {
    text += "[" + groupName(g) + "]\r\n; settings of part " + std::to_string(g) + "\r\n";
    for (int k = 0; k < kKeysPerGroup; ++k) {
      text += keyName(k) + " = value " + std::to_string(g * kKeysPerGroup + k) + " of the list\r\n";
    }
  }
  std::FILE* out = std::fopen(benchFile().c_str(), "wb");
  if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size()) {
    std::perror("cannot write the benchmark file");
    std::exit(1);
  }
  std::fclose(out);
  benchFileSize = static_cast<int64_t>(text.size());
}

// The reference: the same one read into a fresh buffer, then every line end found by memchr.
void BM_PlainReadAndLineScan(benchmark::State& state) {
  std::size_t lines = 0;
  for (auto _ : state) {
    const int fd = ::open(benchFile().c_str(), O_RDONLY);
    struct stat info {};
    ::fstat(fd, &info);
    const auto size = static_cast<std::size_t>(info.st_size);
    std::unique_ptr<char[]> buffer(new char[size]);
    const auto got = static_cast<std::size_t>(::read(fd, buffer.get(), size));
    lines = 0;
    const char* p = buffer.get();
    const char* const end = p + got;
    while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
      ++lines;
      p = static_cast<const char*>(found) + 1;
    }
    benchmark::DoNotOptimize(lines);
    ::close(fd);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(state.iterations() * benchFileSize);
}

// Open, parse, and look up: two keys in each of 32 groups spread over the file, one missing
// group and one missing key, then close (nothing written).
void BM_OpenParseAndLookUp(benchmark::State& state) {
  std::string groups[32];
  for (int i = 0; i < 32; ++i) groups[i] = groupName(i * (kGroups - 1) / 31);
  int64_t sum = 0;
  PreferenceFile file;
  for (auto _ : state) {
    if (!file.openForReading(benchFile())) state.SkipWithError("cannot open the file");
    for (const std::string& group : groups) {
      file.selectGroup(group);
      sum += file.readInteger("key_0", 0);
      sum += static_cast<int64_t>(file.readText("key_15", "").size());
      sum += file.readInteger("missing key", 0);
    }
    file.selectGroup("missing group");
    sum += file.readInteger("key_0", 0);
    file.close();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * benchFileSize);
}

BENCHMARK(BM_PlainReadAndLineScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenParseAndLookUp)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints as the console reporter does and keeps each benchmark's time per iteration (the
// median when repetitions are asked for) to print the ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Iteration || median) {
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
  }

  void printRatio() const {
    const auto reference = times_.find("BM_PlainReadAndLineScan");
    const auto parser = times_.find("BM_OpenParseAndLookUp");
    if (reference == times_.end() || parser == times_.end() || reference->second <= 0) return;
    std::printf(
        "\nplain read + memchr line count: %.2f ms\nopen + parse + lookups:         %.2f ms\n"
        "ratio: %.2f (goal: at most 3)\n",
        reference->second, parser->second, parser->second / reference->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  writeBenchFile();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio();
  std::remove(benchFile().c_str());
  benchmark::Shutdown();
  return 0;
}
