#pragma once
// Where a secondary window goes: beside or below the window it belongs to, and wholly inside
// the work area of the monitor (the screen without its task bar). Screen coordinates in
// pixels; right and bottom lie just outside the rectangle, as in Win32's RECT.

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// A width x height window beside anchor, gap pixels away, top edges level: on the right when
// it fits there, else on the left when it fits there, else on the roomier side, narrowed to the
// room there but not below minWidth, and pushed into the work area, so that it covers the
// anchor only by what minWidth lacks. A window larger than the work area is cut to it.
ScreenRect PlaceBeside(const ScreenRect& anchor, int width, int height, int minWidth, int gap,
                       const ScreenRect& work);

// The window moved as little as needed to lie inside the work area, its size kept; a window
// larger than the work area starts at its left or top edge.
ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& work);

// A window that grew from `before` to `grown` (its top-left corner kept): moved inside the work
// area as MoveInside moves it when it lay wholly inside before; left where it is otherwise, as
// a window that the user put partly off the work area keeps that place.
ScreenRect KeepGrownInside(const ScreenRect& before, const ScreenRect& grown, const ScreenRect& work);

// A width x height popup under anchor (a control), gap pixels away, left edges level; above the
// anchor when there is no room below; pushed into the work area.
ScreenRect PlaceBelow(const ScreenRect& anchor, int width, int height, int gap, const ScreenRect& work);
