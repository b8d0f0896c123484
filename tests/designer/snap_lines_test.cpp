// The search for the line a dragged frame snaps to: which target wins, how far it reaches, and what the
// guide through the aligned objects covers.
#include "SnapLines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {} // namespace

TEST(SnapLines, TheNearestLineWithinReachWins) {
    TSnapLines lines;
    lines.AddObject(TRect::FromBounds(100, 50, 80, 20)); // x lines 100, 180, 140
    lines.AddObject(TRect::FromBounds(300, 10, 40, 40)); // x lines 300, 340, 320
    lines.Sort();
    const struct {
        const char* what;
        std::vector<int> moving;
        bool found;
        int delta;
        int position;
    } cases[] = {
        {"an edge three pixels short", {97}, true, 3, 100},
        {"an edge four pixels past", {184}, true, -4, 180},
        {"five pixels away is out of reach", {95}, false, 0, 0},
        {"a centre line", {143}, true, -3, 140},
        {"the nearer of two moving lines", {103, 319}, true, 1, 320},
        {"equally near: the earlier moving line", {302, 138}, true, -2, 300},
        {"nothing near any moving line", {0, 250, 500}, false, 0, 0},
        {"exactly on a line", {340}, true, 0, 340},
    };
    for (const auto& c : cases) {
        const TSnapLines::TMatch match = lines.Nearest(TSnapAxis::X, c.moving);
        EXPECT_EQ(match.Found, c.found) << c.what;
        if (!c.found) continue;
        EXPECT_EQ(match.Delta, c.delta) << c.what;
        EXPECT_EQ(match.Position, c.position) << c.what;
    }
}

TEST(SnapLines, BetweenTwoTargetsTheCloserOneWinsEitherWay) {
    TSnapLines lines;
    lines.AddObject(TRect::FromBounds(10, 0, 40, 10));  // right edge at 50
    lines.AddObject(TRect::FromBounds(56, 30, 40, 10)); // left edge at 56
    lines.Sort();
    EXPECT_EQ(lines.Nearest(TSnapAxis::X, std::vector{52}).Position, 50);
    EXPECT_EQ(lines.Nearest(TSnapAxis::X, std::vector{54}).Position, 56);
    EXPECT_EQ(lines.Nearest(TSnapAxis::X, std::vector{53}).Position, 50) << "a tie takes the smaller";
}

TEST(SnapLines, TheAxesAreSeparate) {
    TSnapLines lines;
    lines.AddObject(TRect::FromBounds(100, 200, 50, 30)); // y lines 200, 230, 215
    lines.Sort();
    EXPECT_FALSE(lines.Nearest(TSnapAxis::X, std::vector{202}).Found);
    const auto match = lines.Nearest(TSnapAxis::Y, std::vector{202, 232, 217});
    EXPECT_EQ(match.Position, 200);
    EXPECT_EQ(match.Delta, -2);
    const auto span = lines.GuideSpan(TSnapAxis::Y, 200, {130, 140});
    EXPECT_EQ(span.From, 100);
    EXPECT_EQ(span.To, 150);
}

TEST(SnapLines, TheAreaGivesEdgesCentreAndInsetEdges) {
    TSnapLines lines;
    lines.AddArea(TRect(0, 0, 400, 300));
    lines.Sort();
    const struct {
        TSnapAxis axis;
        int moving;
        int position;
    } cases[] = {
        {TSnapAxis::X, 2, 0},     {TSnapAxis::X, 11, 8},    {TSnapAxis::X, 197, 200},
        {TSnapAxis::X, 389, 392}, {TSnapAxis::X, 403, 400}, {TSnapAxis::Y, 5, 8},
        {TSnapAxis::Y, 148, 150}, {TSnapAxis::Y, 290, 292}, {TSnapAxis::Y, 299, 300},
    };
    for (const auto& c : cases) {
        const auto match = lines.Nearest(c.axis, std::vector{c.moving});
        EXPECT_TRUE(match.Found) << c.moving;
        EXPECT_EQ(match.Position, c.position) << c.moving;
    }
    EXPECT_FALSE(lines.Nearest(TSnapAxis::X, std::vector{100}).Found);
}

TEST(SnapLines, TheGuideJoinsTheFrameAndTheNearestObjectOnTheLine) {
    TSnapLines lines;
    lines.AddObject(TRect::FromBounds(40, 10, 75, 25));  // left 40, y 10..35
    lines.AddObject(TRect::FromBounds(40, 200, 30, 20)); // left 40, y 200..220
    lines.AddObject(TRect::FromBounds(40, 400, 30, 20)); // left 40, y 400..420
    lines.AddObject(TRect::FromBounds(90, 50, 30, 20));  // not on that line
    lines.Sort();
    const struct {
        const char* what;
        TSnapLines::TSpan frame;
        int from, to;
    } cases[] = {
        {"between two objects, nearer the upper", {60, 80}, 10, 80},
        {"between two objects, nearer the lower", {150, 170}, 150, 220},
        {"overlapping one", {205, 230}, 200, 230},
        {"below them all", {500, 520}, 400, 520},
        {"above them all", {0, 5}, 0, 35},
    };
    for (const auto& c : cases) {
        const auto span = lines.GuideSpan(TSnapAxis::X, 40, c.frame);
        EXPECT_EQ(span.From, c.from) << c.what;
        EXPECT_EQ(span.To, c.to) << c.what;
    }
    const auto alone = lines.GuideSpan(TSnapAxis::X, 41, {60, 80});
    EXPECT_EQ(alone.From, 60) << "no object on the line: the frame alone";
    EXPECT_EQ(alone.To, 80);
}

TEST(SnapLines, ManyObjectsOnOneLineAreOneCandidate) {
    TSnapLines lines;
    for (int i = 0; i < 1000; ++i)
        lines.AddObject(TRect::FromBounds(40, 20 * i, 30, 10)); // one column: x lines 40, 70, 55
    lines.AddObject(TRect::FromBounds(43, 0, 1, 1));            // x lines 43, 44, 43
    lines.Sort();
    const auto match = lines.Nearest(TSnapAxis::X, std::vector{42});
    EXPECT_EQ(match.Position, 43);
    EXPECT_EQ(lines.Nearest(TSnapAxis::X, std::vector{38}).Position, 40);
}

TEST(SnapLines, AnEmptyListFindsNothing) {
    TSnapLines lines;
    lines.Sort();
    EXPECT_FALSE(lines.Nearest(TSnapAxis::Y, std::vector{0, 10}).Found);
    EXPECT_FALSE(lines.Nearest(TSnapAxis::Y, std::span<const int>()).Found);
}
