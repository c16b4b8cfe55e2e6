#pragma once

#include <memory>
#include <string>

#include "platform/posix/instance_lock.h"

namespace qz {

// The outcome of claiming the run for this copy of the game.
struct SingleInstance {
  std::unique_ptr<InstanceLock> m_pLock;  // held for the whole run; may be empty
  std::string m_strRefusal;               // set when another copy runs: the game must not start
};

// Takes the per-user instance lock kept next to the settings file at `settings_path`. Once it
// is held, no other copy can be saving the settings, so the temporary files of saves killed
// midway are removed. When no lock can be made at all the game plays on without it.
SingleInstance ClaimSingleInstance(const std::string& app_name, const std::string& settings_path);

}  // namespace qz
