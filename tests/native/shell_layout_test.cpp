// Sizes and positions of the frame's children, and the command-line words.
#include <gtest/gtest.h>

#include "common/layout.h"
#include "shell/command_line.h"

namespace {

const layout::FrameMetrics kWineMetrics = {3, 3, 15};

TEST(Layout, ChildrenAtCellSize20)
{
    const auto l = layout::Initial(20, kWineMetrics);
    EXPECT_EQ(l.computerBoard, (layout::Box{60, 70, 11 * 20 + 6 + 1, 11 * 20 + 9 + 15}));
    EXPECT_EQ(l.humanBoard.x, 410);
    EXPECT_EQ(l.humanBoard.y, 70);
    EXPECT_EQ(l.commentator, (layout::Box{80, 30, 500, 60}));
    EXPECT_EQ(l.commentatorText, (layout::Box{0, 0, 500, 60}));
    EXPECT_EQ(l.arrows, (layout::Box{330, 320, 230, 160}));
    EXPECT_EQ(l.picker, (layout::Box{60, 320, 210, 130}));
}

TEST(Layout, HalfCellsTruncateAtOddSizes)
{
    const auto l = layout::Initial(17, kWineMetrics);
    EXPECT_EQ(l.arrows.x, 280);        // 16.5 × 17 = 280.5
    EXPECT_EQ(l.arrows.width, 195);    // 11.5 × 17 = 195.5
    EXPECT_EQ(l.picker.height, 110);   // 6.5 × 17 = 110.5
    EXPECT_EQ(l.humanBoard.x, 348);    // 20.5 × 17 = 348.5
    EXPECT_EQ(l.computerBoard.y, 59);  // 3.5 × 17 = 59.5
}

// 73 % and 86.5 % of the width where the counts have their room; a part
// that lacks it moves its left edge back as far as the room asks.
TEST(Layout, StatusPartsFollowTheWidthAndKeepTheCountsWhole)
{
    const struct {
        int width, room1, room2;
        std::array<int, 3> parts;
    } kCases[] = {
        {1024, 0, 0, {747, 885, -1}},
        {1279, 0, 0, {933, 1106, -1}},
        {1024, 138, 139, {747, 885, -1}},   // just enough room
        {1024, 100, 200, {724, 824, -1}},   // the last part pushes both back
        {1024, 150, 0, {735, 885, -1}},     // the middle part pushes the first back
        {0, 0, 0, {0, 0, -1}},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(layout::StatusParts(c.width, c.room1, c.room2), c.parts) << c.width << " " << c.room1 << " " << c.room2;
}

// The strips are drawn at 24, 32, 36 and 48 pixels: each scale takes the
// nearest to 24 pixels at 96 DPI.
TEST(Layout, ToolbarImagesAtEachDisplayScale)
{
    const int kCases[][2] = {{96, 24}, {120, 32}, {144, 36}, {180, 48}, {192, 48}, {288, 48}, {72, 24}};
    for (const auto& c : kCases)
        EXPECT_EQ(layout::ToolbarImageSize(c[0]), c[1]) << c[0] << " DPI";
}

TEST(Layout, PickerSilhouettesStandOnOneLineAndStartAtOneEdge)
{
    const auto r = layout::ShipPickerRects(17);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r[i].bottom, 76) << i;           // 4.5 × 17
        EXPECT_EQ(r[i].right - r[i].left, 17) << i;
        EXPECT_EQ(r[4 + i].left, 93) << i;         // 5.5 × 17
        EXPECT_EQ(r[4 + i].bottom - r[4 + i].top, 17) << i;
    }
    EXPECT_EQ(r[0], (layout::Rect{8, 8, 25, 76}));
    EXPECT_EQ(r[4], (layout::Rect{93, 8, 161, 25}));
    EXPECT_TRUE(r[3].Contains(59, 59));
    EXPECT_FALSE(r[3].Contains(76, 60));   // right edge is outside
}

TEST(Layout, ArrangementCentresAndStacks)
{
    const int c = 17;
    const layout::ArrangeInput in = {1000, 32, c, 425, 51, 190, 191, 200, 178, 110, 195, 136};
    const auto a = layout::Arrange(in);
    EXPECT_EQ(a.commentator, (layout::Box{500 - 212, 32, 425, 51}));
    EXPECT_EQ(a.humanBoard, (layout::Box{500 + 34, 83, 191, 200}));
    EXPECT_EQ(a.computerBoard, (layout::Box{500 - 34 - 190, 83, 191, 200}));
    EXPECT_EQ(a.picker, (layout::Box{a.computerBoard.x, 283, 178, 110}));
    EXPECT_EQ(a.arrows, (layout::Box{a.humanBoard.x, 283, 195, 136}));
}

TEST(CommandLine, NoDefineOnlyAsAnExactWord)
{
    using command_line::HasWord;
    EXPECT_TRUE(HasWord(L"-noDefine", L"-noDefine"));
    EXPECT_TRUE(HasWord(L"foo  -noDefine bar", L"-noDefine"));
    EXPECT_TRUE(HasWord(L" -noDefine ", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"-nodefine", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"-noDefineX", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"x-noDefine", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"\"-noDefine\"", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"-noDefine\t", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"", L"-noDefine"));
    EXPECT_FALSE(HasWord(L"     ", L""));
}

}  // namespace

// A stored rectangle is used again only where it would show: some part on
// one of the areas, and a size a window can have on this virtual screen.
TEST(Layout, StoredRectanglesThatWouldNotShowAreNotUsed)
{
    const std::vector<layout::Rect> monitors = {{0, 0, 1280, 984}, {1280, 0, 2560, 1024}};
    const struct {
        layout::Rect r;
        bool showable;
        const char* what;
    } kCases[] = {
        {{100, 50, 900, 650}, true, "on the first monitor"},
        {{1500, 100, 2300, 700}, true, "on the second monitor"},
        {{1200, 900, 1400, 1100}, true, "across the two, partly off the work area"},
        {{-32000, -32000, -31840, -31976}, false, "where a minimised window sits"},
        {{2560, 0, 3000, 400}, false, "right of the last monitor, touching it"},
        {{100, 984, 500, 1000}, false, "under the first work area only"},
        {{100, 100, 100, 600}, false, "no width"},
        {{500, 500, 100, 600}, false, "negative width"},
        {{0, 0, 2561, 600}, false, "wider than the virtual screen"},
        {{-2147483647, 0, 2147483647, 600}, false, "a width beyond 32 bits"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(layout::Showable(c.r, monitors, 2560, 1024), c.showable);
    }
    EXPECT_FALSE(layout::Showable({10, 10, 100, 100}, {}, 2560, 1024)) << "no area at all";
}
