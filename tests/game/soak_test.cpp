// Thousands of random key presses, typed characters, clicks and waits, from a fixed seed, on the
// real game over many matches. The counters must agree with each other after every event and
// with the log at the end; the game must neither crash nor end on its own: it ends only when
// the soak leaves it from the idle screen.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/drill_dlg.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

constexpr int kEvents = 5000;
constexpr std::uint32_t kSeed = 20231114;
constexpr int kPanelFirst = 1028;
constexpr int kPanelLast = 1046;
constexpr int kMaxEndingSteps = 200;

class Soak : public GameFixture {
 protected:
  Soak() { m_headless.SetTimeLimitMs(7ull * 24 * 3600 * 1000); }

  const MatchState& State() { return Window().Engine().State(); }

  void CheckCounters() {
    const MatchState& s = State();
    const int current = s.m_bRunning ? s.m_nRight + s.m_nWrong : 0;
    ASSERT_EQ(s.m_nAnswers, s.m_nRunRight + s.m_nRunWrong + current)
        << "after event " << m_nEvents << ": answers judged differ from right + wrong";
    ASSERT_LE(s.m_nDone, s.m_nAnswers) << "after event " << m_nEvents;
    ASSERT_GE(s.m_nRight, 0);
    ASSERT_GE(s.m_nWrong, 0);
    if (s.m_bRunning)
      ++m_nRunningChecks;
  }

  // The screen is only ever repainted where something changed; what it shows must still be
  // what a repaint of the whole window draws now.
  void CheckScreen() {
    HeadlessWindow* main = FindWindow("Quizendo");
    ASSERT_NE(nullptr, main);
    ASSERT_FALSE(Window().IsDirty()) << "after event " << m_nEvents << ": a change is unpainted";
    const std::vector<std::uint32_t> shown = main->GetCanvas().Snapshot();
    Window().PaintAll();
    const std::vector<std::uint32_t> full = main->GetCanvas().Snapshot();
    if (shown != full) {
      const size_t i = static_cast<size_t>(
          std::mismatch(shown.begin(), shown.end(), full.begin(), full.end()).first -
          shown.begin());
      const int width = main->GetCanvas().PixelWidth();
      FAIL() << "after event " << m_nEvents << ": stale pixel at " << i % width << "," << i / width;
    }
    ++m_nScreenChecks;
  }

  void Step() {
    CheckCounters();
    CheckScreen();
    if (::testing::Test::HasFatalFailure() || m_nEvents >= kEvents) {
      Then([this] { Ending(0); });
      return;
    }
    ++m_nEvents;
    const MatchState& s = State();
    if (!s.m_bRunning && !Window().SetupShown())
      m_bSawIdle = true;
    // Escape, EXIT, or Return and Space on a focused EXIT leave the game from the idle screen
    // (and from the pauses of the idle flow): sent only where they ask, withdraw or flash.
    const bool may_leave = s.m_bRunning || Window().SetupShown();
    const bool exit_focused = FocusedItem() == kItemExit;
    std::uniform_int_distribution<int> pick(0, 99);
    const int r = pick(m_rng);
    if (r < 10 && s.m_bRunning) {
      // The right result now and then, so that won matches, their bonus counts and banking
      // come up.
      Type(std::to_string(s.m_nResult));
    } else if (r < 30) {
      static const std::vector<std::string> kTexts = {"0", "1", "2", "3",  "4",  "5",  "6", "7",
                                                      "8", "9", "-", "12", "99", "-7", "x"};
      Type(kTexts[std::uniform_int_distribution<size_t>(0, kTexts.size() - 1)(m_rng)]);
    } else if (r < 50) {
      static const Key kKeys[] = {Key::kReturn, Key::kTab,   Key::kSpace,     Key::kOther,
                                  Key::kEscape, Key::kOther, Key::kBackspace, Key::kReturn};
      Key key = kKeys[std::uniform_int_distribution<int>(0, 7)(m_rng)];
      if (!may_leave &&
          (key == Key::kEscape || (exit_focused && (key == Key::kReturn || key == Key::kSpace))))
        key = Key::kOther;
      Press(key, key == Key::kOther || pick(m_rng) < 10);
    } else if (r < 70) {
      std::vector<int> items = {kItemEnter, kItemEnter, kItemSetup, kItemSoundSwitch};
      if (may_leave)
        items.push_back(kItemExit);
      if (Window().SetupShown()) {
        for (int id = kPanelFirst; id <= kPanelLast; ++id)
          items.push_back(id);
      }
      ClickItem(items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(m_rng)]);
    } else if (r < 80) {
      int x = std::uniform_int_distribution<int>(0, 639)(m_rng);
      const int y = std::uniform_int_distribution<int>(0, 399)(m_rng);
      const bool on_exit = x >= 500 && x < 632 && y >= 340 && y < 396;
      if (on_exit && !may_leave)
        x -= 200;
      ClickAt(x, y);
    } else {
      Advance(std::uniform_int_distribution<std::uint32_t>(0, 12000)(m_rng));
    }
    Then([this] { Step(); });
  }

  // Brings the game back to the idle screen and leaves it.
  void Ending(int steps) {
    if (steps > kMaxEndingSteps) {
      ADD_FAILURE() << "the idle screen did not come back";
      Press(Key::kEscape);
      return;
    }
    const MatchState& s = State();
    if (Window().SetupShown()) {
      // The random keys may have typed a birth date SETUP refuses: a real one lets it close.
      m_settings.m_nBDateDay = 1;
      m_settings.m_nBDateMonth = 6;
      m_settings.m_nBDateYear = 2015;
      ClickItem(kItemSetup);
    } else if (s.m_bQuitAsked) {
      ClickItem(kItemEnter);
    } else if (s.m_bRunning) {
      Press(Key::kEscape);
    } else if (IsEnabled(kItemEnter) && IsVisible(kItemEnter) && steps > 0 && m_bWaited) {
      CheckCounters();
      m_finalState = s;
      Press(Key::kEscape);
      return;
    } else {
      Advance(5000);
      m_bWaited = true;
      Then([this, steps] { Ending(steps + 1); });
      return;
    }
    m_bWaited = false;
    Then([this, steps] { Ending(steps + 1); });
  }

  std::mt19937 m_rng{kSeed};
  int m_nEvents = 0;
  int m_nRunningChecks = 0;
  int m_nScreenChecks = 0;
  bool m_bSawIdle = false;
  bool m_bWaited = false;
  MatchState m_finalState;
};

