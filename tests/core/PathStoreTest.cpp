// PathStoreTest.cpp: the derived corner structure, point lookup, appending and axis extension.
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "core/PathStore.h"
#include "core/RunErrors.h"
#include "support/PuzzleRig.h"

namespace {

// The derived fields of one point, for comparing whole paths at once.
struct Derived {
    int Dir, Kind, PrevCorner, NextCorner;
    bool operator==(const Derived&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Derived& d)
{
    return os << "{Dir " << d.Dir << ", Kind " << d.Kind << ", Prev " << d.PrevCorner
              << ", Next " << d.NextCorner << "}";
}

std::vector<Derived> DerivedOf(const TPathStore& s)
{
    std::vector<Derived> d;
    for (int i = 1; i <= s.PointCount(); ++i) {
        const PathPoint& p = s.WorkPath()[i];
        d.push_back({p.Dir, p.Kind, p.PrevCorner, p.NextCorner});
    }
    return d;
}

// A store whose arrays a test may set as no operation would.
class TStoreProbe : public TPathStore {
public:
    PathArray& Raw() { return workPath_; }
    void SetPointCount(std::uint8_t n) { pointCount_ = n; }
};

// Fills every derived field of every slot with a value no derivation writes,
// so a field that is not written shows up.
void PoisonDerived(TStoreProbe& s)
{
    for (PathPoint& p : s.Raw()) {
        p.Dir = 0xEE;
        p.Kind = 0xEE;
        p.PrevCorner = 0xEE;
        p.NextCorner = 0xEE;
    }
}

// A store on the heap holding `points`.
std::unique_ptr<TStoreProbe> StoreWith(const Coords& points)
{
    auto s = std::make_unique<TStoreProbe>();
    PlacePath(*s, points);
    return s;
}

} // namespace

// ---- DeriveStructure -------------------------------------------------------

TEST(DeriveStructure, OnePointIsAnEndWithoutDirectionOrChain)
{
    auto s = StoreWith({{0, 0}});
    PoisonDerived(*s);
    s->DeriveStructure();
    const PathPoint& p = s->WorkPath()[1];
    EXPECT_EQ(p.Dir, 0xEE) << "a single point has no step, so no direction is written";
    EXPECT_EQ(p.Kind, KindEnd);
    // The last-point step overwrites the first-point link: both apply to point 1.
    EXPECT_EQ(p.PrevCorner, 1);
    EXPECT_EQ(p.NextCorner, 0);
}

TEST(DeriveStructure, TwoPointsLinkToEachOther)
{
    auto s = StoreWith({{0, 0}, {0, -1}});
    PoisonDerived(*s);
    s->DeriveStructure();
    EXPECT_EQ(DerivedOf(*s), (std::vector<Derived>{{DirMinusY, KindEnd, 0, 2}, {0xEE, KindEnd, 1, 0}}));
}

TEST(DeriveStructure, EachUnitStepGetsItsDirectionCode)
{
    // Right, up, left, down, and once more left: every code, and a repeat.
    auto s = StoreWith({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 2}, {-1, 2}, {-1, 1}});
    s->DeriveStructure();
    const int expected[] = {DirPlusX, DirPlusY, DirMinusX, DirPlusY, DirMinusX, DirMinusY};
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(s->WorkPath()[i].Dir, expected[i - 1]) << "point " << i;
}

TEST(DeriveStructure, StraightPathsHaveNoCorner)
{
    for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}}) {
        SCOPED_TRACE(testing::Message() << "step " << dx << "," << dy);
        auto s = StoreWith(StraightPath(6, dx, dy));
        PoisonDerived(*s);
        s->DeriveStructure();
        const int dir = s->WorkPath()[1].Dir;
        std::vector<Derived> expected{{dir, KindEnd, 0, 6}};
        for (int i = 2; i <= 5; ++i)
            expected.push_back({dir, KindStraight, 1, 6});
        expected.push_back({0xEE, KindEnd, 1, 0});
        EXPECT_EQ(DerivedOf(*s), expected);
    }
}

