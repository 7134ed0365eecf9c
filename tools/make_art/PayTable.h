// The pay table as the pay-table picture shows it: the two paying symbols
// (places on the reel sheet) and what each pays for 2, 3, 4 and 5 equal
// reels, as a multiple of the wager. The round pays by the same figures.
#pragma once

namespace art {

constexpr int kPayingSymbols[2] = {2, 4};  // the gold bell and the red seven
constexpr int kPays[2][4] = {{2, 10, 50, 250}, {4, 20, 100, 500}};

}  // namespace art
