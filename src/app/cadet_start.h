#pragma once

#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "profile/cadet_roster.h"

namespace qz {

// Whose record a run plays, settled before the game reads any settings.
struct CadetStart {
  std::string m_strSettingsPath;  // the record to play
  // Set when the record must not be saved over (it leads to no file); the game says why.
  std::string m_strRefusal;
  int m_nExitStatus = -1;  // 0 or more: the run ends at once with this status
};

// The record chosen on the command line: the named cadet (exit status 2 and the cadets'
// names on `err` when no cadet, or more than one, has that name), or, without a name, the
// only cadet's, the first cadet's settings file when there is none; an empty path when there
// are two or more and the player is to choose. `roster` is read anew.
CadetStart ResolveNamedCadet(CadetRoster& roster, RecordFolder& folder, const CommandLine& line,
                             const std::string& app_name, std::FILE* err);

// The record of the cadet at `index` of a read roster.
CadetStart StartOf(const CadetRoster& roster, RecordFolder& folder, std::size_t index);

// Makes a new cadet's record and starts it (exit status 1, and why in *error, when it cannot
// be made).
CadetStart StartNewCadet(CadetRoster& roster, RecordFolder& folder, std::string* error);

// quizendo --remove-cadet NAME: finds the cadet, makes sure no copy plays it, asks on `out`
// and reads the answer from `in`; "y" or "yes" renames its record as removed. The exit
// status: 0 removed, 1 not removed (declined, playing now, the rename failed), 2 no such cadet.
int RemoveCadetCommand(const std::string& app_name, const std::string& name, std::FILE* in,
                       std::FILE* out, std::FILE* err);

}  // namespace qz
