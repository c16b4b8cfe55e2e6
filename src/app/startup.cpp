#include "app/startup.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "app/cadet_chooser_dlg.h"
#include "app/cadet_start.h"
#include "app/single_instance.h"
#include "app/window_mode.h"
#include "platform/posix/folder_asset_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/posix_file_appender.h"
#include "platform/posix/posix_record_folder.h"
#include "platform/refused_settings_store.h"
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

// The chooser reads and writes no settings: the cadet's are read once chosen.
class NoSettings : public SettingsStore {
 public:
  std::string GetString(std::string_view, std::string_view, std::string_view fallback) override {
    return std::string(fallback);
  }
  int GetInt(std::string_view, std::string_view, int fallback) override { return fallback; }
  void WriteString(std::string_view, std::string_view, std::string_view) override {}
  void WriteInt(std::string_view, std::string_view, int) override {}
  bool Save(std::string*) override { return true; }
};

// Makes the new cadet's record with the name and birth date given, before the game reads it;
// the belt then follows the age, as for any first run. Exit status 1 when it cannot be made
// (said in a box).
CadetStart MakeNewCadet(Platform& platform, CadetRoster& roster, RecordFolder& records,
                        const NewCadetEntry& entry) {
  std::string error;
  CadetStart start = StartNewCadet(roster, records, &error);
  if (start.m_nExitStatus >= 0) {
    Fail(&platform.message_box, platform.app_name, "cannot add a cadet: " + error);
    return start;
  }
  IniSettingsStore store(start.m_strSettingsPath);
  store.WriteString(kVersionText, "CadetName", entry.m_strName);
  store.WriteInt(kVersionText, "BDateDay", entry.m_nDay);
  store.WriteInt(kVersionText, "BDateMonth", entry.m_nMonth);
  store.WriteInt(kVersionText, "BDateYear", entry.m_nYear);
  if (!store.Save(&error)) {
    Fail(&platform.message_box, platform.app_name, "cannot add a cadet: " + error);
    return CadetStart{"", "", 1};
  }
  return start;
}

// New cadet, then that cadet's record; exit status 0, and no cadet made, when the player
// closes the box.
CadetStart AskNewCadet(Platform& platform, CadetRoster& roster, RecordFolder& records) {
  CNewCadetDlg form(platform);
  const int result = form.RunModal();
  if (result == -1)
    throw std::runtime_error("cannot build the window New cadet: " + form.LastError());
  if (result != kIdOk)
    return CadetStart{"", "", 0};
  return MakeNewCadet(platform, roster, records, form.Entry());
}

// Who is training?, then the record of the cadet chosen, or of the new cadet made with the
// name and birth date given; exit status 0 when the player leaves.
CadetStart ChooseCadet(Platform& platform, CadetRoster& roster, RecordFolder& records) {
  CCadetChooserDlg chooser(platform, roster);
  const int result = chooser.RunModal();
  if (result == -1)
    throw std::runtime_error("cannot build the window Who is training?: " + chooser.LastError());
  if (result == CCadetChooserDlg::kChoseCadet)
    return StartOf(roster, records, chooser.ChosenIndex());
  if (result != CCadetChooserDlg::kChoseNewCadet)
    return CadetStart{"", "", 0};
  return MakeNewCadet(platform, roster, records, chooser.NewCadet());
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

int RunApplication(int argc, char** argv, const CommandLine& line,
                   const std::function<int(Platform&)>& game) {
  const char* argv0 = argc > 0 ? argv[0] : nullptr;
  const std::string app_name = ApplicationName(argv0);

  const std::filesystem::path first_settings_path = IniSettingsStore::DefaultPath(app_name);
  PosixRecordFolder records(first_settings_path.parent_path().string());
  CadetRoster roster(records, app_name);
  CadetStart start;
  if (line.m_cadetChoice != CadetChoice::kNew) {
    start = ResolveNamedCadet(roster, records, line, app_name, stderr);
    if (start.m_nExitStatus >= 0)
      return start.m_nExitStatus;
  }

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

  try {
    FolderAssetStore assets(*asset_dir);
    SdlFontSource fonts;
    SdlClock clock;
    SdlWindowSystem windows;
    SdlEventQueue events(windows);
    SdlSoundPlayer sound(assets, clock);
    PosixFileAppender files;

    if (start.m_strSettingsPath.empty()) {
      NoSettings no_settings;
      Platform asking{clock, events,      sound, message_box, windows,     assets,
                      fonts, no_settings, files, app_name,    kLogFileName};
      start = line.m_cadetChoice == CadetChoice::kNew ? AskNewCadet(asking, roster, records)
                                                      : ChooseCadet(asking, roster, records);
      if (start.m_nExitStatus >= 0)
        return start.m_nExitStatus;
    }

    const std::string settings_path = start.m_strSettingsPath;
    const SingleInstance instance = ClaimSingleInstance(app_name, settings_path);
    if (!instance.m_strRefusal.empty())
      return Fail(&message_box, app_name, instance.m_strRefusal);
    SayIfUnlocked(instance, app_name, message_box);

    IniSettingsStore file_settings(settings_path);
    RefusedSettingsStore refused_settings(file_settings, start.m_strRefusal);
    SettingsStore& settings =
        start.m_strRefusal.empty() ? static_cast<SettingsStore&>(file_settings) : refused_settings;
    ChooseWindowMode(windows, settings, line.m_windowChoice, app_name);
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
