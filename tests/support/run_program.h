#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qz::test {

struct ProgramRun {
  int m_nStatus = -1;       // exit status; -1 when it did not exit normally
  std::string m_strOutput;  // stdout and stderr together
};

// Runs a program in `folder` and waits for it, at most `deadline_seconds` (then it is killed
// and the run fails with status -1). With `as_other_user`, a test running as root runs it as
// the user nobody, so that file permissions hold for it as they do for a player; anyone else
// already is such a user. The program's stdin is /dev/null.
ProgramRun RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                      bool as_other_user = false, int deadline_seconds = 60);

// The user that RunProgram(..., as_other_user = true) runs as: nobody for root, else oneself.
int OtherUserId();

}  // namespace qz::test
