#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"

namespace qz {

enum class HAlign { kLeft, kCenter, kRight };
enum class VAlign { kTop, kCenter };

// The software drawing surface of one window: a logical width x height canvas stored at an
// integer scale. Every coordinate given to it is logical; pictures are enlarged by whole
// pixels, text is drawn by a font opened for the same scale so it stays sharp.
//
// Its output pixels live in a buffer of its own, or in memory lent by the window system (the
// window's own framebuffer, so nothing is kept twice and nothing copied to show a frame).
class Canvas {
 public:
  // A canvas with its own pixels, all black.
  Canvas(int width, int height, int scale);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Draws into `pixels` from now on: PixelHeight() rows of at least PixelWidth() pixels,
  // `stride` pixels apart, which the caller keeps alive until it calls this again or
  // UseOwnPixels. The pixels drawn so far are not carried over.
  void UseLentPixels(std::uint32_t* pixels, int stride);
  // Back to a buffer of its own (all black).
  void UseOwnPixels();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Scale() const { return scale_; }
  int PixelWidth() const { return width_ * scale_; }
  int PixelHeight() const { return height_ * scale_; }
  // Output pixels are 0x00RRGGBB, rows Stride() pixels apart.
  const std::uint32_t* Row(int py) const { return pixels_ + static_cast<size_t>(py) * stride_; }
  int Stride() const { return stride_; }
  // A copy of every output pixel, row after row, PixelWidth() to a row.
  std::vector<std::uint32_t> Snapshot() const;
  // The output pixel at the top left of logical pixel (x, y).
  std::uint32_t PixelAt(int x, int y) const;

  // Drawing is limited to the clip rectangle (the whole canvas unless set).
  void SetClip(const Rect& clip);
  void ResetClip();
  const Rect& Clip() const { return clip_; }

  void FillRect(const Rect& r, ColorRef color);
  void DrawBitmap(const Bitmap& bitmap, int x, int y);
  void DrawBitmapStretched(const Bitmap& bitmap, const Rect& dest);
  // One line of text inside `box` (also clipped to it), blended over what is there.
  void DrawText(Font& font, std::string_view utf8, const Rect& box, HAlign h, VAlign v,
                ColorRef color);
  // A sunken-then-raised double line around `r`, as a classic etched frame.
  void DrawEtchedEdge(const Rect& r);

 private:
  int width_;
  int height_;
  int scale_;
  Rect clip_;
  std::vector<std::uint32_t> own_;
  std::uint32_t* pixels_;  // own_, or the lent pixels
  int stride_;
  std::vector<int> column_scratch_;  // reused by DrawBitmapStretched
};

}  // namespace qz
