// A name holds no control characters once the game has it, whether read from the settings
// file or typed: it can neither forge records in the log nor draw as boxes.
#include "profile/cadet_name.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/ini_value_text.h"
#include "platform/posix/ini_settings_store.h"
#include "profile/profile_test_support.h"
#include "profile/training_settings.h"
#include "records/log_reader.h"
#include "records/session_log.h"

namespace qz {
namespace {

using namespace std::string_literals;

TEST(CadetName, ControlCharactersBecomeBlanks) {
  const struct {
    std::string stored;
    std::string kept;
  } cases[] = {
      {"Ann", "Ann"},
      {"Zo\u00eb \u65e5\u672c", "Zo\u00eb \u65e5\u672c"},
      {"Ann\r\nBo", "Ann  Bo"},
      {"Ann\tBo", "Ann Bo"},
      {"nul\0byte"s, "nul byte"},
      {"\x01\x1f\x7f", "   "},
      {"\xC2\x85 stays", "\xC2\x85 stays"},  // U+0085 is not below U+0020
  };
  for (const auto& c : cases) {
    test::TempFolder dir;
    const std::string path = dir.File("quizendo.ini");
    test::WriteFile(path, "[1.01]\nCadetName=" + EncodeIniValue(c.stored) + "\n");
    IniSettingsStore store(path);
    TrainingSettings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(c.kept, settings.m_strCadetName) << c.stored;
  }
}

TEST(CadetName, AStoredNameCannotForgeASessionInTheLog) {
  const std::string forged_header = FormatSessionHeader("Mallory", AgePhrase(9, 0), 1178000000);
  const std::string forged_line = "001 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10\r\nFake";
  test::TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  test::WriteFile(
      path, "[1.01]\nCadetName=" + EncodeIniValue("Ann\r\n" + forged_header + forged_line) + "\n");
  IniSettingsStore store(path);
  TrainingSettings settings;
  LoadSettings(store, settings);

  std::istringstream log(FormatSessionHeader(settings.m_strCadetName, AgePhrase(7, 3), 1178000000));
  LogReader reader(log);
  LogSession session;
  ASSERT_TRUE(reader.Next(session));
  EXPECT_EQ(settings.m_strCadetName, session.m_strCadet);
  EXPECT_TRUE(session.m_vAnswers.empty());
  EXPECT_FALSE(reader.Next(session));
}

}  // namespace
}  // namespace qz