TEST(DeriveStructure, LShapedPath)
{
    auto s = StoreWith({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}});
    PoisonDerived(*s);
    s->DeriveStructure();
    EXPECT_EQ(DerivedOf(*s), (std::vector<Derived>{
                                 {0, 0, 0, 3},
                                 {0, 1, 1, 3},
                                 {1, 2, 1, 5},
                                 {1, 1, 3, 5},
                                 {0xEE, 0, 3, 0},
                             }));
}

TEST(DeriveStructure, NeighbouringCornersLinkPastThemselves)
{
    // A staircase: every interior point is a corner, and each one's links point
    // to its neighbours, never to itself.
    auto s = StoreWith({{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}});
    s->DeriveStructure();
    EXPECT_EQ(DerivedOf(*s), (std::vector<Derived>{
                                 {0, 0, 0, 2},
                                 {1, 2, 1, 3},
                                 {0, 2, 2, 4},
                                 {1, 2, 3, 5},
                                 {s->WorkPath()[5].Dir, 0, 4, 0},
                             }));
}

TEST(DeriveStructure, FollowsCoordinatesAfterTheyChange)
{
    auto s = StoreWith({{0, 0}, {1, 0}, {2, 0}});
    s->DeriveStructure();
    ASSERT_EQ(s->WorkPath()[2].Kind, KindStraight);
    PlacePath(*s, {{0, 0}, {1, 0}, {1, 1}});
    s->DeriveStructure();
    EXPECT_EQ(s->WorkPath()[2].Dir, DirPlusY);
    EXPECT_EQ(s->WorkPath()[2].Kind, KindCorner);
    EXPECT_EQ(s->WorkPath()[1].NextCorner, 2);
    EXPECT_EQ(s->WorkPath()[3].PrevCorner, 2);
}

TEST(DeriveStructure, CornerChainOfAFullPathEndsAtPoint255)
{
    // A zigzag of 255 points: corners everywhere, and the chain reaches the
    // last slot without wrapping its 8-bit links.
    Coords zig{{0, 0}};
    for (int i = 1; i < MaxPoints; ++i)
        zig.emplace_back((i + 1) / 2, i / 2);
    auto s = StoreWith(zig);
    s->DeriveStructure();
    int visited = 0;
    for (int i = 1; i != 0 && i != MaxPoints && visited <= MaxPoints; i = s->WorkPath()[i].NextCorner)
        ++visited;
    EXPECT_EQ(visited, 254);
    EXPECT_EQ(s->WorkPath()[254].NextCorner, 255);
    EXPECT_EQ(s->WorkPath()[255].PrevCorner, 254);
    EXPECT_EQ(s->WorkPath()[255].Kind, KindEnd);
}

// ---- FindPoint ---------------------------------------------------------------

TEST(FindPoint, BoundZeroFindsNothingEvenAtTheOrigin)
{
    auto s = StoreWith({{0, 0}, {1, 0}});
    EXPECT_EQ(s->FindPoint(0, 0, 0), 0);
}

TEST(FindPoint, PointsAboveTheBoundAreNotSeen)
{
    auto s = StoreWith({{0, 0}, {1, 0}, {1, 1}});
    EXPECT_EQ(s->FindPoint(1, 1, 2), 0);
    EXPECT_EQ(s->FindPoint(1, 1, 3), 3);
    EXPECT_EQ(s->FindPoint(1, 0, 3), 2);
    EXPECT_EQ(s->FindPoint(0, 0, 3), 1);
    EXPECT_EQ(s->FindPoint(5, 5, 3), 0);
}

TEST(FindPoint, GivesTheHighestMatchingIndex)
{
    // The store takes points as given, so a repeated point can be looked up.
    auto s = StoreWith({{0, 0}, {7, 7}, {1, 0}, {7, 7}, {2, 0}});
    EXPECT_EQ(s->FindPoint(7, 7, 5), 4);
    EXPECT_EQ(s->FindPoint(7, 7, 3), 2);
}

TEST(FindPoint, ScansAFullPathFromSlot255)
{
    auto s = StoreWith(StraightPath(MaxPoints, 0, 1));
    EXPECT_EQ(s->FindPoint(0, 254, 255), 255);
    EXPECT_EQ(s->FindPoint(0, 253, 255), 254);
    EXPECT_EQ(s->FindPoint(0, 0, 255), 1);
    EXPECT_EQ(s->FindPoint(1, 0, 255), 0);
    EXPECT_EQ(s->FindPoint(0, 254, 254), 0);
}

