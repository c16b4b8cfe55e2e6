// Someone (or the network) sets the system clock while a problem waits for its answer: the
// response times, the stored playing time and the summary's spans come from the steady clock,
// the log's date stamps from the calendar as it is set.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/calendar.h"
#include "profile/training_settings.h"
#include "records/log_format.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kFortyYears = 40 * 36524 * 24 * kHour / 100;

struct JumpCase {
  const char* name;
  std::int64_t shift_seconds;  // applied in the middle of each of two problems
};

class CalendarJump : public GameFixture, public ::testing::WithParamInterface<JumpCase> {
 protected:
  std::string Log() {
    std::ifstream in(LogPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The text after `label` on its line of the log.
  std::string ValueAfter(const std::string& label) {
    const std::string log = Log();
    const std::size_t at = log.find(label);
    if (at == std::string::npos)
      return "(no " + label + ")";
    const std::size_t from = at + label.size();
    return log.substr(from, log.find("\r\n", from) - from);
  }
  std::vector<std::string> ProblemLines() {
    std::vector<std::string> lines;
    std::istringstream in(Log());
    std::string line;
    while (std::getline(in, line)) {
      if (line.find(kScoreLead) != std::string::npos)
        lines.push_back(line);
    }
    return lines;
  }
};

TEST_P(CalendarJump, SpansComeFromTheSteadyClockAndDatesFromTheCalendar) {
  const std::int64_t shift = GetParam().shift_seconds;
  m_settingsStore.WriteInt(kVersionText, "AutoSelect", 0);
  m_settingsStore.WriteInt(kVersionText, "CustomSettins", 0);
  m_settingsStore.WriteInt(kVersionText, "GameLevel", 1);
  m_settingsStore.WriteInt(kVersionText, "SoundOn", 0);
  CloseAboutBox();
  Advance(4100);  // the intro
  Press(Key::kReturn);
  Advance(7600);  // Get Ready: the first problem is on screen
  // Two problems run out of time, 13 s apart, each with the clock set in its middle.
  Advance(5000);
  Then([&] { m_headless.ShiftCalendar(shift); });
  Advance(13010);
  Then([&] { m_headless.ShiftCalendar(shift); });
  Advance(9000);
  Press(Key::kEscape);  // the quit question over the third problem ...
  Press(Key::kReturn);  // ... confirmed
  Advance(4000);
  Press(Key::kEscape);
  EXPECT_EQ(kIdOk, RunGame());

  const std::vector<std::string> lines = ProblemLines();
  ASSERT_EQ(2u, lines.size());
  for (const std::string& line : lines)
    EXPECT_NE(std::string::npos, line.find("\t\t 10s\t")) << line;
  // The second line was written after both jumps, some seconds before the end: its date is
  // the calendar's as set.
  EXPECT_EQ("002 " + FormatLocalTime(m_headless.Now(), "%y-%m-%d"), lines[1].substr(0, 12));

  TrainingSettings stored;
  LoadSettings(m_settingsStore, stored);
  EXPECT_EQ(20, stored.m_nTimeSec);

  EXPECT_EQ("10 s", ValueAfter(kSummaryLongest));
  EXPECT_EQ("10 s", ValueAfter(kSummaryShortest));
  EXPECT_EQ("00:00:20", ValueAfter(kSummaryExercise));
  EXPECT_EQ(FormatLocalTime(kTestStartEpoch, kLogDateTimeFormat), ValueAfter(kSummaryStart));
  EXPECT_EQ(FormatLocalTime(m_headless.Now(), kLogDateTimeFormat), ValueAfter(kSummaryEnd));
  // The run lasted well under a minute, whatever the two dates say.
  EXPECT_EQ(0u, ValueAfter(kSummaryTimeframe).find("00:00:")) << ValueAfter(kSummaryTimeframe);
}

INSTANTIATE_TEST_SUITE_P(
    Shifts, CalendarJump,
    ::testing::Values(JumpCase{"Untouched", 0}, JumpCase{"ForwardAnHour", kHour},
                      JumpCase{"BackAnHour", -kHour}, JumpCase{"FortyYearsOn", kFortyYears}),
    [](const ::testing::TestParamInfo<JumpCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace qz::test
