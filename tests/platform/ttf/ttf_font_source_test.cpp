#include "platform/ttf/ttf_font_source.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/asset_store.h"
#include "support/scratch_dir.h"
#include "support/test_fonts.h"

namespace qz {
namespace {

constexpr const char* kFaceFiles[] = {"DejaVuSansCondensed-Bold.ttf", "DejaVuSans.ttf",
                                      "DejaVuSansCondensed.ttf"};

TEST(TtfFontSource, SansMeasuresWhatItRenders) {
  std::unique_ptr<Font> font = test::TestFonts().Open(FontFace::kSans, 16, 1);
  ASSERT_TRUE(font);
  const TextMask mask = font->Render("Perfect");
  EXPECT_EQ(font->MeasureWidth("Perfect"), mask.width);
  EXPECT_EQ(0, font->MeasureWidth(""));
  EXPECT_EQ(0, font->Render("").width);
}

// A folder that has every face but `broken`, which is missing, a folder, or not a font: the
// source refuses to start and names the file, instead of a game that draws no text.
TEST(TtfFontSource, MissingOrUnreadableFaceFileIsNamedAtStart) {
  enum class Fault { kMissing, kFolder, kNotAFont };
  for (Fault fault : {Fault::kMissing, Fault::kFolder, Fault::kNotAFont}) {
    for (const char* broken : kFaceFiles) {
      SCOPED_TRACE(std::string(broken) + " fault " + std::to_string(static_cast<int>(fault)));
      test::ScratchDir dir;
      for (const char* file : kFaceFiles) {
        if (std::string(file) != broken)
          std::filesystem::copy_file(std::filesystem::path(QZ_TEST_FONT_DIR) / file,
                                     dir.Path() / file);
      }
      if (fault == Fault::kFolder)
        std::filesystem::create_directory(dir.Path() / broken);
      if (fault == Fault::kNotAFont)
        dir.Write(broken, {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'});
      try {
        TtfFontSource fonts(dir.Path());
        ADD_FAILURE() << "no error";
      } catch (const AssetError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find((dir.Path() / broken).string()))
            << e.what();
      }
    }
  }
}

// Runs `open_fonts` with every file descriptor of the process taken, and returns the message of
// the AssetError it throws.
std::string ErrorWithNoDescriptorsLeft(const std::function<void()>& open_fonts) {
  rlimit old_limit{};
  if (getrlimit(RLIMIT_NOFILE, &old_limit) != 0)
    return "getrlimit failed";
  // A low limit keeps the number of descriptors to take small.
  rlimit low = old_limit;
  low.rlim_cur = std::min<rlim_t>(old_limit.rlim_cur, 64);
  if (setrlimit(RLIMIT_NOFILE, &low) != 0)
    return "setrlimit failed";
  std::vector<int> taken;
  for (int fd = open("/dev/null", O_RDONLY); fd >= 0; fd = open("/dev/null", O_RDONLY))
    taken.push_back(fd);
  std::string message = "no error";
  try {
    open_fonts();
  } catch (const AssetError& e) {
    message = e.what();
  }
  for (int fd : taken)
    close(fd);
  setrlimit(RLIMIT_NOFILE, &old_limit);
  return message;
}

// A face file that is there but cannot be opened now: the message gives the system's reason,
// at start-up and when a face is opened later at another size.
TEST(TtfFontSource, FileThatCannotBeOpenedNowIsNamedWithTheSystemsReason) {
#ifdef __SANITIZE_ADDRESS__
  // The sanitizers test whether memory can be read through a pipe of their own: with no
  // descriptor left they take every object for a broken one and stop the test.
  GTEST_SKIP() << "needs every file descriptor taken, which the sanitizers' checks cannot bear";
#endif
  const std::string reason = std::strerror(EMFILE);
  const std::string at_start =
      ErrorWithNoDescriptorsLeft([] { TtfFontSource fonts(QZ_TEST_FONT_DIR); });
  EXPECT_NE(std::string::npos, at_start.find(reason)) << at_start;
  EXPECT_NE(std::string::npos, at_start.find(kFaceFiles[0])) << at_start;

  TtfFontSource fonts(QZ_TEST_FONT_DIR);
  const std::string later = ErrorWithNoDescriptorsLeft([&] { fonts.Open(FontFace::kSans, 16, 2); });
  EXPECT_NE(std::string::npos, later.find(reason)) << later;
  EXPECT_NE(std::string::npos, later.find("DejaVuSans.ttf")) << later;
}

}  // namespace
}  // namespace qz
