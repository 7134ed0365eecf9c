// The player-name window on a real X server; the beep runs a stand-in
// "aplay" placed first in PATH that records its command line.
#include "tests/support/XTestSupport.h"

#include <sys/wait.h>

#include <memory>

#include "app/Application.h"
#include "app/ChildProcesses.h"
#include "controls/TextBoxCustom.h"
#include "dialogs/FormNamePlayer.h"
#include "tests/scratch_folder.h"

namespace {

std::string nameWhenClosed = "not closed";

class NamePlayerDialog : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory("Data");
        std::ofstream("Data/beep.wav") << "RIFF";
        scratch.StandIn("aplay");
        owner.Create();
        lastPlayerName = "left over";
        Open();
    }
    void TearDown() override {
        dialog.reset();
        ReapChildren();
    }
    void Open() {
        dialog = std::make_unique<FormNamePlayer>(&owner, 0, "Classifica");
        dialog->SetPrompt("Enter your name:");
        dialog->SetOnClosed([](GUIElement*) { nameWhenClosed = lastPlayerName; });
        dialog->Show();
        xt::Pump(&owner);
    }
    void ExpectClosedWith(const std::string& name) {
        EXPECT_FALSE(dialog->IsCreated());
        EXPECT_EQ(lastPlayerName, name);
        EXPECT_EQ(nameWhenClosed, name) << "stored before the closed handler runs";
        EXPECT_TRUE(owner.IsEnabled() && owner.GetDialog() == nullptr);
    }

    ScratchFolder scratch;
    xt::TestForm owner{400, 300};
    std::unique_ptr<FormNamePlayer> dialog;
};

TEST_F(NamePlayerDialog, EmptyNameBeepsAndKeepsTheDialog) {
    EXPECT_EQ(lastPlayerName, "");
    EXPECT_EQ(Application::focused, dialog->GetNameBox());
    siginfo_t info{};
    xt::Key(dialog.get(), XK_Return);
    waitid(P_ALL, 0, &info, WEXITED); // the beep's child has ended
    xt::Type(dialog.get(), "   ");
    xt::Click(dialog.get(), 120, 90); // "OK" at (85, 80)
    waitid(P_ALL, 0, &info, WEXITED);
    EXPECT_EQ(scratch.Record(), "aplay Data/beep.wav\naplay Data/beep.wav\n");
    EXPECT_TRUE(dialog->IsCreated());
    EXPECT_EQ(Application::focused, dialog->GetNameBox());
    EXPECT_FALSE(owner.IsEnabled());
}

TEST_F(NamePlayerDialog, ReturnOrDeleteAcceptsTheName) {
    xt::Type(dialog.get(), "Anna");
    xt::Key(dialog.get(), XK_Return);
    ExpectClosedWith("Anna");
    Open();
    xt::Type(dialog.get(), "Bob");
    xt::Key(dialog.get(), XK_Delete);
    ExpectClosedWith("Bob");
}

TEST_F(NamePlayerDialog, NameIsAtMostTenCharacters) {
    xt::Type(dialog.get(), "Maximilianus");
    xt::Click(dialog.get(), 120, 90);
    EXPECT_LE(lastPlayerName.size(), 10u);
    EXPECT_EQ(lastPlayerName.substr(0, 9), "Maximilia");
}

TEST_F(NamePlayerDialog, CloseRequestOrDeletionLeavesNoName) {
    xt::Type(dialog.get(), "Ugo");
    xt::CloseRequest(dialog.get());
    ExpectClosedWith("");
    Open();
    dialog.reset(); // deleted while open
    EXPECT_TRUE(owner.IsEnabled() && owner.GetDialog() == nullptr);
}

} // namespace
