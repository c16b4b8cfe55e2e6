#include "app/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qz {
namespace {

constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";
constexpr std::string_view kFullScreen = "--fullscreen";
constexpr std::string_view kWindow = "--window";
constexpr std::string_view kCadet = "--cadet";
constexpr std::string_view kNewCadet = "--new-cadet";
constexpr std::string_view kRemoveCadet = "--remove-cadet";

CommandLine UsageError(std::string text) {
  CommandLine line;
  line.m_action = CommandAction::kUsageError;
  line.m_strError = std::move(text);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  bool help = false;
  bool version = false;
  std::string_view window_option;
  std::string_view cadet_option;
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    bool* flag = nullptr;
    if (arg == kCadet || arg == kNewCadet || arg == kRemoveCadet) {
      if (cadet_option == arg)
        return UsageError("option '" + std::string(arg) + "' given twice");
      if (!cadet_option.empty()) {
        return UsageError("options '" + std::string(cadet_option) + "' and '" + std::string(arg) +
                          "' exclude each other");
      }
      cadet_option = arg;
      if (arg == kNewCadet) {
        line.m_cadetChoice = CadetChoice::kNew;
        continue;
      }
      if (i + 1 >= args.size())
        return UsageError("option '" + std::string(arg) + "' needs a cadet's name");
      line.m_strCadetName = std::string(args[++i]);
      line.m_cadetChoice = arg == kCadet ? CadetChoice::kNamed : CadetChoice::kRemove;
      continue;
    }
    if (arg == kHelp || arg == kShortHelp) {
      flag = &help;
    } else if (arg == kVersion) {
      flag = &version;
    } else if (arg == kFullScreen || arg == kWindow) {
      if (window_option == arg)
        return UsageError("option '" + std::string(arg) + "' given twice");
      if (!window_option.empty()) {
        return UsageError("options '" + std::string(window_option) + "' and '" + std::string(arg) +
                          "' exclude each other");
      }
      window_option = arg;
      line.m_windowChoice = arg == kFullScreen ? WindowChoice::kFullScreen : WindowChoice::kWindow;
      continue;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option '" + std::string(arg) + "'");
    } else {
      return UsageError("unexpected argument '" + std::string(arg) + "'");
    }
    if (*flag)
      return UsageError("option '" + std::string(arg) + "' given twice");
    *flag = true;
  }
  if (cadet_option == kRemoveCadet && !window_option.empty()) {
    return UsageError("options '" + std::string(window_option) + "' and '" +
                      std::string(cadet_option) + "' exclude each other");
  }
  if (help)
    line.m_action = CommandAction::kHelp;
  else if (version)
    line.m_action = CommandAction::kVersion;
  return line;
}

std::string UsageText(std::string_view program) {
  const std::string name(program);
  return "Usage: " + name +
         " [--fullscreen | --window] [--cadet NAME | --new-cadet]\n"
         "       " +
         name + " --remove-cadet NAME\n" + "       " + name +
         " --help | --version\n"
         "An arithmetic drill game for children, dressed as martial-arts training.\n"
         "\n"
         "  --fullscreen  play on the whole screen (F11 switches while playing)\n"
         "  --window      play in a window\n"
         "  --cadet NAME  play as the cadet named NAME (a name shared by two cadets is\n"
         "                told apart by the birth date: 'Sam (02.03.2016)')\n"
         "  --new-cadet   add a cadet (its name and birth date are asked) and play\n"
         "  --remove-cadet NAME\n"
         "                remove a cadet, after asking; its record is kept in a file\n"
         "  -h, --help    print this text and leave\n"
         "  --version     print the version and leave\n"
         "\n"
         "Without --fullscreen or --window the game starts as it was last left.\n"
         "With two or more cadets and no --cadet, the game first asks who is training.\n"
         "See the manual page " +
         name + "(6) for keys, files and exit status.\n";
}

std::string VersionText(std::string_view program) {
  return std::string(program) + " " + QZ_VERSION + "\n";
}

namespace {

// Prints the text on standard output; 0, or 1 with the reason on standard error when it did not
// all get there (a full disk, say): a text asked for and lost is a failure.
int PrintAnswer(const std::string& text, std::string_view program) {
  errno = 0;
  if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0)
    return 0;
  const int err = errno;
  std::fprintf(stderr, "%.*s: cannot write to standard output: %s\n",
               static_cast<int>(program.size()), program.data(),
               err != 0 ? std::strerror(err) : "write failed");
  return 1;
}

}  // namespace

int AnswerCommandLine(const CommandLine& line, std::string_view program) {
  switch (line.m_action) {
    case CommandAction::kPlay:
      return -1;
    case CommandAction::kHelp:
      return PrintAnswer(UsageText(program), program);
    case CommandAction::kVersion:
      return PrintAnswer(VersionText(program), program);
    case CommandAction::kUsageError:
      std::fprintf(stderr, "%.*s: %s\n%s", static_cast<int>(program.size()), program.data(),
                   line.m_strError.c_str(), UsageText(program).c_str());
      return kExitUsage;
  }
  return kExitUsage;
}

}  // namespace qz
