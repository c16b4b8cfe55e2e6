// The composition root on Windows: SDL for the window, events, timers and sound, and Windows'
// own registry, files, single-instance lock and message box.
#include "app/startup.h"

#include <cstdio>
#include <exception>
#include <optional>

#include "app/second_copy_text.h"
#include "app/win32/one_cadet.h"
#include "app/window_mode.h"
#include "platform/posix/folder_asset_store.h"
#include "platform/registry_settings_store.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_event_queue.h"
#include "platform/sdl/sdl_sound_player.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/ttf/ttf_font_source.h"
#include "platform/win32/executable_path.h"
#include "platform/win32/win32_file_appender.h"
#include "platform/win32/win32_instance_mutex.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_registry_key.h"
#include "platform/win32/win32_text.h"
#include "records/session_log.h"

namespace qz {
namespace {

constexpr const char* kFallbackName = "quizendo";

// Says what stops the game on stderr and, where possible, in a box.
int Fail(MessageBox* box, const std::string& app_name, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", app_name.c_str(), text.c_str());
  if (box != nullptr)
    box->Show(app_name, text, MessageIcon::kStop);
  return 1;
}

}  // namespace

std::string ApplicationName(const char* argv0) {
  std::optional<std::filesystem::path> self = ExecutablePath();
  if (self)
    return Utf8Text(self->stem().native());
  if (argv0 != nullptr && *argv0 != '\0')
    return Utf8Text(std::filesystem::path(WideText(argv0)).stem().native());
  return kFallbackName;
}

std::filesystem::path ExecutableDir(const char* argv0) {
  std::optional<std::filesystem::path> self = ExecutablePath();
  if (self)
    return self->parent_path();
  std::error_code ec;
  const std::filesystem::path given = WideText(argv0 != nullptr ? argv0 : "");
  std::filesystem::path full = std::filesystem::absolute(given, ec);
  return ec ? std::filesystem::current_path() : full.parent_path();
}

int RunApplication(int argc, char** argv, const CommandLine& line,
                   const std::function<int(Platform&)>& game) {
  const char* argv0 = argc > 0 ? argv[0] : nullptr;
  const std::string app_name = ApplicationName(argv0);
  // The registry holds one record per Windows account: every child plays under an account of
  // their own.
  if (line.m_cadetChoice != CadetChoice::kUsual) {
    std::fprintf(stderr, "%s: %s\n", app_name.c_str(), kOneCadetPerAccount);
    return 2;
  }

  std::string error;
  std::unique_ptr<SdlVideo> video = SdlVideo::Start(&error);
  if (!video) {
    std::fprintf(stderr, "%s: cannot open a window: %s\n", app_name.c_str(), error.c_str());
    return 1;
  }
  Win32MessageBox message_box;
  const std::filesystem::path exe_dir = ExecutableDir(argv0);
  std::optional<std::filesystem::path> asset_dir = FolderAssetStore::Locate(exe_dir);
  if (!asset_dir) {
    return Fail(&message_box, app_name,
                "cannot find the game's files: " + PathText(exe_dir / "assets"));
  }

  Win32InstanceMutex::Outcome outcome = Win32InstanceMutex::Outcome::kUnavailable;
  std::unique_ptr<Win32InstanceMutex> instance =
      Win32InstanceMutex::Acquire(app_name, &outcome, &error);
  if (outcome == Win32InstanceMutex::Outcome::kHeldByAnother)
    return Fail(&message_box, app_name, SecondCopyRefusal(app_name));
  if (!instance) {
    std::fprintf(stderr, "%s: The game cannot make sure that only one copy plays at a time: %s\n",
                 app_name.c_str(), error.c_str());
  }

  try {
    FolderAssetStore assets(*asset_dir);
    // The faces are installed beside the program.
    TtfFontSource fonts(exe_dir / "fonts");
    SdlClock clock;
    SdlWindowSystem windows;
    SdlEventQueue events(windows);
    SdlSoundPlayer sound(assets, clock);
    Win32RegistryKey key(app_name);
    RegistrySettingsStore settings(key);
    ChooseWindowMode(windows, settings, line.m_windowChoice, app_name);
    Win32FileAppender files;
    Platform platform{clock, events,   sound, message_box, windows,     assets,
                      fonts, settings, files, app_name,    kLogFileName};
    return game(platform);
  } catch (const AssetError& e) {
    return Fail(&message_box, app_name, e.what());
  } catch (const std::exception& e) {
    return Fail(nullptr, app_name, e.what());
  }
}

}  // namespace qz
