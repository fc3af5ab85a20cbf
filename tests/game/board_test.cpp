#include "vantle/game/board.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "vantle/core/ptr.h"

namespace {

using Grid = game::Board<int>;

// Counts its living instances, so a test sees when the grid lets go of one.
struct Counted {
    static int alive;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};
int Counted::alive = 0;

TEST(GridTemplate, AccessOutsideTheGridThrowsAndInsideReachesEveryElement) {
    Grid grid(3, 2);
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{-1, 0, false}, {0, -1, false}, {3, 0, false}, {0, 2, false},
                          {0, 0, true},   {2, 1, true},   {2, 0, true},  {0, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")");
        EXPECT_EQ(grid.Contains(c.x, c.y), c.inside);
        if (c.inside) {
            grid.Set(c.x, c.y, c.x * 10 + c.y);
            EXPECT_EQ(grid.Get(c.x, c.y), c.x * 10 + c.y);
        } else {
            EXPECT_THROW(grid.Get(c.x, c.y), Grid::BadBoardCoordinatesException);
            EXPECT_THROW(grid.Set(c.x, c.y, 1), Grid::BadBoardCoordinatesException);
        }
    }
}

TEST(GridTemplate, ElementsStartValueInitialisedAndAreStoredApart) {
    game::Board<bool> flags(4, 3);
    for (int x = 0; x < flags.width; ++x) {
        for (int y = 0; y < flags.height; ++y) EXPECT_FALSE(flags.Get(x, y));
    }
    flags.Get(3, 2) = true;
    EXPECT_TRUE(flags.Get(3, 2));
    EXPECT_FALSE(flags.Get(2, 2));
    EXPECT_FALSE(flags.Get(3, 1));
}

TEST(GridTemplate, AnEmptyOrNegativeGridRefusesEveryAccess) {
    for (const auto& size : {std::make_pair(0, 5), std::make_pair(5, 0), std::make_pair(-2, 3)}) {
        SCOPED_TRACE(std::to_string(size.first) + " by " + std::to_string(size.second));
        Grid grid(size.first, size.second);
        EXPECT_GE(grid.width, 0);
        EXPECT_GE(grid.height, 0);
        EXPECT_THROW(grid.Get(0, 0), Grid::BadBoardCoordinatesException);
    }
}

TEST(GridTemplate, SettingAnEmptyPointerReleasesTheGridsReference) {
    game::Board<core::ptr<Counted>> grid(2, 2);
    {
        core::ptr<Counted> held(new Counted());
        grid.Set(1, 1, held);
        EXPECT_EQ(held.use_count(), 2);
    }
    EXPECT_EQ(Counted::alive, 1);
    grid.Set(1, 1, core::ptr<Counted>());
    EXPECT_EQ(Counted::alive, 0);
}

TEST(GridTemplate, DestroyingTheGridReleasesEveryElement) {
    {
        game::Board<core::ptr<Counted>> grid(3, 3);
        grid.Set(0, 0, core::ptr<Counted>(new Counted()));
        grid.Set(2, 2, core::ptr<Counted>(new Counted()));
        EXPECT_EQ(Counted::alive, 2);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(GridTemplate, AllocMakesStorageForASizeTheOwnerSet) {
    Grid grid;
    grid.width = 2;
    grid.height = 3;
    // Until Alloc the storage is still 0 by 0: nothing may be reached.
    EXPECT_THROW(grid.Get(1, 2), Grid::BadBoardCoordinatesException);
    grid.Alloc();
    grid.Set(1, 2, 7);
    EXPECT_EQ(grid.Get(1, 2), 7);
}

TEST(GridTemplate, ACopyHasElementsOfItsOwn) {
    Grid original(2, 2);
    original.Set(1, 0, 5);
    Grid copy(original);
    copy.Set(1, 0, 6);
    EXPECT_EQ(original.Get(1, 0), 5);
    EXPECT_EQ(copy.Get(1, 0), 6);
    original = copy;
    EXPECT_EQ(original.Get(1, 0), 6);
}

}  // namespace
