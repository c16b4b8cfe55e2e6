#include "profile/setup_panel.h"

namespace qz {
namespace {

constexpr char kArtwork[] = "175";

}  // namespace

CSetupPanel::CSetupPanel(Platform& platform, TrainingSettings& settings)
    : Dialog(platform, kTemplateId), m_settings(settings) {}

void CSetupPanel::OnPaint(Canvas& canvas, const Rect& client) {
  const Bitmap* artwork = FindPicture(kArtwork);
  if (artwork == nullptr) {
    canvas.FillRect(client, Rgb(0, 0, 0));
    return;
  }
  canvas.DrawBitmap(*artwork, client.left, client.top);
}

}  // namespace qz
