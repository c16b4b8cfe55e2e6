#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/record_folder.h"
#include "profile/training_settings.h"

namespace qz {

// One cadet's record as found in the records' folder.
struct CadetRecord {
  std::string m_strFile;        // its file name in the folder (see cadet_files.h)
  int m_nNumber = 0;            // 1 for the first cadet's file
  TrainingSettings m_settings;  // what it holds; the defaults where it could not be read
  // Why the record cannot be played as it is (missing, unreadable, too large); empty when it
  // was read whole. The game then says so and never saves over it.
  std::string m_strProblem;
};

// The cadets of one household: every record file in the records' folder, the first cadet's
// (the settings file of a one-child household) first, then the others by number. Reading
// changes nothing on disk.
class CadetRoster {
 public:
  // `folder` must outlive the roster.
  CadetRoster(RecordFolder& folder, std::string app_name);

  // Reads every cadet's record anew.
  void Read();
  const std::vector<CadetRecord>& Cadets() const { return m_cadets; }

  // The name shown for a cadet: its name, "Player" while it has none, control characters as
  // blanks; followed by the birth date (" (25.11.1994)") when another cadet has the same name.
  std::string Label(std::size_t index) const;
  // The cadets whose name or label is `name` exactly.
  std::vector<std::size_t> Find(std::string_view name) const;

  // Makes the empty record file of a new cadet: the first cadet's, when there is none, else
  // one numbered after the last. Its file name, or none with the reason in *error.
  std::optional<std::string> AddCadet(std::string* error);
  // Renames a cadet's record as removed, under a name no other file has; it is never deleted.
  // The new file name, or none with the reason in *error (the record is then as it was).
  std::optional<std::string> RemoveCadet(std::size_t index, std::string* error);

 private:
  std::string BaseLabel(std::size_t index) const;

  RecordFolder& m_folder;
  std::string m_strAppName;
  std::vector<CadetRecord> m_cadets;
};

}  // namespace qz
