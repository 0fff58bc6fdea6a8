// Where the life overview puts its parts, and what they are called: the one table that the
// overview builds its grid from and that the tests probe it by.
#pragma once

namespace zeitrad::screens::overview {

// The overview panel in the window.
constexpr int panelLeft = 40;
constexpr int panelTop = 80;
constexpr int panelWidth = 753;
constexpr int panelHeight = 561;

constexpr int rows = 9;
constexpr int columns = 9;

// The cells' outer frames, in panel coordinates. Neighbouring frames share their outline, so
// the pitch is one pixel less than the size.
constexpr int cellHeight = 57;
constexpr int firstColumnWidth = 97;
constexpr int columnWidth = 81;

constexpr int rowTop(int row) {
    return 48 + 56 * (row - 1);
}
constexpr int columnLeft(int column) {
    return column == 1 ? 8 : 104 + 80 * (column - 2);
}
constexpr int columnWidthOf(int column) {
    return column == 1 ? firstColumnWidth : columnWidth;
}
// Cell k (1..81) of a row and column, counted row by row.
constexpr int cellOf(int row, int column) {
    return columns * (row - 1) + column;
}
constexpr int rowOf(int cell) {
    return (cell - 1) / columns + 1;
}
constexpr int columnOf(int cell) {
    return (cell - 1) % columns + 1;
}

// The white inner field lies this far inside its frame on every side.
constexpr int frameInset = 8;

// The three text lines of a cell, 12 pixels apart from 10 pixels below the frame's top. In the
// narrow columns the lines start a pixel further left, so that the widest planet name with its
// trailing blanks ("Guru", "Buddha": 61 pixels) still ends inside the inner field and leaves its
// outline whole.
constexpr int lineIndent(int column) {
    return column == 1 ? 12 : 11;
}
constexpr int lineTop(int row, int line) {
    return rowTop(row) + 10 + 12 * (line - 1);
}
// The birth cell's date line sits one pixel right and lower than the rule, where the sample
// overview picture puts its own date label.
constexpr int birthDateLeft = 21;
constexpr int birthDateTop = 83;

// The two bars of every row, which cover the top and bottom edge of its frames.
constexpr int barLeft = 5;
constexpr int barWidth = 743;
constexpr int barHeight = 6;
constexpr int bottomBarOffset = 51;

// The names of the inner fields and row bars, which follow no single numbering rule: the inner
// fields of columns 1 and 2, the first one of columns 3..9 (numbered on from there), and the two
// bars of the row. Frames are "Shape<k>", text lines "Label<3k-3+line>".
struct RowNames {
    int innerFirst, innerSecond, innerThird;
    int topBar, bottomBar;
};
constexpr RowNames rowNames[rows] = {
    {107, 84, 85, 92, 93},     // row 1
    {96, 97, 100, 94, 95},     // row 2
    {108, 109, 110, 98, 99},   // row 3
    {117, 118, 119, 126, 127}, // row 4
    {128, 129, 130, 137, 138}, // row 5
    {139, 140, 141, 148, 149}, // row 6
    {150, 151, 152, 159, 160}, // row 7
    {161, 162, 163, 179, 180}, // row 8
    {170, 171, 172, 181, 182}, // row 9
};

constexpr int innerFieldNumber(int row, int column) {
    const RowNames& names = rowNames[row - 1];
    if (column == 1)
        return names.innerFirst;
    if (column == 2)
        return names.innerSecond;
    return names.innerThird + column - 3;
}
constexpr int lineNumber(int cell, int line) {
    return 3 * cell - 3 + line;
}

} // namespace zeitrad::screens::overview
