#pragma once

#include <sys/types.h>

#include <string>

namespace qz::test {

// A private virtual X server for tests that open real windows. Starts Xvfb on a free display,
// waits until it takes connections and points DISPLAY at it; kills it when the object goes.
class XvfbDisplay {
 public:
  // `screen` is Xvfb's WIDTHxHEIGHTxDEPTH.
  explicit XvfbDisplay(const std::string& screen = "1024x768x24");
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  static bool Installed();
  // False when Xvfb did not come up; Error() says why.
  bool Running() const { return m_nPid > 0; }
  const std::string& Error() const { return m_strError; }
  const std::string& Name() const { return m_strName; }

 private:
  pid_t m_nPid = -1;
  std::string m_strName;
  std::string m_strError;
  std::string m_strOldDisplay;
  bool m_bHadDisplay = false;
};

}  // namespace qz::test
