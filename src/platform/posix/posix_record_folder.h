#pragma once

#include <string>

#include "platform/record_folder.h"

namespace qz {

// The records' folder on a POSIX file system; settings files are IniSettingsStore files.
class PosixRecordFolder : public RecordFolder {
 public:
  explicit PosixRecordFolder(std::string folder) : m_strFolder(std::move(folder)) {}

  std::vector<std::string> List() override;
  bool Exists(const std::string& name) override;
  std::unique_ptr<SettingsStore> OpenSettings(const std::string& name) override;
  bool CreateNew(const std::string& name, std::string* error) override;
  bool RenameNoReplace(const std::string& from, const std::string& to, std::string* error) override;
  std::string PathOf(const std::string& name) const override { return m_strFolder + "/" + name; }

 private:
  std::string m_strFolder;
};

}  // namespace qz