TEST(FindPoint, BoundOutsideTheStoreIsARangeError)
{
    auto s = StoreWith({{0, 0}});
    EXPECT_THROW(s->FindPoint(0, 0, -1), ERangeError);
    EXPECT_THROW(s->FindPoint(0, 0, 256), ERangeError);
    try {
        s->FindPoint(0, 0, 256);
    } catch (const ERunError& e) {
        EXPECT_STREQ(e.what(), ERangeError().what());
    }
}

TEST(FindPoint, SelectPointAtSelectsThePointOrNone)
{
    auto rig = std::make_unique<PuzzleRig>();
    rig->Load(StraightPath(MaxPoints, 1, 0));
    const std::pair<LatticePoint, int> picks[] = {{{1, 0}, 2}, {{254, 0}, 255}, {{3, 3}, 0}};
    for (const auto& [at, pivot] : picks) {
        EXPECT_EQ(rig->Puzzle.SelectPointAt(at.X, at.Y), pivot);
        EXPECT_EQ(rig->Puzzle.SelectedPivot(), pivot);
    }
}

// ---- AppendPoint -------------------------------------------------------------

TEST(AppendPoint, AppendsANewPoint)
{
    auto s = StoreWith({{0, 0}, {1, 0}});
    EXPECT_EQ(s->AppendPoint(1, 1), AppendResult::Appended);
    EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {1, 0}, {1, 1}}));
}

TEST(AppendPoint, RefusesAPointOnThePath)
{
    auto s = StoreWith({{0, 0}, {1, 0}, {1, 1}});
    EXPECT_EQ(s->AppendPoint(0, 0), AppendResult::OnPath);
    EXPECT_EQ(s->PointCount(), 3);
    EXPECT_EQ(s->AppendPoint(1, 1), AppendResult::OnPath) << "the last point itself";
    EXPECT_EQ(s->PointCount(), 3);
    EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {1, 0}, {1, 1}}));
}

TEST(AppendPoint, IgnoresLeftoversBeyondTheEnd)
{
    // Slots past the end may hold an old path; only points 1..PointCount count.
    auto s = StoreWith({{0, 0}, {1, 0}, {2, 0}});
    s->SetPointCount(1);
    EXPECT_EQ(s->AppendPoint(2, 0), AppendResult::Appended);
    EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {2, 0}}));
}

TEST(AppendPoint, FullPathRefusesAndStaysUntouched)
{
    auto s = StoreWith(StraightPath(MaxPoints, 0, -1));
    const PathArray before = s->WorkPath();
    EXPECT_EQ(s->AppendPoint(1, -254), AppendResult::PathFull);
    EXPECT_EQ(s->AppendPoint(0, 5), AppendResult::PathFull);
    EXPECT_EQ(s->PointCount(), MaxPoints);
    EXPECT_TRUE(SameBytes(s->WorkPath(), before));
}

// ---- ExtendAlongAxis -------------------------------------------------------

TEST(ExtendAlongAxis, StopsBeforeThePathAndPullsTheTargetBack)
{
    auto s = StoreWith({{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {3, 1}, {3, 0}});
    std::int32_t toX = -2, toY = 0;
    EXPECT_EQ(s->ExtendAlongAxis(3, 0, toX, toY), AppendResult::OnPath);
    EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {3, 1},
                                      {3, 0}, {2, 0}, {1, 0}}));
    EXPECT_EQ(toX, 1);
    EXPECT_EQ(toY, 0);
}

TEST(ExtendAlongAxis, VerticalWalkCutShort)
{
    // Up from (1,-1) towards (1,3): (1,0) is free, (1,1) is on the path.
    auto s = StoreWith({{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 0}, {2, -1}, {1, -1}});
    std::int32_t toX = 1, toY = 3;
    EXPECT_EQ(s->ExtendAlongAxis(1, -1, toX, toY), AppendResult::OnPath);
    EXPECT_EQ(s->PointCount(), 8);
    EXPECT_EQ(WorkCoords(*s).back(), (std::pair<std::int32_t, std::int32_t>{1, 0}));
    EXPECT_EQ(toX, 1);
    EXPECT_EQ(toY, 0);
}

