#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qz {

// What the command line asks for: play (in the stored window mode, or the one given), print the
// usage or the version, or nothing at all because it could not be read.
enum class CommandAction { kPlay, kHelp, kVersion, kUsageError };
enum class WindowChoice { kStored, kFullScreen, kWindow };
// Whose record is played: the usual choice (the only cadet, or the one chosen at start), a named
// one, a new one; or, without playing, a named one removed.
enum class CadetChoice { kUsual, kNamed, kNew, kRemove };

struct CommandLine {
  CommandAction m_action = CommandAction::kPlay;
  WindowChoice m_windowChoice = WindowChoice::kStored;
  CadetChoice m_cadetChoice = CadetChoice::kUsual;
  std::string m_strCadetName;  // for kNamed and kRemove
  std::string m_strError;      // one line, for kUsageError
};

// Exit status of a command line that could not be read, as other command-line programs use.
inline constexpr int kExitUsage = 2;

// Reads the arguments after the program name. Any unknown, repeated or contradictory option,
// and any argument that is not an option, makes it a usage error; otherwise --help wins over
// --version, which wins over playing.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The text of --help and of a usage error; the line of --version.
std::string UsageText(std::string_view program);
std::string VersionText(std::string_view program);

// Prints what the command line asks for when that is not playing and returns the exit status
// (1 when the text could not be written); -1 when the game is to be played.
int AnswerCommandLine(const CommandLine& line, std::string_view program);

}  // namespace qz
