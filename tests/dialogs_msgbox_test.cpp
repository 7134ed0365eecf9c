// The message box on a real X server: answers are given with real clicks
// and close requests through the loop's own dispatch, and reach the owner
// through DialogResult.
#include <functional>

#include "app/Application.h"
#include "dialogs/FormMsgBox.h"
#include "tests/support/XTestSupport.h"

namespace {

using Answers = std::vector<std::pair<int, int>>;

// A window that records what reaches it.
class Owner : public xt::TestForm {
public:
    using TestForm::TestForm;
    void DialogResult(int id, int result) override {
        answers.emplace_back(id, result);
        if (onAnswer) onAnswer(this, id);
    }
    Answers answers;
    std::function<void(Owner*, int id)> onAnswer;
};

FormMsgBox* Box() { return static_cast<FormMsgBox*>(pendingMessageBox.get()); }

// Button centres in a 250 x 150 box.
constexpr int kRightX = 185, kLeftX = 65, kButtonY = 124;

class MsgBox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Application::forms.empty());
        owner = new Owner();
        owner->Create();
        xt::Pump();
    }
    void TearDown() override {
        // What the loop does when it ends.
        DeleteLater(std::move(pendingMessageBox));
        delete owner;
        xt::Pump();
        EXPECT_TRUE(Application::forms.empty());
    }
    void Answer(int x) {
        ASSERT_NE(Box(), nullptr);
        xt::Click(Box(), x, kButtonY);
    }

    Owner* owner = nullptr;
};

} // namespace

TEST_F(MsgBox, EachWayOfClosingReportsItsCode) {
    for (auto [id, x] : {std::pair{7, kRightX}, {8, kLeftX}, {9, 0}}) { // 0: a close request
        ShowQuestion(id, owner, "Sure?", "Question");
        x ? Answer(x) : xt::CloseRequest(Box());
    }
    ShowMessage(10, owner, "Done.", "Notice");
    Answer(kRightX);
    ShowMessage(owner, "Done.", "Notice");
    Answer(kRightX);
    // Without an owner the box belongs to the main window, the first form.
    ShowQuestion(11, "Sure?", "Question");
    EXPECT_FALSE(owner->IsEnabled());
    Answer(kRightX);

    EXPECT_EQ(owner->answers, (Answers{{7, 3}, {8, 4}, {9, 0}, {10, 1}, {0, 1}, {11, 3}}));
    EXPECT_TRUE(owner->IsEnabled() && owner->GetDialog() == nullptr);
    EXPECT_FALSE(Box()->IsCreated());
}

TEST_F(MsgBox, ANewBoxReplacesTheOpenOne) {
    ShowQuestion(1, owner, "First?", "Question");
    // The freed box's address may be reused; its registration number never is.
    const uint64_t first = Box()->GetSerial();
    ShowQuestion(2, owner, "Second?", "Question");
    EXPECT_NE(Box()->GetSerial(), first);
    EXPECT_FALSE(Application::IsRegistered(first));
    EXPECT_EQ(Application::forms.size(), 2u); // the owner and the new box
    EXPECT_EQ(owner->GetDialog(), Box());
    // A box given as the owner is being replaced: its own owner takes over.
    ShowQuestion(3, Box(), "Third?", "Question");
    EXPECT_EQ(owner->GetDialog(), Box());
    Answer(kRightX);
    EXPECT_EQ(owner->answers, (Answers{{3, 3}}));
    EXPECT_TRUE(owner->IsEnabled());

    // A box of another window is replaced without leaving that window blocked.
    Owner other;
    other.Create();
    ShowMessage(owner, "Mine.", "Notice");
    ShowMessage(&other, "Yours.", "Notice");
    EXPECT_TRUE(owner->IsEnabled() && owner->GetDialog() == nullptr);
    EXPECT_FALSE(other.IsEnabled());
    Answer(kRightX);
    EXPECT_TRUE(other.IsEnabled());
}

// The owner's DialogResult runs while the answered box is still closing;
// boxes opened from there must not free it under its feet: it goes once the
// click has been handled.
TEST_F(MsgBox, OpeningBoxesFromDialogResultIsSafe) {
    static uint64_t answered;
    owner->onAnswer = [](Owner* o, int id) {
        if (id == 1) {
            answered = Box()->GetSerial();
            ShowMessage(2, o, "Again.", "Notice");
            ShowQuestion(3, o, "And again?", "Question");
            EXPECT_TRUE(Application::IsRegistered(answered));
        } else if (id == 4) {
            ShowMessage(5, o, "After a close.", "Notice");
        }
    };
    ShowQuestion(1, owner, "Go on?", "Question");
    Answer(kRightX);
    EXPECT_FALSE(Application::IsRegistered(answered));
    EXPECT_FALSE(owner->IsEnabled());
    EXPECT_TRUE(Box()->IsYesNo());
    Answer(kLeftX);
    ShowQuestion(4, owner, "Go on?", "Question");
    xt::CloseRequest(Box());
    EXPECT_FALSE(owner->IsEnabled());
    Answer(kRightX);
    EXPECT_EQ(owner->answers, (Answers{{1, 3}, {3, 4}, {4, 0}, {5, 1}}));
    EXPECT_TRUE(owner->IsEnabled());
}
