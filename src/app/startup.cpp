#include "app/startup.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <system_error>

#include "app/single_instance.h"
#include "app/window_mode.h"
#include "platform/posix/folder_asset_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/posix_file_appender.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_event_queue.h"
#include "platform/sdl/sdl_font_source.h"
#include "platform/sdl/sdl_message_box.h"
#include "platform/sdl/sdl_sound_player.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/sdl_window_system.h"
#include "profile/training_settings.h"
#include "records/session_log.h"

namespace qz {
namespace {

constexpr const char* kSelfExe = "/proc/self/exe";
constexpr const char* kFallbackName = "quizendo";

std::optional<std::filesystem::path> SelfPath() {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink(kSelfExe, ec);
  if (ec || self.empty())
    return std::nullopt;
  return self;
}

// Says what stops the game on stderr and, where possible, in a box.
int Fail(MessageBox* box, const std::string& app_name, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", app_name.c_str(), text.c_str());
  if (box != nullptr)
    box->Show(app_name, text, MessageIcon::kStop);
  return 1;
}

}  // namespace

std::string ApplicationName(const char* argv0) {
  std::optional<std::filesystem::path> self = SelfPath();
  if (self)
    return self->stem().string();
  if (argv0 != nullptr && *argv0 != '\0')
    return std::filesystem::path(argv0).stem().string();
  return kFallbackName;
}

std::filesystem::path ExecutableDir(const char* argv0) {
  std::optional<std::filesystem::path> self = SelfPath();
  if (self)
    return self->parent_path();
  std::error_code ec;
  const std::filesystem::path given = argv0 != nullptr ? argv0 : "";
  std::filesystem::path full = std::filesystem::absolute(given, ec);
  return ec ? std::filesystem::current_path() : full.parent_path();
}

int RunApplication(int argc, char** argv, WindowChoice window_choice,
                   const std::function<int(Platform&)>& game) {
  const char* argv0 = argc > 0 ? argv[0] : nullptr;
  const std::string app_name = ApplicationName(argv0);

  std::string error;
  std::unique_ptr<SdlVideo> video = SdlVideo::Start(&error);
  if (!video) {
    std::fprintf(stderr, "%s: cannot open a window: %s\n", app_name.c_str(), error.c_str());
    return 1;
  }
  SdlMessageBox message_box;
  const std::filesystem::path exe_dir = ExecutableDir(argv0);
  std::optional<std::filesystem::path> asset_dir = FolderAssetStore::Locate(exe_dir);
  if (!asset_dir) {
    return Fail(&message_box, app_name,
                "cannot find the game's files: " + (exe_dir / "assets").string());
  }

  const std::string settings_path = IniSettingsStore::DefaultPath(app_name);
  const SingleInstance instance = ClaimSingleInstance(app_name, settings_path);
  if (!instance.m_strRefusal.empty())
    return Fail(&message_box, app_name, instance.m_strRefusal);
  SayIfUnlocked(instance, app_name, message_box);

  try {
    FolderAssetStore assets(*asset_dir);
    SdlFontSource fonts;
    SdlClock clock;
    SdlWindowSystem windows;
    SdlEventQueue events(windows);
    SdlSoundPlayer sound(assets, clock);
    IniSettingsStore settings(settings_path);
    ChooseWindowMode(windows, settings, window_choice, app_name);
    PosixFileAppender files;
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
