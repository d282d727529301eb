#include "platform/gfx/Rect.h"

#include <algorithm>

namespace dd {

TRect TRect::Normalized() const {
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right),
            std::max(Top, Bottom)};
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) {
        dest = {};
        return false;
    }
    dest = r;
    return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
    if (a.IsEmpty() && b.IsEmpty()) {
        dest = {};
        return false;
    }
    if (a.IsEmpty()) {
        dest = b;
        return true;
    }
    if (b.IsEmpty()) {
        dest = a;
        return true;
    }
    dest = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
    return true;
}

} // namespace dd