TEST_F(Soak, RandomInputOverManyMatchesKeepsTheCountersAndTheLogInStep) {
  CloseAboutBox();
  Advance(5000);
  Then([this] { Step(); });
  EXPECT_EQ(kItemExit, RunGame()) << "the game did not end through EXIT";
  EXPECT_EQ(kEvents, m_nEvents);

  // The log agrees with the counters: one line per judged answer, one OK or T/O line per
  // finished problem, an OK line per right answer.
  std::ifstream in(LogPath(), std::ios::binary);
  std::string line;
  int lines = 0;
  int ok = 0;
  int timed_out = 0;
  int summaries = 0;
  while (std::getline(in, line)) {
    if (line.size() > 4 && std::isdigit(static_cast<unsigned char>(line[0])) && line[3] == ' ') {
      ++lines;
      if (line.find("\tOK\t") != std::string::npos)
        ++ok;
      else if (line.find("T/O (") != std::string::npos)
        ++timed_out;
    }
    if (line == "SUMMARY\r")
      ++summaries;
  }
  const MatchState& s = m_finalState;
  EXPECT_EQ(s.m_nAnswers, lines);
  EXPECT_EQ(s.m_nDone, ok + timed_out);
  EXPECT_EQ(s.m_nRunRight, ok);
  EXPECT_EQ(s.m_nRunRight + s.m_nRunWrong, lines);
  EXPECT_EQ(1, summaries);
  // The soak reached the places it is meant to stress.
  EXPECT_GT(s.m_nAnswers, 50);
  EXPECT_GT(ok, 3);
  EXPECT_GT(m_nRunningChecks, 500);
  EXPECT_EQ(kEvents + 1, m_nScreenChecks);
  std::ifstream settings(SettingsPath());
  std::stringstream text;
  text << settings.rdbuf();
  int matches = 0;
  std::sscanf(text.str().substr(text.str().find("CntRight=")).c_str(), "CntRight=%d", &matches);
  EXPECT_GT(matches, 5) << "matches played";
  RecordProperty("events", m_nEvents);
  RecordProperty("answers", s.m_nAnswers);
  RecordProperty("matches", matches);
  std::printf("soak: %d events, %d answers judged (%d right), %d problems finished, %d matches\n",
              m_nEvents, s.m_nAnswers, ok, s.m_nDone, matches);
}

}  // namespace
}  // namespace qz::test
