// What the machine pays: the two paying symbols and, for each, the multiple
// of the wager it pays when it shows on two, three, four or five reels (in
// any places). One reel pays nothing. The pay-table picture shows this table.
#pragma once

namespace paytable {

constexpr int kFewestReels = 2;

struct Line {
    int symbol;
    int pays[4]; // on two, three, four and five reels
};
constexpr Line kLines[] = {{2, {2, 10, 50, 250}}, {4, {4, 20, 100, 500}}};

constexpr bool IsPaying(int symbol) {
    for (const Line& line : kLines)
        if (line.symbol == symbol) return true;
    return false;
}

// The multiple of the wager for the line's symbol shown on `reels` reels.
constexpr int Multiplier(const Line& line, int reels) {
    const int column = reels - kFewestReels;
    return column >= 0 && column < 4 ? line.pays[column] : 0;
}

} // namespace paytable
