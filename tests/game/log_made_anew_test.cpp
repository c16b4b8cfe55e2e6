// The log deleted while the game runs: the next record makes it anew, and the run's header goes
// in first, so the answers and the summary are still filed under the cadet who gave them.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "profile/training_settings.h"
#include "records/log_reader.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

struct DeletedCase {
  const char* name;
  int answers_before;  // right answers given before the log is deleted
  int answers_after;
};

class LogMadeAnew : public GameFixture, public ::testing::WithParamInterface<DeletedCase> {
 protected:
  void Answer() {
    Then([this] { m_headless.TypeText(std::to_string(Window().Engine().State().m_nResult)); });
    Press(Key::kReturn);
    Advance(6500);
  }
};

TEST_P(LogMadeAnew, StartsWithTheRunsHeader) {
  const DeletedCase c = GetParam();
  m_settingsStore.WriteString(kVersionText, "CadetName", "Ada");
  m_settingsStore.WriteInt(kVersionText, "AutoSelect", 0);
  m_settingsStore.WriteInt(kVersionText, "CustomSettins", 0);
  m_settingsStore.WriteInt(kVersionText, "GameLevel", 1);
  m_settingsStore.WriteInt(kVersionText, "SoundOn", 0);
  CloseAboutBox();
  Advance(4100);
  Press(Key::kReturn);
  Advance(7600);
  for (int i = 0; i < c.answers_before; ++i)
    Answer();
  Then([&] { ASSERT_TRUE(std::filesystem::remove(LogPath())); });
  for (int i = 0; i < c.answers_after; ++i)
    Answer();
  Press(Key::kEscape);  // the quit question ...
  Press(Key::kReturn);  // ... confirmed
  Advance(4000);
  Press(Key::kEscape);
  EXPECT_EQ(kIdOk, RunGame());

  std::ifstream in(LogPath(), std::ios::binary);
  LogReader reader(in);
  LogSession session;
  ASSERT_TRUE(reader.Next(session));
  EXPECT_TRUE(session.m_bHeader);
  EXPECT_EQ("Ada", session.m_strCadet);
  EXPECT_EQ(static_cast<size_t>(c.answers_after), session.m_vAnswers.size());
  ASSERT_TRUE(session.m_oSummary.has_value());
  EXPECT_EQ(c.answers_before + c.answers_after, session.m_oSummary->m_nDone);
  EXPECT_FALSE(reader.Next(session)) << "one run, one header";
  EXPECT_EQ(0, reader.DefectCount());
}

INSTANTIATE_TEST_SUITE_P(Moments, LogMadeAnew,
                         ::testing::Values(DeletedCase{"BetweenTwoAnswers", 1, 1},
                                           DeletedCase{"BeforeTheSummary", 2, 0}),
                         [](const ::testing::TestParamInfo<DeletedCase>& c) {
                           return std::string(c.param.name);
                         });

}  // namespace
}  // namespace qz::test
