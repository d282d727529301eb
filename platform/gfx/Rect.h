#pragma once

namespace dd {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Right and bottom edges are exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    // Projected edges wrap at 32 bits; the size wraps with them instead of overflowing.
    int Width() const { return Span(Left, Right); }
    int Height() const { return Span(Top, Bottom); }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    // The same area with Left <= Right and Top <= Bottom.
    TRect Normalized() const;
    bool operator==(const TRect&) const = default;

private:
    static int Span(int from, int to) {
        return static_cast<int>(static_cast<unsigned>(to) - static_cast<unsigned>(from));
    }
};

inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// True only for a non-empty intersection; `dest` is empty otherwise.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty one adds nothing. False when both are empty.
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);

} // namespace dd
