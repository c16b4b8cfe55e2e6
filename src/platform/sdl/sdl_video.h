#pragma once

#include <memory>
#include <string>

#include "platform/sdl/x11_wakeup_guard.h"

namespace qz {

// SDL started for windows, events and timers, drawn in software; shut down when it goes.
// At most one at a time.
class SdlVideo {
 public:
  // Nothing when there is no display; *error then says why.
  static std::unique_ptr<SdlVideo> Start(std::string* error);
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;

 private:
  SdlVideo() = default;

  std::unique_ptr<X11WakeupGuard> m_pWakeupGuard;
};

}  // namespace qz
