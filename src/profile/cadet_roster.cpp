#include "profile/cadet_roster.h"

#include <algorithm>
#include <memory>

#include "platform/string_printf.h"
#include "profile/cadet_files.h"
#include "profile/cadet_name.h"

namespace qz {
namespace {

constexpr char kNamelessLabel[] = "Player";
// Numbers tried past the last one before giving up: other copies may be adding at once.
constexpr int kCreateAttempts = 100;
constexpr int kRemoveAttempts = 1000;

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

CadetRoster::CadetRoster(RecordFolder& folder, std::string app_name)
    : m_folder(folder), m_strAppName(std::move(app_name)) {}

void CadetRoster::Read() {
  m_cadets.clear();
  for (const std::string& name : m_folder.List()) {
    const std::optional<int> number = CadetNumberOf(m_strAppName, name);
    if (!number)
      continue;
    CadetRecord record;
    record.m_strFile = name;
    record.m_nNumber = *number;
    if (!m_folder.Exists(name)) {
      // A link to nothing: the record is somewhere that is not there now (a disk not
      // mounted); a new record made in its place would be lost when it comes back.
      record.m_strProblem = m_folder.PathOf(name) + " leads to no file";
    } else {
      std::unique_ptr<SettingsStore> store = m_folder.OpenSettings(name);
      LoadSettings(*store, record.m_settings);
      record.m_strProblem = store->LoadProblem();
    }
    m_cadets.push_back(std::move(record));
  }
  std::sort(m_cadets.begin(), m_cadets.end(),
            [](const CadetRecord& a, const CadetRecord& b) { return a.m_nNumber < b.m_nNumber; });
}

std::string CadetRoster::BaseLabel(std::size_t index) const {
  const std::string name = CleanCadetName(m_cadets[index].m_settings.m_strCadetName);
  return IsBlank(name) ? kNamelessLabel : name;
}

std::string CadetRoster::Label(std::size_t index) const {
  const std::string base = BaseLabel(index);
  bool shared = false;
  for (std::size_t other = 0; other < m_cadets.size(); ++other)
    shared = shared || (other != index && BaseLabel(other) == base);
  if (!shared)
    return base;
  const TrainingSettings& s = m_cadets[index].m_settings;
  return base + StringPrintf(" (%02d.%02d.%04d)", s.m_nBDateDay, s.m_nBDateMonth, s.m_nBDateYear);
}

std::vector<std::size_t> CadetRoster::Find(std::string_view name) const {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < m_cadets.size(); ++i) {
    if (Label(i) == name || m_cadets[i].m_settings.m_strCadetName == name)
      found.push_back(i);
  }
  return found;
}

std::optional<std::string> CadetRoster::AddCadet(std::string* error) {
  const std::vector<std::string> names = m_folder.List();
  int last = 0;
  bool first_taken = false;
  for (const std::string& name : names) {
    const std::optional<int> number = CadetNumberOf(m_strAppName, name);
    if (number) {
      last = std::max(last, *number);
      first_taken = first_taken || *number == kFirstCadetNumber;
    }
  }
  int number = first_taken ? std::max(last + 1, 2) : kFirstCadetNumber;
  for (int attempt = 0; attempt < kCreateAttempts && number <= kMaxCadetNumber; ++attempt) {
    const std::string name = CadetFileName(m_strAppName, number);
    if (m_folder.CreateNew(name, error))
      return name;
    // Taken meanwhile by another copy, or not makeable: the next number tells which.
    number = number == kFirstCadetNumber ? std::max(last + 1, 2) : number + 1;
  }
  return std::nullopt;
}

std::optional<std::string> CadetRoster::RemoveCadet(std::size_t index, std::string* error) {
  const std::string& file = m_cadets[index].m_strFile;
  const std::vector<std::string> names = m_folder.List();
  for (int attempt = 1; attempt <= kRemoveAttempts; ++attempt) {
    const std::string removed = RemovedFileName(file, attempt);
    if (std::find(names.begin(), names.end(), removed) != names.end())
      continue;
    if (m_folder.RenameNoReplace(file, removed, error))
      return removed;
    if (m_folder.List() == names)
      return std::nullopt;  // nothing else changed: the rename itself cannot be done
  }
  return std::nullopt;
}

}  // namespace qz
