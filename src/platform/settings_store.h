#pragma once

#include <string>
#include <string_view>

namespace qz {

// Text and integer values by section and name, kept between runs.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // A missing value gives `fallback`; so does an integer that is not a 32-bit number.
  virtual std::string GetString(std::string_view section, std::string_view name,
                                std::string_view fallback) = 0;
  virtual int GetInt(std::string_view section, std::string_view name, int fallback) = 0;
  virtual void WriteString(std::string_view section, std::string_view name,
                           std::string_view value) = 0;
  virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
  // Stores every value written so far; false (with the reason in *error) when that failed,
  // in which case the stored file is unchanged.
  virtual bool Save(std::string* error) = 0;
  // Why the stored values could not all be read, so that Save will refuse to write over them;
  // empty when they were read whole (or there were none).
  virtual std::string LoadProblem() const { return {}; }
};

}  // namespace qz
