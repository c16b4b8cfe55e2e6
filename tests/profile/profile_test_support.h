#pragma once

#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/file_text.h"
#include "support/scratch_dir.h"

namespace qz::test {

// The shared scratch folder, with paths as the settings store takes them.
class TempFolder {
 public:
  std::string File(const std::string& name) const { return (m_dir.Path() / name).string(); }
  std::string Path() const { return m_dir.Path().string(); }

 private:
  ScratchDir m_dir;
};

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_szName(name) {
    if (const char* old = getenv(name))
      m_strOld = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
    tzset();
  }
  ~ScopedEnv() {
    if (m_strOld) {
      setenv(m_szName, m_strOld->c_str(), 1);
    } else {
      unsetenv(m_szName);
    }
    tzset();
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* m_szName;
  std::optional<std::string> m_strOld;
};

}  // namespace qz::test
