#include "app/Placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

struct PlacementCase {
    const char* name;
    PlacementSettings stored;
    QRect expected;
};

TEST(Placement, StoredRectangleIsKeptUnlessItCannotBeSeen) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const PlacementCase cases[] = {
        {"defaults", {22, 22, 600, 400}, {22, 22, 600, 400}},
        {"on the second screen", {2000, 100, 800, 600}, {2000, 100, 800, 600}},
        {"partly off the edge", {1800, 900, 600, 400}, {1800, 900, 600, 400}},
        {"zero size from a bad value", {22, 22, 0, 0}, {22, 22, kMinWindowSize.width(), kMinWindowSize.height()}},
        {"off every screen", {5000, 3000, 600, 400}, {22, 22, 600, 400}},
        {"negative, off every screen", {-2000, -900, 600, 400}, {22, 22, 600, 400}},
        {"larger than the screens together", {0, 0, 5000, 3000}, {0, 0, 3200, 1080}},
        // Hand-edited extremes: brought into range before anything is added up.
        {"all at the int maximum", {kIntMax, kIntMax, kIntMax, kIntMax}, {22, 22, 3200, 1080}},
        {"all at the int minimum", {kIntMin, kIntMin, kIntMin, kIntMin}, {22, 22, 240, 160}},
        {"largest size at the default place", {22, 22, kIntMax, kIntMax}, {22, 22, 3200, 1080}},
        {"left edge just below the maximum", {kIntMax - 10, 22, 600, 400}, {22, 22, 600, 400}},
        {"top at the minimum, largest height", {22, kIntMin, 600, kIntMax}, {22, 22, 600, 1080}},
    };
    for (const PlacementCase& c : cases) EXPECT_EQ(UsablePlacement(c.stored, screens), c.expected) << c.name;
}

TEST(Placement, LostWindowMovesToTheFirstScreensCorner) {
    const QList<QRect> screens{QRect(100, 50, 800, 600)};
    EXPECT_EQ(UsablePlacement({-900, 0, 300, 200}, screens), QRect(122, 72, 300, 200));
    EXPECT_EQ(UsablePlacement({-900, 0, 300, 200}, {}), QRect(-900, 0, 300, 200)) << "no screen known";
    const QRect unknownScreens = UsablePlacement({kIntMin, kIntMax, kIntMax, kIntMin}, {});
    EXPECT_TRUE(unknownScreens.isValid()) << "no screen known, extreme values";
    EXPECT_EQ(unknownScreens.height(), kMinWindowSize.height());
}

}  // namespace
