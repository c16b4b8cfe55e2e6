#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/posix/instance_lock.h"

namespace qz {

// The outcome of claiming the run for this copy of the game.
struct SingleInstance {
  std::unique_ptr<InstanceLock> m_pLock;  // held for the whole run; may be empty
  std::string m_strRefusal;               // set when another copy runs: the game must not start
  // Set when nothing could be locked: why not, for each file tried; the game plays on.
  std::vector<std::string> m_vUnlockedWhy;
};

// Takes the per-user instance lock kept next to the settings file at `settings_path`. Once it
// is held, no other copy can be saving the settings, so the temporary files of saves killed
// midway are removed. Where the lock file cannot be made (a folder in its place, a read-only
// folder or disk) the settings file itself is locked, when it exists. When nothing can be
// locked the game plays on without a lock, and says so (SayIfUnlocked).
SingleInstance ClaimSingleInstance(const std::string& app_name, const std::string& settings_path);

// Tells the cadet once, on stderr and in a box, that another copy could start beside this one
// and one of the two would lose its results; nothing when the claim holds a lock.
void SayIfUnlocked(const SingleInstance& claim, const std::string& app_name, MessageBox& box);

}  // namespace qz
