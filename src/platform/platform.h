#pragma once

#include <filesystem>
#include <string>

#include "platform/asset_store.h"
#include "platform/clock.h"
#include "platform/event_queue.h"
#include "platform/file_appender.h"
#include "platform/font.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/sound_player.h"
#include "platform/window_system.h"

namespace qz {

// Everything the game takes from its platform, handed down from main() or a test.
struct Platform {
  Clock& clock;
  EventQueue& events;
  SoundPlayer& sound;
  MessageBox& message_box;
  WindowSystem& windows;
  AssetStore& assets;
  FontSource& fonts;
  SettingsStore& settings;
  FileAppender& files;
  std::string app_name;            // the executable's file name: "quizendo"
  std::filesystem::path log_path;  // "qz.log" in the working folder
};

}  // namespace qz
