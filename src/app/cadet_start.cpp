#include "app/cadet_start.h"

#include <cctype>
#include <cstring>
#include <filesystem>

#include "app/single_instance.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/posix_record_folder.h"
#include "profile/cadet_files.h"

namespace qz {
namespace {

void SayCadets(const CadetRoster& roster, std::FILE* err) {
  if (roster.Cadets().empty()) {
    std::fputs("There are no cadets yet.\n", err);
    return;
  }
  std::fputs("The cadets are:\n", err);
  for (std::size_t i = 0; i < roster.Cadets().size(); ++i)
    std::fprintf(err, "  %s\n", roster.Label(i).c_str());
}

// The one cadet `name` names; none, with the reason and the cadets' names on `err`.
std::optional<std::size_t> FindOne(const CadetRoster& roster, const std::string& name,
                                   const std::string& app_name, std::FILE* err) {
  const std::vector<std::size_t> found = roster.Find(name);
  if (found.size() == 1)
    return found[0];
  if (found.empty()) {
    std::fprintf(err, "%s: no cadet is named '%s'.\n", app_name.c_str(), name.c_str());
  } else {
    std::fprintf(err, "%s: %zu cadets are named '%s'; give the birth date as well.\n",
                 app_name.c_str(), found.size(), name.c_str());
  }
  SayCadets(roster, err);
  return std::nullopt;
}

std::string RecordsFolderOf(const std::string& app_name) {
  return std::filesystem::path(IniSettingsStore::DefaultPath(app_name)).parent_path().string();
}

bool IsYes(const char* answer) {
  std::string word;
  for (const char* c = answer; *c != '\0' && *c != '\n' && *c != '\r'; ++c)
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  return word == "y" || word == "yes";
}

}  // namespace

CadetStart StartOf(const CadetRoster& roster, RecordFolder& folder, std::size_t index) {
  const CadetRecord& record = roster.Cadets()[index];
  CadetStart start;
  start.m_strSettingsPath = folder.PathOf(record.m_strFile);
  // The store itself tells what else is wrong (unreadable, too large) when the game reads it.
  if (!folder.Exists(record.m_strFile))
    start.m_strRefusal = record.m_strProblem;
  return start;
}

CadetStart ResolveNamedCadet(CadetRoster& roster, RecordFolder& folder, const CommandLine& line,
                             const std::string& app_name, std::FILE* err) {
  roster.Read();
  if (line.m_cadetChoice == CadetChoice::kNamed) {
    const std::optional<std::size_t> index = FindOne(roster, line.m_strCadetName, app_name, err);
    if (!index)
      return CadetStart{"", "", kExitUsage};
    return StartOf(roster, folder, *index);
  }
  // One cadet or none: the game as a one-child household knows it, on that one file.
  if (roster.Cadets().size() == 1)
    return CadetStart{folder.PathOf(roster.Cadets()[0].m_strFile), "", -1};
  if (roster.Cadets().size() > 1)
    return CadetStart{};
  // No cadet yet: the first cadet's settings file, where a one-child household keeps it.
  return CadetStart{folder.PathOf(CadetFileName(app_name, kFirstCadetNumber)), "", -1};
}

CadetStart StartNewCadet(CadetRoster& roster, RecordFolder& folder, std::string* error) {
  const std::optional<std::string> file = roster.AddCadet(error);
  if (!file)
    return CadetStart{"", "", 1};
  return CadetStart{folder.PathOf(*file), "", -1};
}

int RemoveCadetCommand(const std::string& app_name, const std::string& name, std::FILE* in,
                       std::FILE* out, std::FILE* err) {
  PosixRecordFolder folder(RecordsFolderOf(app_name));
  CadetRoster roster(folder, app_name);
  roster.Read();
  const std::optional<std::size_t> index = FindOne(roster, name, app_name, err);
  if (!index)
    return kExitUsage;
  const std::string label = roster.Label(*index);
  const std::string path = folder.PathOf(roster.Cadets()[*index].m_strFile);
  // Held until the rename is done: a copy playing this cadet would save its record anew.
  const SingleInstance claim = ClaimSingleInstance(app_name, path);
  if (!claim.m_strRefusal.empty()) {
    std::fprintf(err, "%s: %s is playing now; leave that game first. Nothing was removed.\n",
                 app_name.c_str(), label.c_str());
    return 1;
  }
  std::fprintf(out,
               "Remove the cadet %s? The record (%s) is kept in a file named as removed, and the "
               "sessions stay in the log. [y/N] ",
               label.c_str(), path.c_str());
  std::fflush(out);
  char answer[64] = {};
  if (std::fgets(answer, sizeof answer, in) == nullptr || !IsYes(answer)) {
    std::fputs("Nothing was removed.\n", out);
    return 1;
  }
  std::string error;
  const std::optional<std::string> removed = roster.RemoveCadet(*index, &error);
  if (!removed) {
    std::fprintf(err, "%s: cannot remove %s: %s\n", app_name.c_str(), label.c_str(), error.c_str());
    return 1;
  }
  std::fprintf(out, "Removed %s; the record is kept in %s.\n", label.c_str(),
               folder.PathOf(*removed).c_str());
  return 0;
}

}  // namespace qz
