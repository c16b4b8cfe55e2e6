#include "app/single_instance.h"

#include "platform/posix/atomic_file.h"

namespace qz {

SingleInstance ClaimSingleInstance(const std::string& app_name, const std::string& settings_path) {
  const std::size_t dot = settings_path.find_last_of('.');
  const std::size_t slash = settings_path.find_last_of('/');
  const bool has_extension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string lock_path =
      (has_extension ? settings_path.substr(0, dot) : settings_path) + ".lock";

  SingleInstance claim;
  InstanceLock::Outcome outcome = InstanceLock::Outcome::kUnavailable;
  std::string error;
  claim.m_pLock = InstanceLock::Acquire(lock_path, &outcome, &error);
  if (outcome == InstanceLock::Outcome::kHeldByAnother) {
    claim.m_strRefusal = app_name +
                         " is already running. Only one copy plays at a time, so that neither "
                         "loses the other's results.";
  } else if (claim.m_pLock) {
    RemoveLeftoverTemporaryFiles(settings_path);
  }
  return claim;
}

}  // namespace qz
