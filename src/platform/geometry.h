#pragma once

namespace qz {

// Points and rectangles in logical canvas pixels (two per dialog unit). A rectangle holds
// its left and top edges but not its right and bottom ones.
struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool Empty() const { return right <= left || bottom <= top; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // Grown by `d` on every side.
  Rect Inflate(int d) const { return {left - d, top - d, right + d, bottom + d}; }
  Rect Intersect(const Rect& o) const;
  // The smallest rectangle holding both; an empty one adds nothing.
  Rect Union(const Rect& o) const;
  bool operator==(const Rect&) const = default;
};

inline Rect Rect::Intersect(const Rect& o) const {
  Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
         right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
  if (r.Empty())
    return {};
  return r;
}

inline Rect Rect::Union(const Rect& o) const {
  if (o.Empty())
    return *this;
  if (Empty())
    return o;
  return {left < o.left ? left : o.left, top < o.top ? top : o.top,
          right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
}

}  // namespace qz
