#include "platform/ttf/ttf_font_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

}  // namespace
}  // namespace qz
