#include "layout/placement.h"

#include <algorithm>

namespace {

// The start of a span of `size` moved as little as needed to lie within [low, high); a span
// longer than that starts at low.
int PushInto(int start, int size, int low, int high) {
    start = std::min(start, high - size);
    return std::max(start, low);
}

ScreenRect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

}  // namespace

ScreenRect PlaceBeside(const ScreenRect& anchor, int width, int height, int minWidth, int gap,
                       const ScreenRect& work) {
    width = std::min(width, work.Width());
    height = std::min(height, work.Height());
    const int roomRight = work.right - (anchor.right + gap);
    const int roomLeft = (anchor.left - gap) - work.left;
    bool onLeft = width > roomRight && width <= roomLeft;
    if (width > roomRight && width > roomLeft) {
        onLeft = roomLeft > roomRight;
        width = std::clamp(std::max(roomLeft, roomRight), std::min(minWidth, width), width);
    }
    int x = onLeft ? anchor.left - gap - width : anchor.right + gap;
    x = PushInto(x, width, work.left, work.right);
    const int y = PushInto(anchor.top, height, work.top, work.bottom);
    return At(x, y, width, height);
}

ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& work) {
    const int width = window.Width();
    const int height = window.Height();
    return At(PushInto(window.left, width, work.left, work.right), PushInto(window.top, height, work.top, work.bottom),
              width, height);
}

ScreenRect KeepGrownInside(const ScreenRect& before, const ScreenRect& grown, const ScreenRect& work) {
    const bool wasInside = before.left >= work.left && before.top >= work.top && before.right <= work.right &&
                           before.bottom <= work.bottom;
    return wasInside ? MoveInside(grown, work) : grown;
}

ScreenRect PlaceBelow(const ScreenRect& anchor, int width, int height, int gap, const ScreenRect& work) {
    width = std::min(width, work.Width());
    height = std::min(height, work.Height());
    int y = anchor.bottom + gap;
    if (y + height > work.bottom && anchor.top - gap - height >= work.top) y = anchor.top - gap - height;
    y = PushInto(y, height, work.top, work.bottom);
    const int x = PushInto(anchor.left, width, work.left, work.right);
    return At(x, y, width, height);
}
