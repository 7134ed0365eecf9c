#include "tests/support/XTestSupport.h"

#include <vector>

#include "app/Application.h"
#include "controls/ScrollBar.h"

namespace {

using Calls = std::vector<int64_t>;
Calls scrolled;
void Record(Child*, int64_t tenTimes) { scrolled.push_back(tenTimes); }

// Range 0..100 on a horizontal bar at (20, 30), 80 wide (21 high once
// painted): track 38, three pages of 12 pixels plus 2 left over. Segments
// start at x = 41, 53, 65; the track ends at x = 79.
struct ScrollBarTest : ::testing::Test {
    xt::TestForm f{300, 200};
    ScrollBar sb{&f, 0, 100};
    void SetUp() override {
        scrolled.clear();
        f.SetBackColor(0x123456);
        sb.SetPosition(20, 30);
        sb.SetOnScroll(Record);
        f.Create();
        sb.Show();
        xt::Pump(&f);
    }
    // Which page the thumb is drawn on, -1 when none.
    int ThumbPage() {
        int found = -1;
        for (int page = 0; page < 3; ++page)
            if (xt::Pixel(&f, 46 + 12 * page, 40) == 0x000000u) found = found == -1 ? page : 99;
        return found;
    }
};

TEST_F(ScrollBarTest, KeysStepOnePageAndStopAtTheEnds) {
    xt::Key(&f, XK_Tab);
    ASSERT_EQ(Application::focused, &sb);
    for (KeySym k : {XK_Left, XK_Right, XK_Down, XK_Right}) xt::Key(&f, k);
    EXPECT_EQ(sb.Value(), 76);
    EXPECT_EQ(ThumbPage(), 2);
    for (KeySym k : {XK_Up, XK_Left, XK_Left}) xt::Key(&f, k);
    xt::Type(&f, " ");
    EXPECT_EQ(scrolled, (Calls{380, 760, 380, 0, 380}));
    xt::Key(&f, XK_Home);
    EXPECT_EQ(sb.Value(), 38);
}

TEST_F(ScrollBarTest, ClicksBesideTheSegmentsStepAndOnThemJump) {
    xt::Click(&f, 25, 40); // left arrow on the first page
    EXPECT_TRUE(scrolled.empty());
    // The right arrow, just beyond the track, then once more on the last page.
    for (int x : {90, 80, 95}) xt::Click(&f, x, 40);
    EXPECT_EQ(sb.Value(), 76);
    // Segment 0; segment 1, which still reaches x = 53 + 12; segment 2.
    for (int x : {45, 65, 66}) xt::Click(&f, x, 40);
    EXPECT_EQ(scrolled, (Calls{380, 760, 0, 380, 760}));
    EXPECT_EQ(ThumbPage(), 2);
}

// Bars whose geometry has no pages: an empty or reversed range, no
// orientation at all, and a bar too short for a track that takes the focus
// before it has ever been painted.
TEST(ScrollBarInert, NoTrackOrEmptyRangeDrawsAndIgnoresInput) {
    scrolled.clear();
    xt::TestForm f(300, 200);
    ScrollBar unpainted(&f, 0, 100), empty(&f, 5, 5), reversed(&f, 10, 0), neither(&f, 0, 100);
    unpainted.SetSize(30, 13);
    neither.SetHorizontal(false);
    ScrollBar* bars[] = {&unpainted, &empty, &reversed, &neither};
    for (ScrollBar* b : bars) b->SetOnScroll(Record);
    empty.SetPosition(20, 10);
    reversed.SetPosition(20, 50);
    neither.SetPosition(20, 90);
    f.Create();
    xt::Pump(&f);
    xt::Key(&f, XK_Tab);
    ASSERT_EQ(Application::focused, &unpainted);
    xt::Key(&f, XK_Right);
    xt::Type(&f, " ");
    for (ScrollBar* b : {&empty, &reversed, &neither}) b->Show();
    EXPECT_EQ(xt::Pixel(&f, 30, 10), 0xDDDDDDu) << "frame still drawn";
    EXPECT_TRUE(empty.Ticks().empty());
    for (int yy : {20, 60, 100})
        for (int xx : {25, 50, 90}) {
            xt::Press(&f, xx, yy);
            xt::Motion(&f, xx + 30, yy);
            xt::Key(&f, XK_Right);
            xt::Key(&f, XK_Left);
            xt::Release(&f, xx, yy);
        }
    EXPECT_TRUE(scrolled.empty());
    for (ScrollBar* b : bars) EXPECT_EQ(b->Value(), 0);
}

} // namespace
