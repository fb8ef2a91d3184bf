/// @file
/// Toolkit geometry: points, sizes and rectangles in whole pixels at 96 dpi.
#pragma once
#pragma GCC visibility push(default)

#include <algorithm>
#include <climits>
#include <cstdint>

struct TPoint {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

/// A rectangle by its top-left corner and its size; Right and Bottom lie just outside it.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  constexpr int Right() const { return Left + Width; }
  constexpr int Bottom() const { return Top + Height; }
  constexpr bool Empty() const { return Width <= 0 || Height <= 0; }
  constexpr TSize Size() const { return {Width, Height}; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right() && p.Y >= Top && p.Y < Bottom(); }
  /// Whether other lies wholly inside this rectangle (an empty one anywhere on or inside it).
  constexpr bool Encloses(const TRect& other) const {
    return other.Left >= Left && other.Top >= Top && other.Right() <= Right() && other.Bottom() <= Bottom();
  }
  constexpr bool Intersects(const TRect& other) const {
    return !Empty() && !other.Empty() && other.Left < Right() && Left < other.Right() && other.Top < Bottom() &&
           Top < other.Bottom();
  }
  /// Moved in by the given amounts on each side; never narrower or lower than 0.
  constexpr TRect Inset(int left, int top, int right, int bottom) const {
    return {Left + left, Top + top, std::max(0, Width - left - right), std::max(0, Height - top - bottom)};
  }
  constexpr TRect Inset(int all) const { return Inset(all, all, all, all); }
  constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Width, Height}; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

/// "No limit" for a preferred size's maximum width.
constexpr int KNoWidthLimit = INT_MAX;

/// The largest width or height that layout gives a control, and the farthest that its edges reach
/// (the native backend's widgets take no more). Text measured or sizes configured beyond it are
/// held to it, so that no sum of positions and sizes leaves the range of int.
constexpr int MaxControlExtent = 16777215;

/// A sum or product of pixel sizes, reckoned in 64 bits, held to the largest extent either way.
constexpr int ClampPixels(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -std::int64_t{MaxControlExtent}, MaxControlExtent));
}

#pragma GCC visibility pop
