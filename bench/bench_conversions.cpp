// Throughput of the two conversions on the Mixed and Pure Chinese corpora,
// against memcpy of the same buffer (the ceiling) and OpenCC's s2t
// conversion of the same text (what a user would otherwise reach for).
//
// Build the corpora first: scripts/make-bench-corpus.sh. The folder is taken
// from VANTRELLE_BENCH_CORPUS, else the bench/corpus of the source tree.
// After Google Benchmark's own table a summary prints MB/s (10^6 bytes per
// second) and the ratios.
#include <benchmark/benchmark.h>
#include <opencc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "text_services.h"

namespace {

struct Corpus {
  std::string name;
  std::string gbk;   // what the conversions and memcpy read
  std::string utf8;  // the same text, for OpenCC
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s: run scripts/make-bench-corpus.sh first\n", path.c_str());
    std::exit(1);
  }
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Seconds per iteration and bytes per iteration of every run, by name.
struct Measure {
  double seconds = 0;
  double bytes = 0;
  double MBps() const { return seconds > 0 ? bytes / seconds / 1e6 : 0; }
};
std::map<std::string, Measure> measures;

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      Measure& m = measures[run.run_name.function_name];
      // CPU time: the figures stay meaningful on a machine shared with other work.
      m.seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
      const auto bytes = run.counters.find("input_bytes");
      m.bytes = bytes == run.counters.end() ? 0 : bytes->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

using IntoFunction = void (*)(std::string_view, char*);
using CopyFunction = std::string (*)(std::string_view);

void Into(benchmark::State& state, const std::string* text, IntoFunction convert) {
  std::string out(text->size(), '\0');  // touched once, outside the timing
  for (auto _ : state) {
    convert(*text, out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.counters["input_bytes"] = static_cast<double>(text->size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text->size()));
}

void Allocating(benchmark::State& state, const std::string* text, CopyFunction convert) {
  for (auto _ : state) {
    std::string out = convert(*text);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["input_bytes"] = static_cast<double>(text->size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text->size()));
}

void Memcpy(benchmark::State& state, const std::string* text) {
  std::string out(text->size(), '\0');
  for (auto _ : state) {
    std::memcpy(out.data(), text->data(), text->size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.counters["input_bytes"] = static_cast<double>(text->size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text->size()));
}

// Measured on OpenCC's own input, the UTF-8 text (longer than the GBK bytes).
void OpenccS2t(benchmark::State& state, const std::string* utf8) {
  opencc_t converter = opencc_open("s2t.json");
  if (converter == reinterpret_cast<opencc_t>(-1)) {
    state.SkipWithError("opencc_open(\"s2t.json\") failed");
    return;
  }
  for (auto _ : state) {
    char* out = opencc_convert_utf8(converter, utf8->data(), utf8->size());
    benchmark::DoNotOptimize(out);
    opencc_convert_utf8_free(out);
  }
  opencc_close(converter);
  state.counters["input_bytes"] = static_cast<double>(utf8->size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * utf8->size()));
}

void PrintSummary(const std::vector<Corpus>& corpora) {
  std::printf("\nSummary (MB/s = 10^6 input bytes per CPU second; OpenCC reads the UTF-8 text)\n");
  for (const Corpus& c : corpora) {
    auto get = [&](const char* what) { return measures[c.name + "/" + what]; };
    const Measure martian = get("ToMartianScriptInto"), traditional = get("ToTraditionalInto");
    const Measure martianCopy = get("ToMartianScript"), traditionalCopy = get("ToTraditional");
    const Measure copy = get("memcpy"), opencc = get("OpenCC_s2t");
    std::printf("%s: %.1f MB GBK, %.1f MB UTF-8\n", c.name.c_str(), c.gbk.size() / 1e6, c.utf8.size() / 1e6);
    std::printf("  ToMartianScriptInto %9.1f MB/s   ToMartianScript (allocating) %9.1f MB/s\n", martian.MBps(),
                martianCopy.MBps());
    std::printf("  ToTraditionalInto   %9.1f MB/s   ToTraditional (allocating)   %9.1f MB/s\n", traditional.MBps(),
                traditionalCopy.MBps());
    std::printf("  memcpy              %9.1f MB/s\n", copy.MBps());
    std::printf("  OpenCC s2t          %9.1f MB/s of UTF-8 input\n", opencc.MBps());
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("  conversion / memcpy:  Martian %.3f, Traditional %.3f\n", ratio(martian.MBps(), copy.MBps()),
                ratio(traditional.MBps(), copy.MBps()));
    // Time for the same text, so the longer UTF-8 input does not flatter OpenCC.
    std::printf("  OpenCC time / conversion time, same text:  Martian %.0fx, Traditional %.0fx\n",
                ratio(opencc.seconds, martian.seconds), ratio(opencc.seconds, traditional.seconds));
    std::printf("  Martian time / Traditional time: %.3f\n", ratio(martian.seconds, traditional.seconds));
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const char* folder = std::getenv("VANTRELLE_BENCH_CORPUS");
  const std::string dir = folder ? folder : VANTRELLE_BENCH_CORPUS_DIR;

  // Registered benchmarks keep pointers into this vector: it never grows after.
  std::vector<Corpus> corpora;
  corpora.reserve(2);
  for (const char* name : {"Mixed", "Pure"}) {
    const std::string file = name == std::string("Mixed") ? "mixed" : "pure";
    corpora.push_back({name, ReadFile(dir + "/" + file + ".gbk"), ReadFile(dir + "/" + file + ".utf8")});
  }

  for (const Corpus& c : corpora) {
    const std::string* gbk = &c.gbk;
    benchmark::RegisterBenchmark((c.name + "/ToMartianScriptInto").c_str(), Into, gbk, vantrelle::ToMartianScriptInto)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((c.name + "/ToTraditionalInto").c_str(), Into, gbk, vantrelle::ToTraditionalInto)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((c.name + "/ToMartianScript").c_str(), Allocating, gbk,
                                 static_cast<CopyFunction>(vantrelle::ToMartianScript))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((c.name + "/ToTraditional").c_str(), Allocating, gbk,
                                 static_cast<CopyFunction>(vantrelle::ToTraditional))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((c.name + "/memcpy").c_str(), Memcpy, gbk)->Unit(benchmark::kMillisecond);
    // Seconds per pass: one pass is enough to measure.
    benchmark::RegisterBenchmark((c.name + "/OpenCC_s2t").c_str(), OpenccS2t, &c.utf8)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }

  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintSummary(corpora);
  return 0;
}
