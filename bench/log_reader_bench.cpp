// Reading a 100 MB session log: the reader alone, and the whole report (reader, model, page).
// Run: build/bench/quizendo_bench --benchmark_filter=Log
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "records/log_reader.h"
#include "report/html_report.h"
#include "report/report_model.h"
#include "support/sample_log.h"

namespace qz {
namespace {

constexpr std::size_t kLogBytes = 100u << 20;

// A 100 MB log written with the game's record formatters, made once per run of the
// benchmarks and removed at exit.
class BigLog {
 public:
  BigLog() : m_path(std::filesystem::temp_directory_path() / "quizendo_bench_100mb.log") {
    test::SampleLogPlan plan;
    plan.m_vCadets = {"Ace", "Zo\u00eb", "Kim", "Lou", "Max"};
    plan.m_nSessionsPerCadet = 100;
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    // Every block starts later than the one before, so no session repeats another.
    for (std::uint32_t block = 0; m_nBytes < kLogBytes; ++block) {
      plan.m_nSeed = block + 1;
      plan.m_tFirstStart = 1178000000 + std::int64_t{86400} * 100 * block;
      const std::string text = test::WriteSampleLog(plan);
      out << text;
      m_nBytes += text.size();
    }
  }
  ~BigLog() { std::filesystem::remove(m_path); }
  BigLog(const BigLog&) = delete;
  BigLog& operator=(const BigLog&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::size_t Bytes() const { return m_nBytes; }

 private:
  std::filesystem::path m_path;
  std::size_t m_nBytes = 0;
};

const BigLog& TheBigLog() {
  static const BigLog log;
  return log;
}

void BM_ReadLog100MB(benchmark::State& state) {
  const BigLog& log = TheBigLog();
  std::int64_t answers = 0;
  std::int64_t defects = 0;
  for (auto _ : state) {
    std::ifstream in(log.Path(), std::ios::binary);
    LogReader reader(in);
    LogSession session;
    answers = 0;
    while (reader.Next(session))
      answers += static_cast<std::int64_t>(session.m_vAnswers.size());
    defects = reader.DefectCount();
    benchmark::DoNotOptimize(answers);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.Bytes()));
  state.counters["answers"] = static_cast<double>(answers);
  state.counters["defects"] = static_cast<double>(defects);
  state.counters["MB"] = static_cast<double>(log.Bytes()) / (1 << 20);
}
BENCHMARK(BM_ReadLog100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReportFromLog100MB(benchmark::State& state) {
  const BigLog& log = TheBigLog();
  std::size_t page_bytes = 0;
  for (auto _ : state) {
    std::ifstream in(log.Path(), std::ios::binary);
    LogReader reader(in);
    ReportModel model;
    LogSession session;
    while (reader.Next(session))
      model.AddSession(session);
    model.Finish();
    page_bytes = RenderHtmlReport(model).size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.Bytes()));
  state.counters["page_KB"] = static_cast<double>(page_bytes) / 1024;
}
BENCHMARK(BM_ReportFromLog100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace qz
