#include "app/command_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/run_program.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

CommandLine Parse(std::vector<std::string_view> args) {
  return ParseCommandLine(args);
}

TEST(CommandLineTest, ReadsWhatToDoAndHowToShowTheGame) {
  const struct {
    std::vector<std::string_view> m_args;
    CommandAction m_action;
    WindowChoice m_choice;
  } cases[] = {
      {{}, CommandAction::kPlay, WindowChoice::kStored},
      {{"--fullscreen"}, CommandAction::kPlay, WindowChoice::kFullScreen},
      {{"--window"}, CommandAction::kPlay, WindowChoice::kWindow},
      {{"--help"}, CommandAction::kHelp, WindowChoice::kStored},
      {{"-h"}, CommandAction::kHelp, WindowChoice::kStored},
      {{"--version"}, CommandAction::kVersion, WindowChoice::kStored},
      {{"--version", "--help"}, CommandAction::kHelp, WindowChoice::kStored},
      {{"--window", "--version"}, CommandAction::kVersion, WindowChoice::kWindow},
  };
  for (const auto& c : cases) {
    const CommandLine line = Parse(c.m_args);
    EXPECT_EQ(c.m_action, line.m_action) << testing::PrintToString(c.m_args);
    EXPECT_EQ(c.m_choice, line.m_windowChoice) << testing::PrintToString(c.m_args);
    EXPECT_EQ("", line.m_strError);
  }
}

TEST(CommandLineTest, UnknownRepeatedOrContradictoryOptionsAreOneLineErrors) {
  const struct {
    std::vector<std::string_view> m_args;
    const char* m_szError;
  } cases[] = {
      {{"--fulscreen"}, "unknown option '--fulscreen'"},
      {{"-"}, "unknown option '-'"},
      {{"--help=yes"}, "unknown option '--help=yes'"},
      {{"--window", "--window"}, "option '--window' given twice"},
      {{"--help", "-h"}, "option '-h' given twice"},
      {{"--version", "--version"}, "option '--version' given twice"},
      {{"--fullscreen", "--window"}, "options '--fullscreen' and '--window' exclude each other"},
      {{"level3"}, "unexpected argument 'level3'"},
      {{"--help", "--bogus"}, "unknown option '--bogus'"},
      {{"--cadet"}, "option '--cadet' needs a cadet's name"},
      {{"--remove-cadet"}, "option '--remove-cadet' needs a cadet's name"},
      {{"--new-cadet", "--new-cadet"}, "option '--new-cadet' given twice"},
      {{"--cadet", "Ann", "--new-cadet"}, "options '--cadet' and '--new-cadet' exclude each other"},
      {{"--remove-cadet", "Ann", "--cadet", "Bo"},
       "options '--remove-cadet' and '--cadet' exclude each other"},
      {{"--remove-cadet", "Ann", "--window"},
       "options '--window' and '--remove-cadet' exclude each other"},
  };
  for (const auto& c : cases) {
    const CommandLine line = Parse(c.m_args);
    EXPECT_EQ(CommandAction::kUsageError, line.m_action) << c.m_szError;
    EXPECT_EQ(c.m_szError, line.m_strError);
  }
}

// The name after --cadet or --remove-cadet is taken as it is, even when it looks like an option.
TEST(CommandLineTest, ReadsWhichCadetPlays) {
  const struct {
    std::vector<std::string_view> m_args;
    CadetChoice m_choice;
    const char* m_szName;
  } cases[] = {
      {{}, CadetChoice::kUsual, ""},
      {{"--cadet", "Ann"}, CadetChoice::kNamed, "Ann"},
      {{"--window", "--cadet", "--help"}, CadetChoice::kNamed, "--help"},
      {{"--cadet", ""}, CadetChoice::kNamed, ""},
      {{"--new-cadet", "--fullscreen"}, CadetChoice::kNew, ""},
      {{"--remove-cadet", "../x"}, CadetChoice::kRemove, "../x"},
  };
  for (const auto& c : cases) {
    const CommandLine line = Parse(c.m_args);
    EXPECT_EQ(CommandAction::kPlay, line.m_action) << testing::PrintToString(c.m_args);
    EXPECT_EQ(c.m_choice, line.m_cadetChoice) << testing::PrintToString(c.m_args);
    EXPECT_EQ(c.m_szName, line.m_strCadetName);
  }
}

TEST(CommandLineTest, HelpAndVersionTexts) {
  EXPECT_EQ(std::string("quizendo ") + QZ_VERSION + "\n", VersionText("quizendo"));
  const std::string usage = UsageText("quizendo");
  EXPECT_EQ(0u,
            usage.find("Usage: quizendo [--fullscreen | --window] [--cadet NAME | --new-cadet]\n"));
  EXPECT_NE(std::string::npos, usage.find("quizendo(6)"));
}

// The text asked for could not be written: the status says so, for both programs.
TEST(CommandLineTest, HelpAndVersionIntoAFullOutputFail) {
  const int full = ::open("/dev/full", O_WRONLY);
  if (full < 0)
    GTEST_SKIP() << "no /dev/full to write to";
  ::close(full);
  test::ScratchDir dir;
  for (const char* program : {"quizendo", "quizendo-report"}) {
    for (const char* option : {"--help", "--version"}) {
      const std::string binary = std::string(QZ_BINARY_DIR) + "/" + program;
      const test::ProgramRun run = test::RunProgram(
          {"sh", "-c", "exec \"$0\" \"$1\" >/dev/full", binary, option}, dir.Path());
      EXPECT_EQ(1, run.m_nStatus) << program << " " << option << "\n" << run.m_strOutput;
      EXPECT_NE(std::string::npos, run.m_strOutput.find("No space left on device"))
          << program << " " << option << "\n"
          << run.m_strOutput;
    }
  }
}

}  // namespace
}  // namespace qz
