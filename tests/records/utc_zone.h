#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace qz {

// Local time is UTC while an instance lives; the previous zone comes back afterwards.
class UtcZone {
 public:
  UtcZone() {
    if (const char* tz = std::getenv("TZ"))
      m_strOld = tz;
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
  }
  ~UtcZone() {
    if (m_strOld) {
      ::setenv("TZ", m_strOld->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  UtcZone(const UtcZone&) = delete;
  UtcZone& operator=(const UtcZone&) = delete;

 private:
  std::optional<std::string> m_strOld;
};

// 2007-05-14 16:02:20 UTC.
inline constexpr std::int64_t kMay14At160220 = 1179158540;

}  // namespace qz
