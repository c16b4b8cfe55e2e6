// A settings file that is there but cannot be read: the game says so once, plays on the
// defaults, and leaves the file as it found it.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/game_fixture.h"
#include "support/test_fonts.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

class UnreadableSettings : public test::GameFixture {
 protected:
  UnreadableSettings()
      : m_store((fs::create_directory(SettingsPath()), SettingsPath().string())),
        m_folderPlatform{m_headless, m_headless, m_headless,        m_headless,
                         m_headless, m_assets,   test::TestFonts(), m_store,
                         m_files,    "quizendo", LogPath()} {
    UseWindow(std::make_unique<CDrillDlg>(m_folderPlatform, m_settings));
  }

  IniSettingsStore m_store;
  Platform m_folderPlatform;
};

TEST_F(UnreadableSettings, AreNamedOnceThenLeftAsTheyWere) {
  std::ofstream(SettingsPath() / "kept") << "whatever the folder held";
  CloseAboutBox();
  Advance(5000);
  Press(Key::kEscape);
  EXPECT_EQ(kItemExit, RunGame());

  ASSERT_EQ(1u, m_headless.Messages().size());
  const std::string& text = m_headless.Messages()[0].text;
  EXPECT_NE(std::string::npos, text.find("could not be read")) << text;
  EXPECT_NE(std::string::npos, text.find(SettingsPath().string())) << text;
  EXPECT_TRUE(fs::is_directory(SettingsPath()));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(SettingsPath()), fs::directory_iterator()));
}

}  // namespace
}  // namespace qz
