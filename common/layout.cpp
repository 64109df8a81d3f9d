// Sizes and positions of the frame's children.
#include "common/layout.h"

#include <cstdlib>

namespace layout {

bool Showable(const Rect& r, const std::vector<Rect>& areas, int maxWidth, int maxHeight)
{
    // In 64 bits: a damaged rectangle may hold any numbers.
    const long long width = static_cast<long long>(r.right) - r.left;
    const long long height = static_cast<long long>(r.bottom) - r.top;
    if (width <= 0 || height <= 0 || width > maxWidth || height > maxHeight)
        return false;
    for (const Rect& a : areas)
        if (r.left < a.right && a.left < r.right && r.top < a.bottom && a.top < r.bottom)
            return true;
    return false;
}

int Cells(double factor, int cell) { return static_cast<int>(factor * cell); }

int BoardWidth(int cell, const FrameMetrics& m) { return 11 * cell + 2 * m.dlgFrameX + 1; }

int BoardHeight(int cell, const FrameMetrics& m) { return 11 * cell + 3 * m.dlgFrameY + m.smallCaption; }

InitialLayout Initial(int c, const FrameMetrics& m)
{
    const int bw = BoardWidth(c, m);
    const int bh = BoardHeight(c, m);
    InitialLayout l{};
    l.arrows = {Cells(16.5, c), 16 * c, Cells(11.5, c), 8 * c};
    l.picker = {3 * c, 16 * c, Cells(10.5, c), Cells(6.5, c)};
    l.commentator = {4 * c, 30, 25 * c, 3 * c};   // y in pixels: just under the toolbar
    l.commentatorText = {0, 0, 25 * c, 3 * c};
    l.humanBoard = {Cells(20.5, c), Cells(3.5, c), bw, bh};
    l.computerBoard = {3 * c, Cells(3.5, c), bw, bh};
    return l;
}

std::array<int, 3> StatusParts(int w, int room1, int room2)
{
    int second = Cells(0.865, w);
    if (w - second < room2)
        second = w - room2;
    int first = Cells(0.73, w);
    if (second - first < room1)
        first = second - room1;
    return {first, second, -1};
}

int ToolbarImageSize(int dpi)
{
    static const int kDrawn[] = {24, 32, 36, 48};
    const int wanted = ScaleFrom96(24, dpi);
    int best = kDrawn[0];
    for (int size : kDrawn)
        if (std::abs(size - wanted) < std::abs(best - wanted))
            best = size;
    return best;
}

int ScaleFrom96(int pixels, int dpi) { return (pixels * dpi + 48) / 96; }

std::array<Rect, 8> ShipPickerRects(int c)
{
    static const double kFactors[8][4] = {
        {0.5, 0.5, 1.5, 4.5}, {1.5, 1.5, 2.5, 4.5}, {2.5, 2.5, 3.5, 4.5}, {3.5, 3.5, 4.5, 4.5},
        {5.5, 0.5, 9.5, 1.5}, {5.5, 1.5, 8.5, 2.5}, {5.5, 2.5, 7.5, 3.5}, {5.5, 3.5, 6.5, 4.5},
    };
    std::array<Rect, 8> r{};
    for (int i = 0; i < 8; ++i)
        r[i] = {Cells(kFactors[i][0], c), Cells(kFactors[i][1], c), Cells(kFactors[i][2], c),
                Cells(kFactors[i][3], c)};
    return r;
}

Arrangement Arrange(const ArrangeInput& in)
{
    const int half = in.clientWidth / 2;
    Arrangement a{};
    a.commentator = {half - in.commentatorWidth / 2, in.toolbarBottom, in.commentatorWidth,
                     in.commentatorHeight};
    const int top = a.commentator.Bottom();
    a.humanBoard = {half + 2 * in.cell, top, in.boardWidth, in.boardHeight};
    a.computerBoard = {half - 2 * in.cell - in.computerBoardWidthBefore, top, in.boardWidth,
                       in.boardHeight};
    a.picker = {a.computerBoard.x, a.computerBoard.Bottom(), in.pickerWidth, in.pickerHeight};
    a.arrows = {a.humanBoard.x, a.humanBoard.Bottom(), in.arrowsWidth, in.arrowsHeight};
    return a;
}

}  // namespace layout
