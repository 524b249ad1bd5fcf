#include "layout/placement.h"

#include <gtest/gtest.h>

#include <ostream>

std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// An 800 x 600 screen whose task bar takes the bottom 30 pixels.
constexpr ScreenRect kWork{0, 0, 800, 570};
constexpr int kGap = 4;

// A window of width x height placed against the anchor lands on `placed`.
struct PlacementRow {
    const char* label;
    ScreenRect anchor;
    int width;
    int height;
    ScreenRect placed;
};

TEST(PlaceBeside, RightOfTheAnchorElseLeftElseTheRoomierSideNarrowedToItsRoom) {
    constexpr int kMinWidth = 300;
    const PlacementRow kRows[] = {
        {"room on the right", {10, 20, 160, 200}, 500, 400, {164, 20, 664, 420}},
        {"exactly room on the right", {10, 20, 160, 200}, 636, 400, {164, 20, 800, 420}},
        {"no room right, room left", {600, 50, 750, 230}, 500, 400, {96, 50, 596, 450}},
        {"no room either side, more on the left: narrowed", {500, 50, 650, 230}, 600, 400, {0, 50, 496, 450}},
        {"no room either side, more on the right: narrowed", {150, 50, 300, 230}, 600, 400, {304, 50, 800, 450}},
        {"less room than the narrowest: covers what it lacks", {250, 50, 550, 230}, 600, 400, {500, 50, 800, 450}},
        {"too low: pushed up", {10, 400, 160, 580}, 500, 400, {164, 170, 664, 570}},
        {"anchor above the screen: pushed down", {10, -100, 160, 80}, 500, 400, {164, 0, 664, 400}},
        {"larger than the work area: beside, cut to it", {10, 20, 160, 200}, 900, 700, {164, 0, 800, 570}},
        {"anchor off the right edge", {900, 20, 1050, 200}, 500, 400, {300, 20, 800, 420}},
    };
    for (const PlacementRow& row : kRows) {
        EXPECT_EQ(PlaceBeside(row.anchor, row.width, row.height, kMinWidth, kGap, kWork), row.placed) << row.label;
    }
}

TEST(PlaceBelow, UnderTheAnchorElseAbovePushedOnScreen) {
    const PlacementRow kRows[] = {
        {"room below", {100, 100, 180, 120}, 200, 60, {100, 124, 300, 184}},
        {"no room below: above", {100, 500, 180, 520}, 200, 60, {100, 436, 300, 496}},
        {"no room either way: pushed up", {100, 40, 180, 530}, 200, 60, {100, 510, 300, 570}},
        {"near the right edge: pushed left", {700, 100, 780, 120}, 200, 60, {600, 124, 800, 184}},
        {"left of the screen: pushed right", {-50, 100, 30, 120}, 200, 60, {0, 124, 200, 184}},
    };
    for (const PlacementRow& row : kRows) {
        EXPECT_EQ(PlaceBelow(row.anchor, row.width, row.height, kGap, kWork), row.placed) << row.label;
    }
}

TEST(MoveInside, AsLittleAsNeededSizeKept) {
    const struct {
        const char* label;
        ScreenRect window;
        ScreenRect placed;
    } kRows[] = {
        {"inside: unchanged", {10, 20, 160, 220}, {10, 20, 160, 220}},
        {"off the right: pushed left", {5000, 100, 5150, 300}, {650, 100, 800, 300}},
        {"off the top left: pushed down and right", {-5000, -40, -4850, 160}, {0, 0, 150, 200}},
        {"taller than the work area: top on it", {10, 100, 160, 900}, {10, 0, 160, 800}},
    };
    for (const auto& row : kRows) EXPECT_EQ(MoveInside(row.window, kWork), row.placed) << row.label;
}

}  // namespace

namespace {

TEST(KeepGrownInside, AWindowOnTheWorkAreaStaysOnItAndOneLeftOverAnEdgeStaysPut) {
    const struct {
        const char* label;
        ScreenRect before;
        ScreenRect grown;
        ScreenRect placed;
    } kRows[] = {
        {"room below: unchanged", {100, 100, 250, 300}, {100, 100, 250, 400}, {100, 100, 250, 400}},
        {"grown past the bottom: moved up", {100, 300, 250, 500}, {100, 300, 250, 620}, {100, 250, 250, 570}},
        {"grown taller than the work area: top on it", {100, 300, 250, 500}, {100, 300, 250, 900},
         {100, 0, 250, 600}},
        {"hanging over the bottom before: left there", {100, 500, 250, 700}, {100, 500, 250, 800},
         {100, 500, 250, 800}},
        {"shrunk: unchanged", {100, 300, 250, 560}, {100, 300, 250, 400}, {100, 300, 250, 400}},
    };
    for (const auto& row : kRows) EXPECT_EQ(KeepGrownInside(row.before, row.grown, kWork), row.placed) << row.label;
}

}  // namespace
