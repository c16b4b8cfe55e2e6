#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace qz {

// The folder that keeps the cadets' records, one settings file each. Names are plain file
// names inside the folder, never paths: the caller makes them.
class RecordFolder {
 public:
  virtual ~RecordFolder() = default;
  // The names of the folder's entries, whatever they are (a link to nothing included); none
  // when the folder does not exist or cannot be read.
  virtual std::vector<std::string> List() = 0;
  // True when `name` leads to something (a link is followed).
  virtual bool Exists(const std::string& name) = 0;
  // The settings store on the file `name`, read now (see SettingsStore::LoadProblem).
  virtual std::unique_ptr<SettingsStore> OpenSettings(const std::string& name) = 0;
  // Makes the empty file `name`, creating the folder as needed; false when anything is there
  // already (another copy made it first) or it cannot be made, with the reason in *error.
  virtual bool CreateNew(const std::string& name, std::string* error) = 0;
  // Renames `from` to `to`, never replacing anything at `to`; false, with the reason in
  // *error, when it did not happen (nothing changed then).
  virtual bool RenameNoReplace(const std::string& from, const std::string& to,
                               std::string* error) = 0;
  // The full path of `name`, for locks and for the texts that name a file.
  virtual std::string PathOf(const std::string& name) const = 0;
};

}  // namespace qz
