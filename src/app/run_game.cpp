#include "app/run_game.h"

namespace qz {
namespace {

constexpr const char* kWindowTitle = "Quizendo";
constexpr const char* kBackground = "163";
constexpr int kWidth = 640;
constexpr int kHeight = 400;

}  // namespace

// Shows the main window's artwork until Escape or the close button; the main window proper
// takes this place.
int RunGame(Platform& platform) {
  const Bitmap& background = platform.assets.GetBitmap(kBackground);
  std::unique_ptr<NativeWindow> window =
      platform.windows.OpenWindow(kWindowTitle, kWidth, kHeight, nullptr, nullptr);
  window->GetCanvas().DrawBitmap(background, 0, 0);
  window->Present();
  for (;;) {
    Event e;
    if (!platform.events.Wait(e, kWaitForever))
      continue;
    if (e.type == EventType::kClose)
      return 0;
    if (e.type == EventType::kKeyDown && e.key == Key::kEscape)
      return 0;
    if (e.type == EventType::kExpose)
      window->Present();
  }
}

}  // namespace qz
