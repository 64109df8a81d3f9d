// Where the frame's children go: sizes and positions derived from the cell
// size, the status-bar split and the default arrangement. No Win32 here.
#pragma once

#include <array>
#include <vector>

namespace layout {

struct Box {
    int x, y, width, height;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool operator==(const Box& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

struct Rect {
    int left, top, right, bottom;
    bool Contains(int px, int py) const { return left <= px && px < right && top <= py && py < bottom; }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Whether a stored window rectangle can be used again: a size a window can
// have (positive, at most maxWidth × maxHeight, the virtual screen) and some
// part inside one of the areas where it would show (the monitors' work areas
// for the frame, the frame's client area for a child).
bool Showable(const Rect& r, const std::vector<Rect>& areas, int maxWidth, int maxHeight);

// trunc(factor × cell): fractions of the cell size, computed in double
// precision and truncated toward zero.
int Cells(double factor, int cell);

// System metrics a board's outer size depends on.
struct FrameMetrics {
    int dlgFrameX;       // SM_CXDLGFRAME
    int dlgFrameY;       // SM_CYDLGFRAME
    int smallCaption;    // iSmCaptionHeight
};

int BoardWidth(int cell, const FrameMetrics& m);
int BoardHeight(int cell, const FrameMetrics& m);

// Positions at creation, in the frame's client coordinates.
struct InitialLayout {
    Box arrows, picker, commentator, commentatorText, humanBoard, computerBoard;
};
InitialLayout Initial(int cell, const FrameMetrics& m);

// Right edges of the three status-bar parts for a client width; -1 runs to
// the end. Part 0 ends at 73 % of the width and part 1 at 86.5 % where that
// leaves parts 1 and 2 their room (the widths their texts need); otherwise
// they move left as far as the room asks.
std::array<int, 3> StatusParts(int clientWidth, int room1 = 0, int room2 = 0);

// The toolbar's image size at a display scale: the size drawn nearest to
// 24 pixels scaled from 96 DPI (24, 32, 36 or 48).
int ToolbarImageSize(int dpi);

// A pixel size at 96 DPI, at another display scale (rounded).
int ScaleFrom96(int pixels, int dpi);

// The eight ship silhouettes of the picker, in its client coordinates:
// 0..3 upright (four to one squares), 4..7 lying.
std::array<Rect, 8> ShipPickerRects(int cell);

// The default arrangement: commentator centred under the toolbar, the boards
// 4 cells apart below it, the picker under the computer's board and the pad
// under the human's.
struct Arrangement {
    Box commentator, humanBoard, computerBoard, picker, arrows;
};
struct ArrangeInput {
    int clientWidth;
    int toolbarBottom;
    int cell;
    int commentatorWidth, commentatorHeight;
    int computerBoardWidthBefore;   // its width before the move
    int boardWidth, boardHeight;    // the boards' new size
    int pickerWidth, pickerHeight;
    int arrowsWidth, arrowsHeight;
};
Arrangement Arrange(const ArrangeInput& in);

}  // namespace layout
