// The committed assets must be exactly what tools/make-assets makes from the sources, so a
// change to a source that was not regenerated (or a hand-edited asset) is caught.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace qz {
namespace {

bool HasCommand(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(AssetRegenerationTest, MakeAssetsReproducesTheCommittedFiles) {
  for (const char* tool : {"python3", "rsvg-convert"}) {
    if (!HasCommand(tool))
      GTEST_SKIP() << tool << " is not installed";
  }
  const std::string command = std::string("'") + QZ_SOURCE_DIR + "/tools/make-assets' --check 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(nullptr, pipe);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr)
    output += buffer;
  const int status = pclose(pipe);
  EXPECT_EQ(0, status) << output;
}

}  // namespace
}  // namespace qz
