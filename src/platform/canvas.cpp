#include "platform/canvas.h"

#include <algorithm>

namespace qz {
namespace {

constexpr std::uint32_t kEtchShadow = 0x808080;
constexpr std::uint32_t kEtchLight = 0xFFFFFF;

std::uint32_t Blend(std::uint32_t dst, std::uint32_t src, std::uint8_t coverage) {
  if (coverage == 255)
    return src;
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int d = static_cast<int>((dst >> shift) & 0xFF);
    const int s = static_cast<int>((src >> shift) & 0xFF);
    const int c = d + ((s - d) * coverage + 127) / 255;
    out |= static_cast<std::uint32_t>(c) << shift;
  }
  return out;
}

}  // namespace

Canvas::Canvas(int width, int height, int scale)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      scale_(std::max(scale, 1)),
      clip_{0, 0, width_, height_},
      own_(static_cast<size_t>(width_) * scale_ * height_ * scale_, 0),
      pixels_(own_.data()),
      stride_(width_ * scale_) {}

void Canvas::UseLentPixels(std::uint32_t* pixels, int stride) {
  pixels_ = pixels;
  stride_ = stride;
  own_.clear();
  own_.shrink_to_fit();
}

void Canvas::UseOwnPixels() {
  own_.assign(static_cast<size_t>(PixelWidth()) * PixelHeight(), 0);
  pixels_ = own_.data();
  stride_ = PixelWidth();
}

std::vector<std::uint32_t> Canvas::Snapshot() const {
  std::vector<std::uint32_t> copy;
  copy.reserve(static_cast<size_t>(PixelWidth()) * PixelHeight());
  for (int py = 0; py < PixelHeight(); ++py)
    copy.insert(copy.end(), Row(py), Row(py) + PixelWidth());
  return copy;
}

std::uint32_t Canvas::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return 0;
  return Row(y * scale_)[static_cast<size_t>(x) * scale_];
}

void Canvas::SetClip(const Rect& clip) {
  clip_ = clip.Intersect({0, 0, width_, height_});
}

void Canvas::ResetClip() {
  clip_ = {0, 0, width_, height_};
}

void Canvas::FillRect(const Rect& r, ColorRef color) {
  const Rect area = r.Intersect(clip_);
  if (area.Empty())
    return;
  const std::uint32_t pixel = ToPixel(color);
  for (int py = area.top * scale_; py < area.bottom * scale_; ++py) {
    std::uint32_t* row = pixels_ + static_cast<size_t>(py) * stride_;
    std::fill(row + area.left * scale_, row + area.right * scale_, pixel);
  }
}

void Canvas::DrawBitmap(const Bitmap& bitmap, int x, int y) {
  DrawBitmapStretched(bitmap, Rect::FromSize(x, y, bitmap.width, bitmap.height));
}

void Canvas::DrawBitmapStretched(const Bitmap& bitmap, const Rect& dest) {
  if (bitmap.width <= 0 || bitmap.height <= 0 || dest.Empty())
    return;
  if (bitmap.pixels.size() < static_cast<size_t>(bitmap.width) * bitmap.height)
    return;
  const Rect area = dest.Intersect(clip_);
  if (area.Empty())
    return;
  const size_t stride = static_cast<size_t>(stride_);
  // Sampled per logical pixel, then enlarged by whole pixels, so a picture looks the same at
  // every scale. The whole window is drawn this way at every frame, so the source column of
  // each output column is worked out once, and each output row is built once and copied.
  const int columns = area.Width();
  column_scratch_.resize(static_cast<size_t>(columns));
  for (int i = 0; i < columns; ++i) {
    column_scratch_[static_cast<size_t>(i)] = static_cast<int>(
        static_cast<long long>(area.left + i - dest.left) * bitmap.width / dest.Width());
  }
  const size_t row_pixels = static_cast<size_t>(columns) * scale_;
  for (int ly = area.top; ly < area.bottom; ++ly) {
    const int sy =
        static_cast<int>(static_cast<long long>(ly - dest.top) * bitmap.height / dest.Height());
    const std::uint32_t* source = bitmap.pixels.data() + static_cast<size_t>(sy) * bitmap.width;
    std::uint32_t* first = pixels_ + static_cast<size_t>(ly * scale_) * stride + area.left * scale_;
    if (scale_ == 1 && dest.Width() == bitmap.width) {
      // Natural size on a scale-1 canvas: the row is a plain copy.
      std::copy(source + column_scratch_[0], source + column_scratch_[0] + columns, first);
    } else {
      std::uint32_t* out = first;
      for (int i = 0; i < columns; ++i) {
        const std::uint32_t pixel = source[column_scratch_[static_cast<size_t>(i)]];
        for (int dx = 0; dx < scale_; ++dx)
          *out++ = pixel;
      }
    }
    for (int dy = 1; dy < scale_; ++dy) {
      std::copy(first, first + row_pixels, first + static_cast<size_t>(dy) * stride);
    }
  }
}

void Canvas::DrawText(Font& font, std::string_view utf8, const Rect& box, HAlign h, VAlign v,
                      ColorRef color) {
  const Rect logical_area = box.Intersect(clip_);
  if (logical_area.Empty() || utf8.empty())
    return;
  const TextMask mask = font.Render(utf8);
  if (mask.width <= 0 || mask.height <= 0)
    return;
  if (mask.coverage.size() < static_cast<size_t>(mask.width) * mask.height)
    return;

  // The mask is in output pixels: place and clip it at output resolution.
  const Rect out_box{box.left * scale_, box.top * scale_, box.right * scale_, box.bottom * scale_};
  const Rect out_area{logical_area.left * scale_, logical_area.top * scale_,
                      logical_area.right * scale_, logical_area.bottom * scale_};
  int x0 = out_box.left;
  if (h == HAlign::kCenter)
    x0 = out_box.left + (out_box.Width() - mask.width) / 2;
  if (h == HAlign::kRight)
    x0 = out_box.right - mask.width;
  int y0 = out_box.top;
  if (v == VAlign::kCenter)
    y0 = out_box.top + (out_box.Height() - mask.height) / 2;

  const Rect drawn = Rect::FromSize(x0, y0, mask.width, mask.height).Intersect(out_area);
  if (drawn.Empty())
    return;
  const std::uint32_t pixel = ToPixel(color);
  for (int py = drawn.top; py < drawn.bottom; ++py) {
    const std::uint8_t* cover = &mask.coverage[static_cast<size_t>(py - y0) * mask.width];
    std::uint32_t* out = pixels_ + static_cast<size_t>(py) * stride_;
    for (int px = drawn.left; px < drawn.right; ++px) {
      const std::uint8_t c = cover[px - x0];
      if (c != 0)
        out[px] = Blend(out[px], pixel, c);
    }
  }
}

void Canvas::DrawEtchedEdge(const Rect& r) {
  if (r.Width() < 2 || r.Height() < 2)
    return;
  auto frame = [this](const Rect& f, std::uint32_t pixel) {
    const ColorRef color = Rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    FillRect({f.left, f.top, f.right, f.top + 1}, color);
    FillRect({f.left, f.bottom - 1, f.right, f.bottom}, color);
    FillRect({f.left, f.top, f.left + 1, f.bottom}, color);
    FillRect({f.right - 1, f.top, f.right, f.bottom}, color);
  };
  // Shadow first, light one pixel down and right over it: the groove of an etched frame.
  frame({r.left, r.top, r.right - 1, r.bottom - 1}, kEtchShadow);
  frame({r.left + 1, r.top + 1, r.right, r.bottom}, kEtchLight);
}

}  // namespace qz
