#pragma once

#include <memory>
#include <string>

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
};

}  // namespace qz
