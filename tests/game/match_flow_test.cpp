// Whole matches of the real main window on the headless platform, in virtual time.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/engine_texts.h"
#include "engine/problem.h"
#include "platform/rng.h"
#include "platform/string_printf.h"
#include "profile/belts.h"
#include "profile/sound_ids.h"
#include "profile/training_settings.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

constexpr std::uint32_t kIntroMs = 4100;
constexpr std::uint32_t kGetReadyMs = 7600;

class Match : public GameFixture {
 protected:
  // A hand-picked belt: White is 10 additions of 0 to 4, Black 100 problems of everything.
  void UseBelt(int level) {
    m_settingsStore.WriteInt(kVersionText, "AutoSelect", 0);
    m_settingsStore.WriteInt(kVersionText, "CustomSettins", 0);
    m_settingsStore.WriteInt(kVersionText, "GameLevel", level);
  }
  void SoundOff() { m_settingsStore.WriteInt(kVersionText, "SoundOn", 0); }

  // Closes the About box, waits through the intro and starts a match with Return on ENTER.
  void StartMatch() {
    CloseAboutBox();
    Advance(kIntroMs);
    Press(Key::kReturn);
    Advance(kGetReadyMs);
  }
  void Answer(int delta) {
    Then([this, delta] { m_headless.TypeText(std::to_string(State().m_nResult + delta)); });
    Press(Key::kReturn);
  }
  void AnswerRight() { Answer(0); }
  void AnswerWrong() { Answer(1); }
  void Leave() {
    Press(Key::kEscape);
    EXPECT_EQ(kIdOk, RunGame());
  }

