#include "app/single_instance.h"

#include <cstdio>

#include "app/second_copy_text.h"
#include "platform/posix/atomic_file.h"
#include "records/session_log.h"

namespace qz {
namespace {

constexpr char kTextUnlocked[] = "The game cannot make sure that only one copy plays at a time";
constexpr char kTextUnlockedRisk[] =
    "If two copies play at once, the one left last saves its results over the other's.";

std::string LockPathOf(const std::string& settings_path) {
  const std::size_t dot = settings_path.find_last_of('.');
  const std::size_t slash = settings_path.find_last_of('/');
  const bool has_extension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (has_extension ? settings_path.substr(0, dot) : settings_path) + ".lock";
}

}  // namespace

SingleInstance ClaimSingleInstance(const std::string& app_name, const std::string& settings_path) {
  SingleInstance claim;
  InstanceLock::Outcome outcome = InstanceLock::Outcome::kUnavailable;
  std::string lock_file_error;
  claim.m_pLock = InstanceLock::Acquire(LockPathOf(settings_path), &outcome, &lock_file_error);
  if (claim.m_pLock) {
    RemoveLeftoverTemporaryFiles(settings_path);
    return claim;
  }
  std::string settings_error;
  if (outcome == InstanceLock::Outcome::kUnavailable) {
    // Every copy takes the same way here, so they all meet on the settings file. Its saves
    // replace it only as the game ends: the lock on it holds for the whole run.
    claim.m_pLock = InstanceLock::AcquireExisting(settings_path, &outcome, &settings_error);
  }
  if (outcome == InstanceLock::Outcome::kHeldByAnother) {
    claim.m_strRefusal = SecondCopyRefusal(app_name);
  } else if (!claim.m_pLock) {
    claim.m_vUnlockedWhy = {lock_file_error, settings_error};
  }
  return claim;
}

void SayIfUnlocked(const SingleInstance& claim, const std::string& app_name, MessageBox& box) {
  if (claim.m_vUnlockedWhy.empty())
    return;
  std::string line;
  std::string lines;
  for (const std::string& why : claim.m_vUnlockedWhy) {
    line += (line.empty() ? "" : "; ") + why;
    lines += (lines.empty() ? "" : ";\n") + why;
  }
  std::fprintf(stderr, "%s: %s: %s. %s\n", app_name.c_str(), kTextUnlocked, line.c_str(),
               kTextUnlockedRisk);
  // A message box does not wrap its lines: one reason a line.
  box.Show(kLogBoxCaption, std::string(kTextUnlocked) + ":\n" + lines + ".\n" + kTextUnlockedRisk,
           MessageIcon::kExclamation);
}

}  // namespace qz
