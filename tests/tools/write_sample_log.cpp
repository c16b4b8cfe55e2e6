// Writes a made-up session log with the game's own record formatters, for the end-to-end test
// of the report program. Usage: write_sample_log FILE [SESSIONS_PER_CADET [CADET ...]]
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "support/sample_log.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: write_sample_log FILE [SESSIONS_PER_CADET [CADET ...]]\n";
    return 1;
  }
  qz::test::SampleLogPlan plan;
  if (argc > 2)
    plan.m_nSessionsPerCadet = std::atoi(argv[2]);
  if (argc > 3)
    plan.m_vCadets.assign(argv + 3, argv + argc);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << qz::test::WriteSampleLog(plan);
  out.close();
  return out ? 0 : 1;
}
