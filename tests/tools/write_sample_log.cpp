// Writes a made-up session log with the game's own record formatters, for the end-to-end test
// of the report program. Usage: write_sample_log [--apart SECONDS] FILE [SESSIONS_PER_CADET
// [CADET ...]]; sessions are a day apart unless --apart says otherwise.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "support/sample_log.h"

int main(int argc, char** argv) {
  qz::test::SampleLogPlan plan;
  if (argc > 2 && std::string(argv[1]) == "--apart") {
    plan.m_nSecondsApart = std::atoll(argv[2]);
    argv += 2;
    argc -= 2;
  }
  if (argc < 2) {
    std::cerr
        << "usage: write_sample_log [--apart SECONDS] FILE [SESSIONS_PER_CADET [CADET ...]]\n";
    return 1;
  }
  if (argc > 2)
    plan.m_nSessionsPerCadet = std::atoi(argv[2]);
  if (argc > 3)
    plan.m_vCadets.assign(argv + 3, argv + argc);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << qz::test::WriteSampleLog(plan);
  out.close();
  return out ? 0 : 1;
}