TEST(ExtendAlongAxis, FirstStepOnThePathLeavesTargetAtTheStart)
{
    const Coords u{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    {
        SCOPED_TRACE("vertical");
        auto s = StoreWith(u);
        std::int32_t toX = 0, toY = -3;
        EXPECT_EQ(s->ExtendAlongAxis(0, 1, toX, toY), AppendResult::OnPath);
        EXPECT_EQ(WorkCoords(*s), u);
        EXPECT_EQ(toX, 0);
        EXPECT_EQ(toY, 1);
    }
    {
        SCOPED_TRACE("horizontal");
        auto s = StoreWith(u);
        std::int32_t toX = 4, toY = 1;
        EXPECT_EQ(s->ExtendAlongAxis(0, 1, toX, toY), AppendResult::OnPath);
        EXPECT_EQ(WorkCoords(*s), u);
        EXPECT_EQ(toX, 0);
        EXPECT_EQ(toY, 1);
    }
}

TEST(ExtendAlongAxis, FreeWayAppendsEveryPointUpToTheTarget)
{
    {
        SCOPED_TRACE("down");
        auto s = StoreWith({{0, 0}, {1, 0}});
        std::int32_t toX = 1, toY = -3;
        EXPECT_EQ(s->ExtendAlongAxis(1, 0, toX, toY), AppendResult::Appended);
        EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {1, 0}, {1, -1}, {1, -2}, {1, -3}}));
        EXPECT_EQ(toX, 1);
        EXPECT_EQ(toY, -3);
    }
    {
        SCOPED_TRACE("left");
        auto s = StoreWith({{0, 0}, {0, 1}});
        std::int32_t toX = -2, toY = 1;
        EXPECT_EQ(s->ExtendAlongAxis(0, 1, toX, toY), AppendResult::Appended);
        EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {0, 1}, {-1, 1}, {-2, 1}}));
        EXPECT_EQ(toX, -2);
        EXPECT_EQ(toY, 1);
    }
}

TEST(ExtendAlongAxis, HorizontalWalkStaysOnTheStartRow)
{
    // The row comes from the start; the target's y is neither used nor changed.
    auto s = StoreWith({{0, 0}});
    std::int32_t toX = 2, toY = 9;
    EXPECT_EQ(s->ExtendAlongAxis(0, 0, toX, toY), AppendResult::Appended);
    EXPECT_EQ(WorkCoords(*s), (Coords{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(toX, 2);
    EXPECT_EQ(toY, 9);
}

TEST(ExtendAlongAxis, FillingUpKeepsThe255thPoint)
{
    {
        SCOPED_TRACE("vertical");
        auto s = StoreWith(StraightPath(253, 0, 1));
        std::int32_t toX = 0, toY = 257;
        EXPECT_EQ(s->ExtendAlongAxis(0, 252, toX, toY), AppendResult::PathFull);
        EXPECT_EQ(s->PointCount(), MaxPoints);
        EXPECT_EQ(s->WorkPath()[254].Y, 253);
        EXPECT_EQ(s->WorkPath()[255].Y, 254);
        EXPECT_EQ(toX, 0);
        EXPECT_EQ(toY, 254) << "the target is where the path now ends";
    }
    {
        SCOPED_TRACE("horizontal");
        auto s = StoreWith(StraightPath(253, 0, 1));
        std::int32_t toX = -4, toY = 252;
        EXPECT_EQ(s->ExtendAlongAxis(0, 252, toX, toY), AppendResult::PathFull);
        EXPECT_EQ(s->PointCount(), MaxPoints);
        EXPECT_EQ(WorkCoords(*s).back(), (std::pair<std::int32_t, std::int32_t>{-2, 252}));
        EXPECT_EQ(toX, -2);
        EXPECT_EQ(toY, 252);
    }
    {
        SCOPED_TRACE("already full");
        auto s = StoreWith(StraightPath(MaxPoints, 0, 1));
        std::int32_t toX = 3, toY = 254;
        EXPECT_EQ(s->ExtendAlongAxis(0, 254, toX, toY), AppendResult::PathFull);
        EXPECT_EQ(s->PointCount(), MaxPoints);
        EXPECT_EQ(toX, 0);
    }
}
