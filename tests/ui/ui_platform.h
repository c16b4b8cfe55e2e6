#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "platform/posix/folder_asset_store.h"
#include "platform/posix/posix_file_appender.h"
#include "platform/settings_store.h"
#include "support/media_bytes.h"
#include "support/scratch_dir.h"
#include "support/test_fonts.h"

namespace qz {

// Settings kept in memory: windows under test that read none.
class MemorySettings : public SettingsStore {
 public:
  std::string GetString(std::string_view, std::string_view name,
                        std::string_view fallback) override {
    auto it = values.find(std::string(name));
    return it == values.end() ? std::string(fallback) : it->second;
  }
  int GetInt(std::string_view section, std::string_view name, int fallback) override {
    const std::string text = GetString(section, name, "");
    return text.empty() ? fallback : std::stoi(text);
  }
  void WriteString(std::string_view, std::string_view name, std::string_view value) override {
    values[std::string(name)] = value;
  }
  void WriteInt(std::string_view section, std::string_view name, int value) override {
    WriteString(section, name, std::to_string(value));
  }
  bool Save(std::string*) override { return true; }
  std::map<std::string, std::string> values;
};

// A headless platform over a scratch assets folder that the test fills with templates and
// pictures of its own.
struct UiPlatform {
  UiPlatform()
      : assets(dir.Path()),
        headless(&assets, 1),
        platform{headless,
                 headless,
                 headless,
                 headless,
                 headless,
                 assets,
                 test::TestFonts(),
                 settings,
                 files,
                 "quizendo",
                 dir.Path() / "qz.log"} {
    headless.SetTimeLimitMs(600000);
  }
  void Template(int id, const std::string& text) {
    dir.Write(std::to_string(id) + ".dlg", std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  void Picture(const std::string& name, int width, int height, std::uint32_t pixel) {
    dir.Write(name + ".bmp", test::SolidBmp(width, height, pixel));
  }

  test::ScratchDir dir;
  FolderAssetStore assets;
  HeadlessPlatform headless;
  MemorySettings settings;
  PosixFileAppender files;
  Platform platform;
};

}  // namespace qz