  const MatchState& State() { return Window().Engine().State(); }
  int Count(int sound) {
    const std::vector<int> all = SoundsPlayed();
    return static_cast<int>(std::count(all.begin(), all.end(), sound));
  }
  std::string Log() {
    std::ifstream in(LogPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The problem lines of the log, in order.
  std::vector<std::string> ProblemLines() {
    std::vector<std::string> lines;
    std::istringstream in(Log());
    std::string line;
    while (std::getline(in, line)) {
      if (line.find("score: ") != std::string::npos)
        lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(Match, WonMatchShowsItsTitleAndBanksTheScoreInStepsOfAHundred) {
  UseBelt(1);
  StartMatch();
  for (int i = 0; i < 10; ++i) {
    AnswerRight();
    Advance(6500);  // cheer, bonus count, feedback pause; the last one waits for the jingle
  }
  std::string title_status;
  std::int32_t banked = 0;
  Then([&] {
    // The match is over: the title stays on the status line through the pause after it.
    title_status = ItemText(kItemStatus);
    banked = State().m_nHiScore;
    EXPECT_FALSE(State().m_bRunning);
    EXPECT_EQ(0, State().m_nScore);
    EXPECT_EQ("S:000000", ItemText(kItemScore));
    EXPECT_EQ(StringPrintf("H:%08d", banked), ItemText(kItemHiScore));
  });
  Advance(4000);
  Then([&] {
    EXPECT_EQ(kTextWouldYouLike, ItemText(kItemStatus));
    EXPECT_EQ("Rank: Newbie", ItemText(kItemRank));
    EXPECT_EQ("10", ItemText(kItemRight)) << "the idle screen keeps the last counts";
  });
  Leave();

  EXPECT_EQ(StringPrintf("Your figting style is: %s, Your score is: %d", State().m_strStyle.c_str(),
                         banked),
            title_status);
  ASSERT_FALSE(State().m_strStyle.empty());
  EXPECT_EQ(10, State().m_nRunRight);
  EXPECT_EQ(0, State().m_nRunWrong);
  // Belt points of 100 per answer, the rest counted in by the bonus ten at a time; then the
  // whole score banked a hundred at a time: one score tick per step of either.
  const int bonus_steps = (banked - 10 * 100) / 10;
  const int bank_steps = (banked + 99) / 100;
  EXPECT_EQ(bonus_steps + bank_steps, Count(kSoundScoreTick));
  EXPECT_EQ(1, Count(kSoundMatchEnd));
  const std::vector<std::string> lines = ProblemLines();
  ASSERT_EQ(10u, lines.size());
  EXPECT_EQ(0u, lines[0].rfind("001 ", 0));
  EXPECT_EQ(0u, lines[9].rfind("010 ", 0));
  EXPECT_NE(std::string::npos, Log().find("Fight Style:\t" + State().m_strStyle + "\r\n"));
  EXPECT_NE(std::string::npos, Log().find(StringPrintf("High Score:\t%d\r\n", banked)));
  TrainingSettings stored;
  LoadSettings(m_settingsStore, stored);
  EXPECT_EQ(banked, stored.m_nOldHiScore);
  EXPECT_EQ(1, stored.m_stats.m_nCntRight);
}

TEST_F(Match, TimeOutsDrainTheEnergyAndLoseTheMatch) {
  UseBelt(1);
  StartMatch();
  Advance(9500);
  Then([&] {
    EXPECT_EQ(1, State().m_nSecsLeft);
    EXPECT_EQ("010", ItemText(kItemPowerText));
  });
  Advance(600);
  Then([&] {
    // The first problem timed out: its result in the answer box, shown in red.
    EXPECT_TRUE(State().m_bTimedOut);
    EXPECT_EQ(std::to_string(State().m_nResult), ItemText(kItemAnswer));
    EXPECT_EQ(80, State().m_nEnergy);
    EXPECT_EQ("1", ItemText(kItemWrong));
  });
  // Four more time-outs, 13 s apart, take the last of the energy.
  Advance(4 * 13010 + 500);
  Then([&] {
    EXPECT_FALSE(State().m_bRunning);
    EXPECT_EQ(kTextNeedPractice, ItemText(kItemStatus));
  });
  Advance(4000);
  Then([&] {
    // The idle screen keeps the last counts until the next Get Ready.
    EXPECT_EQ("5", ItemText(kItemWrong));
    EXPECT_EQ("5", ItemText(kItemToGo));
  });
  Press(Key::kReturn);
  Then([&] { EXPECT_EQ("0", ItemText(kItemWrong)); });
  Press(Key::kEscape);  // ends Get Ready early
  Advance(500);
  Press(Key::kEscape);  // the quit question
  Press(Key::kReturn);  // confirmed
  Advance(4000);
  Leave();

  EXPECT_EQ(5, State().m_nRunWrong);
  EXPECT_EQ(5, State().m_nDone);
  EXPECT_EQ(5, State().m_nAnswers);
  // Nine ticks per problem: none on the tick that times out.
  EXPECT_EQ(5 * 9, Count(kSoundClockTick));
  EXPECT_EQ(5, Count(kSoundTimeOut));
  const std::vector<std::string> lines = ProblemLines();
  ASSERT_EQ(5u, lines.size());
  for (const std::string& line : lines)
    EXPECT_NE(std::string::npos, line.find("T/O (")) << line;
}

TEST_F(Match, QuitQuestionStopsTheClockAndCanBeWithdrawnOrConfirmed) {
  UseBelt(1);
  SoundOff();
  StartMatch();
  Advance(2000);
  int secs_left = 0;
  Press(Key::kEscape);
  Then([&] {
    secs_left = State().m_nSecsLeft;
    EXPECT_TRUE(State().m_bQuitAsked);
    EXPECT_EQ(kTextQuitQuestion, ItemText(kItemStatus));
    EXPECT_FALSE(IsVisible(kItemAnswer));
    EXPECT_TRUE(IsEnabled(kItemEnter));
  });
  Advance(5000);
  Then([&] { EXPECT_EQ(secs_left, State().m_nSecsLeft) << "the clock stands still"; });
  Press(Key::kEscape);  // withdrawn
  Then([&] {
    EXPECT_FALSE(State().m_bQuitAsked);
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
    EXPECT_TRUE(IsVisible(kItemAnswer));
  });
  ClickItem(kItemSetup);
  Then([&] { EXPECT_FALSE(Window().SetupShown()) << "SETUP is ignored during a match"; });
  Press(Key::kEscape);
  Press(Key::kReturn);  // confirmed: lost by default
  Then([&] {
    EXPECT_FALSE(State().m_bRunning);
    EXPECT_EQ(kTextLostByDefault, ItemText(kItemStatus));
  });
  Advance(4000);
  Leave();

  TrainingSettings stored;
  LoadSettings(m_settingsStore, stored);
  EXPECT_EQ(1, stored.m_stats.m_nCntRight) << "a match given up still counts in the records";
  EXPECT_EQ(0, State().m_nAnswers);
  EXPECT_EQ(std::string::npos, Log().find("SUMMARY")) << "no answer judged, no summary";
}

// The problems a match with `seed` poses with `settings`, for a flow that draws once between
// the first and the second problem (the time-out's rebuke).
std::vector<Problem> ReplayedProblems(std::uint32_t seed, int limit,
                                      const TrainingSettings& settings) {
  Rng rng;
  rng.Seed(seed);
  std::vector<Problem> problems{MakeProblem(rng, limit, OperationSwitches(settings))};
  rng.Next();
  problems.push_back(MakeProblem(rng, limit, OperationSwitches(settings)));
  return problems;
}

// Withdrawing the quit question brings the problem back as it was: ENTER answers only what
// the box holds, and an empty box is no answer.
TEST_F(Match, WithdrawnQuitQuestionLeavesAnEmptyBoxUnanswered) {
  UseBelt(1);
  SoundOff();
  StartMatch();
  ClickItem(kItemExit);
  ClickItem(kItemExit);  // withdrawn
  Then([&] {
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
    EXPECT_FALSE(IsEnabled(kItemEnter));
  });
  ClickItem(kItemEnter);
  Then([&] {
    EXPECT_EQ(0, State().m_nAnswers) << "an answer never given was judged";
    EXPECT_EQ(100, State().m_nEnergy);
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
  });
  Type("7");
  Press(Key::kEscape);
  Press(Key::kEscape);  // withdrawn with something typed
  Then([&] {
    EXPECT_EQ("7", ItemText(kItemAnswer));
    EXPECT_TRUE(IsEnabled(kItemEnter));
  });
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();

  EXPECT_TRUE(ProblemLines().empty());
}

// F1 shows the About box only while no match runs: a match's clock would run on behind it.
TEST_F(Match, F1DuringAMatchOpensNoBoxOverTheClock) {
  UseBelt(1);
  SoundOff();
  StartMatch();
  Advance(2000);
  Press(Key::kF1);
  Then([&] { EXPECT_EQ(nullptr, FindWindow("About Quizendo")); });
  Press(Key::kEscape);
  Press(Key::kF1);  // the quit question: still the match
  Then([&] { EXPECT_EQ(nullptr, FindWindow("About Quizendo")); });
  Press(Key::kReturn);
  Advance(4000);
  ClickItem(kItemSetup);
  Press(Key::kF1);
  Then([&] { EXPECT_NE(nullptr, FindWindow("About Quizendo")) << "the setup panel is open"; });
  Press(Key::kEscape);
  ClickItem(kItemSetup);
  Press(Key::kF1);
  Then([&] { EXPECT_NE(nullptr, FindWindow("About Quizendo")) << "the idle screen"; });
  Press(Key::kEscape);
  Leave();
}

// A click on EXIT in a pause ends the pause, and then asks the quit question over what the
// pause led to.
enum class PauseMoment { kGetReady, kAfterRightAnswer, kAfterTimeOut };

class ExitClickedInAPause : public Match, public ::testing::WithParamInterface<PauseMoment> {};

TEST_P(ExitClickedInAPause, AsksTheQuitQuestionOverTheNextProblem) {
  const PauseMoment moment = GetParam();
  UseBelt(1);
  SoundOff();
  CloseAboutBox();
  Advance(kIntroMs);
  Press(Key::kReturn);
  int to_go = 10;
  switch (moment) {
    case PauseMoment::kGetReady:
      Advance(1000);
      break;
    case PauseMoment::kAfterRightAnswer:
      Advance(kGetReadyMs);
      AnswerRight();
      Advance(1500);  // the bonus count; then the pause
      to_go = 9;
      break;
    case PauseMoment::kAfterTimeOut:
      Advance(kGetReadyMs + 10500);
      Then([&] { ASSERT_TRUE(State().m_bTimedOut); });
      to_go = 9;
      break;
  }
  ClickItem(kItemExit);
  Then([&] {
    EXPECT_TRUE(State().m_bRunning);
    EXPECT_TRUE(State().m_bQuitAsked) << "the click on EXIT vanished";
    EXPECT_EQ(kTextQuitQuestion, ItemText(kItemStatus));
    EXPECT_EQ(to_go, State().m_nToGo) << "the problem the pause led to was posed";
    EXPECT_FALSE(State().m_bTimedOut);
    EXPECT_EQ(kItemEnter, FocusedItem()) << "Return confirms";
  });
  Advance(5000);
  Then([&] { EXPECT_EQ(kTextQuitQuestion, ItemText(kItemStatus)) << "the question stays"; });
  ClickItem(kItemExit);  // withdrawn: the new problem, its clock full
  Then([&] {
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
    EXPECT_EQ(10, State().m_nSecsLeft);
    EXPECT_EQ(kItemAnswer, FocusedItem());
  });
  ClickItem(kItemExit);
  ClickItem(kItemEnter);  // confirmed
  Advance(4000);
  Leave();
}

INSTANTIATE_TEST_SUITE_P(Pauses, ExitClickedInAPause,
                         ::testing::Values(PauseMoment::kGetReady, PauseMoment::kAfterRightAnswer,
                                           PauseMoment::kAfterTimeOut),
                         [](const ::testing::TestParamInfo<PauseMoment>& moment) {
                           switch (moment.param) {
                             case PauseMoment::kGetReady:
                               return std::string("GetReady");
                             case PauseMoment::kAfterRightAnswer:
                               return std::string("AfterRightAnswer");
                             case PauseMoment::kAfterTimeOut:
                               return std::string("AfterTimeOut");
                           }
                           return std::string();
                         });

// The time-out is judged inside the pause after the wrong answer and poses the next problem;
// the interrupted judgement must then stop, not pose yet another one over it: the second
// problem the player sees is the second of the match's series, and it is the one answered
// and logged.
TEST_F(Match, TimeOutInsideThePauseAfterAWrongAnswerFinishesTheProblemOnce) {
  const BeltRow& black = BeltRowFor(kBlackBelt);
  UseBelt(kBlackBelt);
  SoundOff();
  StartMatch();
  MatchState first;
  Then([&] { first = State(); });
  Advance(8500);
  AnswerWrong();  // its 3 s pause runs past the tenth second
  Advance(8000);
  MatchState second;
  Then([&] {
    second = State();
    EXPECT_EQ(1, State().m_nDone);
    EXPECT_EQ(2, State().m_nAnswers);
    EXPECT_EQ(black.m_nMatchLength - 1, State().m_nToGo);
    EXPECT_EQ(2, State().m_nWrong);
    EXPECT_TRUE(Window().InputOpen());
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
  });
  Answer(0);
  Advance(4000);
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();

  // The match's seed is the calendar second it was reset in; its first problem tells which.
  std::vector<Problem> series;
  for (std::uint32_t seed = kTestStartEpoch; seed < kTestStartEpoch + 60 && series.empty();
       ++seed) {
    std::vector<Problem> replayed = ReplayedProblems(seed, black.m_nOperandLimit, m_settings);
    if (replayed[0].m_nOp == first.m_nOp && replayed[0].m_nA == first.m_nA &&
        replayed[0].m_nB == first.m_nB)
      series = replayed;
  }
  ASSERT_FALSE(series.empty()) << "no seed gives the first problem";
  EXPECT_EQ(series[1].m_nOp, second.m_nOp);
  EXPECT_EQ(series[1].m_nA, second.m_nA);
  EXPECT_EQ(series[1].m_nB, second.m_nB);

  const std::vector<std::string> lines = ProblemLines();
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(0u, lines[0].rfind("000 ", 0)) << "a wrong answer before any finished problem";
  EXPECT_EQ(0u, lines[1].rfind("001 ", 0));
  EXPECT_NE(std::string::npos, lines[1].find("T/O ("));
  EXPECT_EQ(0u, lines[2].rfind("002 ", 0));
  EXPECT_NE(std::string::npos, lines[2].find(series[1].m_strText)) << lines[2];
}

TEST_F(Match, KeyPressesCutEveryPauseShort) {
  UseBelt(1);
  CloseAboutBox();
  Advance(500);
  Press(Key::kOther);  // the title pause, and the second after it
  Then([&] { EXPECT_EQ(kTextWouldYouLike, ItemText(kItemStatus)); });
  Then([&] { EXPECT_LT(m_headless.ElapsedMs(), 1000u); });
  Press(Key::kReturn);
  Advance(1000);
  Press(Key::kOther);  // Get Ready: the fanfare stops at once
  Then([&] {
    EXPECT_TRUE(State().m_bRunning);
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
    const auto& sounds = m_headless.Sounds();
    auto fanfare = std::find_if(sounds.begin(), sounds.end(),
                                [](const auto& s) { return s.id == kSoundGetReady; });
    ASSERT_NE(sounds.end(), fanfare);
    EXPECT_EQ(HeadlessPlatform::SoundOutcome::kStopped, fanfare->outcome);
  });
  AnswerWrong();
  Advance(200);
  Press(Key::kOther);  // the feedback pause
  Then([&] {
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
    EXPECT_EQ("", ItemText(kItemAnswer));
    EXPECT_EQ(1, State().m_nRetries);
  });
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(200);
  Press(Key::kOther);  // the pause after the match
  Then([&] { EXPECT_EQ(kTextWouldYouLike, ItemText(kItemStatus)); });
  Leave();
}

// The close button is EXIT: inside the pause after an answer it asks the quit question, and the
// problem the pause then poses stays under the question until it is withdrawn.
TEST_F(Match, CloseRequestInsideAPauseKeepsTheQuitQuestionOverTheNextProblem) {
  UseBelt(1);
  SoundOff();
  StartMatch();
  AnswerWrong();
  CloseMainWindow();
  Then([&] { EXPECT_EQ(kTextQuitQuestion, ItemText(kItemStatus)); });
  Advance(4000);  // the pause ends: the same problem is asked again
  Then([&] {
    EXPECT_TRUE(State().m_bQuitAsked);
    EXPECT_EQ(kTextQuitQuestion, ItemText(kItemStatus));
    EXPECT_FALSE(IsVisible(kItemAnswer));
    EXPECT_EQ(kItemEnter, FocusedItem()) << "Return must still confirm";
  });
  CloseMainWindow();  // withdrawn
  Then([&] {
    EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus));
    EXPECT_TRUE(IsVisible(kItemAnswer));
    EXPECT_EQ(kItemAnswer, FocusedItem());
  });
  AnswerRight();
  Advance(1500);  // the bonus count; then the pause
  CloseMainWindow();
  Advance(4000);  // the pause ends: a new problem is posed
  Then([&] {
    EXPECT_EQ(kTextQuitQuestion, ItemText(kItemStatus));
    EXPECT_EQ(9, State().m_nToGo);
  });
  CloseMainWindow();  // withdrawn: the new problem shows
  Then([&] { EXPECT_EQ(kTextHowMuch, ItemText(kItemStatus)); });
  CloseMainWindow();
  Press(Key::kReturn);  // confirmed
  Then([&] { EXPECT_EQ(kTextLostByDefault, ItemText(kItemStatus)); });
  Advance(4000);
  Leave();

  EXPECT_EQ(2u, ProblemLines().size());
  TrainingSettings stored;
  LoadSettings(m_settingsStore, stored);
  EXPECT_EQ(1, stored.m_stats.m_nCntRight);
}

// Told to end from outside, the game leaves at once from wherever it is, without a question:
// a match in progress ends lost by default (a finished and won one is banked), every judged
// answer is logged once and before the summary, and the settings are saved whole.
enum class Moment {
  kAboutBox,
  kIdle,
  kSetupPanel,
  kFinishingAProblem,  // the short pause inside finishing a right answer, before its line
  kPauseAfterAnswer,
  kProblemPosed,
  kQuitQuestion,
  kPauseAfterLastAnswer,  // the match won, its title and banking still to come
};

struct QuitCase {
  const char* name;
  Moment moment;
  std::size_t problem_lines;
  std::int32_t matches;  // ended matches in the stored records
  bool banked;
};

void PrintTo(const QuitCase& c, std::ostream* os) {
  *os << c.name;
}

class QuitFromOutside : public Match, public ::testing::WithParamInterface<QuitCase> {
 protected:
  void Reach(Moment moment) {
    switch (moment) {
      case Moment::kAboutBox:
        return;
      case Moment::kIdle:
        CloseAboutBox();
        Advance(kIntroMs);
        return;
      case Moment::kSetupPanel:
        CloseAboutBox();
        Advance(kIntroMs);
        ClickItem(kItemSetup);
        Then([&] { ASSERT_TRUE(Window().SetupShown()); });
        return;
      case Moment::kFinishingAProblem:
        StartMatch();
        AnswerRight();
        return;
      case Moment::kPauseAfterAnswer:
        StartMatch();
        AnswerWrong();
        return;
      case Moment::kProblemPosed:
        StartMatch();
        AnswerWrong();
        Advance(4000);
        AnswerRight();
        Advance(5000);
        Then([&] { ASSERT_TRUE(Window().InputOpen()); });
        return;
      case Moment::kQuitQuestion:
        StartMatch();
        Press(Key::kEscape);
        Then([&] { ASSERT_TRUE(State().m_bQuitAsked); });
        return;
      case Moment::kPauseAfterLastAnswer:
        StartMatch();
        for (int i = 0; i < 9; ++i) {
          AnswerRight();
          Advance(5000);
        }
        AnswerRight();
        Advance(1500);  // the bonus count; then the pause before the title
        Then([&] { ASSERT_EQ(0, State().m_nToGo); });
        return;
    }
  }
  // Values in the settings file.
  int StoredValues() {
    std::ifstream in(SettingsPath());
    int count = 0;
    for (std::string line; std::getline(in, line);)
      count += line.find('=') != std::string::npos ? 1 : 0;
    return count;
  }
};

TEST_P(QuitFromOutside, LeavesAtOnceAndSavesTheRun) {
  const QuitCase& c = GetParam();
  UseBelt(1);
  SoundOff();
  Reach(c.moment);
  OrderToQuit();
  EXPECT_EQ(kItemExit, RunGame());

  EXPECT_EQ(26, StoredValues());
  TrainingSettings stored;
  LoadSettings(m_settingsStore, stored);
  EXPECT_EQ(c.matches, stored.m_stats.m_nCntRight);
  EXPECT_EQ(c.problem_lines, ProblemLines().size());
  const std::string log = Log();
  const std::size_t summary = log.find("SUMMARY");
  EXPECT_EQ(c.problem_lines > 0, summary != std::string::npos)
      << "a summary when answers were judged";
  EXPECT_EQ(summary, log.rfind("SUMMARY")) << "one summary";
  if (c.problem_lines > 0) {
    EXPECT_LT(log.rfind("score: "), summary) << "every problem line before the summary";
  }
  EXPECT_EQ(c.banked, stored.m_nOldHiScore > 0);
  if (c.banked) {
    EXPECT_EQ(stored.m_nOldHiScore, State().m_nHiScore);
    EXPECT_NE(std::string::npos, log.find("Fight Style:\t" + State().m_strStyle + "\r\n"));
    EXPECT_FALSE(State().m_strStyle.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moments, QuitFromOutside,
    ::testing::Values(QuitCase{"AboutBox", Moment::kAboutBox, 0, 0, false},
                      QuitCase{"Idle", Moment::kIdle, 0, 0, false},
                      QuitCase{"SetupPanel", Moment::kSetupPanel, 0, 0, false},
                      QuitCase{"FinishingAProblem", Moment::kFinishingAProblem, 1, 1, false},
                      QuitCase{"PauseAfterAnswer", Moment::kPauseAfterAnswer, 1, 1, false},
                      QuitCase{"ProblemPosed", Moment::kProblemPosed, 2, 1, false},
                      QuitCase{"QuitQuestion", Moment::kQuitQuestion, 0, 1, false},
                      QuitCase{"PauseAfterLastAnswer", Moment::kPauseAfterLastAnswer, 10, 1, true}),
    [](const ::testing::TestParamInfo<QuitCase>& moment) {
      return std::string(moment.param.name);
    });

// A close request and an order to quit that arrive together end the session once.
TEST_F(Match, CloseRequestAndOrderToQuitTogetherWriteOneSummary) {
  UseBelt(1);
  SoundOff();
  StartMatch();
  AnswerWrong();
  Advance(4000);
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Then([&] {
    ASSERT_FALSE(State().m_bRunning);
    m_headless.Close(Window().Window()->Id());
    Event quit;
    quit.type = EventType::kQuit;
    m_headless.Post(quit);
  });
  EXPECT_EQ(kItemExit, RunGame());
  const std::string log = Log();
  ASSERT_NE(std::string::npos, log.find("SUMMARY"));
  EXPECT_EQ(log.find("SUMMARY"), log.rfind("SUMMARY"));
}

// A match that ends right after a wrong answer leaves nothing of it behind: the next match
// poses a fresh problem and its clock runs.
class MatchEndedAfterAWrongAnswer : public Match, public ::testing::WithParamInterface<bool> {};

TEST_P(MatchEndedAfterAWrongAnswer, NextMatchStartsOnAFreshProblemWithItsClockRunning) {
  const bool energy_runs_out = GetParam();
  UseBelt(1);
  SoundOff();
  StartMatch();
  if (energy_runs_out) {
    for (int i = 0; i < 10; ++i) {
      AnswerWrong();
      if (i < 9)
        Press(Key::kOther);  // the feedback pause
    }
    Then([&] { ASSERT_EQ(kTextNeedPractice, ItemText(kItemStatus)); });
  } else {
    AnswerWrong();
    Advance(3500);  // the same problem is asked again
    Press(Key::kEscape);
    Press(Key::kReturn);  // the quit question confirmed
    Then([&] { ASSERT_EQ(kTextLostByDefault, ItemText(kItemStatus)); });
  }
  Advance(4000);
  Press(Key::kReturn);  // the next match
  Advance(kGetReadyMs);
  Then([&] {
    ASSERT_TRUE(State().m_bRunning);
    EXPECT_EQ(0, State().m_nRetries);
    EXPECT_FALSE(State().m_bRetry);
  });
  Advance(5000);
  Then([&] { EXPECT_EQ(5, State().m_nSecsLeft) << "the clock runs"; });
  Advance(5500);
  Then([&] {
    EXPECT_EQ(1, State().m_nDone) << "the first problem of the new match times out";
    EXPECT_EQ(1, State().m_nWrong);
  });
  Advance(3000);
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();
}

INSTANTIATE_TEST_SUITE_P(Endings, MatchEndedAfterAWrongAnswer, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& energy) {
                           return std::string(energy.param ? "EnergyGone" : "QuitConfirmed");
                         });

// A click on a control that does nothing during a problem leaves the keyboard with the answer
// box: the digits typed after it and Return judge the answer.
class ClickDuringAProblem : public Match, public ::testing::WithParamInterface<int> {};

TEST_P(ClickDuringAProblem, LeavesTheKeyboardWithTheAnswerBox) {
  const int clicked = GetParam();
  UseBelt(1);
  SoundOff();
  StartMatch();
  Advance(1000);
  ClickItem(clicked);
  Then([&] { EXPECT_EQ(kItemAnswer, FocusedItem()); });
  AnswerRight();
  Then([&] {
    EXPECT_EQ(1, State().m_nRight) << "Return judged the answer";
    EXPECT_NE(kTextHowMuch, ItemText(kItemStatus));
  });
  Advance(6000);
  Then([&] { EXPECT_EQ(kItemAnswer, FocusedItem()) << "the next problem"; });
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();

  const std::vector<std::string> lines = ProblemLines();
  ASSERT_EQ(1u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].find("\tOK\t")) << lines[0];
}

INSTANTIATE_TEST_SUITE_P(Controls, ClickDuringAProblem,
                         ::testing::Values(kItemSetup, kItemSoundSwitch),
                         [](const ::testing::TestParamInfo<int>& id) {
                           return std::to_string(id.param);
                         });

// The screen and the log agree on how a problem ended: one that timed out is logged as timed
// out, also when the box held its result (an empty box reads 0).
TEST_F(Match, ProblemThatTimedOutIsLoggedAsTimedOutWhateverTheBoxHeld) {
  UseBelt(1);
  SoundOff();
  StartMatch();
  Then([&] { m_headless.TypeText(std::to_string(State().m_nResult)); });
  Advance(10500);
  Then([&] { EXPECT_TRUE(State().m_bTimedOut); });
  Advance(3000);  // the next problem
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();

  const std::vector<std::string> lines = ProblemLines();
  ASSERT_EQ(1u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].find("=T/O (")) << lines[0];
}

}  // namespace
}  // namespace qz::test
