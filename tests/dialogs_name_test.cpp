// The player-name window on a real X server; the beep runs a stand-in
// "aplay" placed first in PATH that records its arguments.
#include "tests/support/XTestSupport.h"

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/TextBoxCustom.h"
#include "app/ChildProcesses.h"
#include "dialogs/FormNamePlayer.h"

namespace fs = std::filesystem;

namespace {

std::string nameWhenClosed = "not closed";

class NamePlayerDialog : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/name-dialog-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
        home = fs::current_path();
        fs::current_path(scratch);
        fs::create_directory("Data");
        fs::create_directory("bin");
        std::ofstream("Data/beep.wav") << "RIFF";
        std::ofstream("bin/aplay") << "#!/bin/sh\nprintf '%s\\n' aplay \"$@\" >> record\n";
        fs::permissions("bin/aplay", fs::perms::owner_all);
        oldPath = getenv("PATH");
        setenv("PATH", (scratch.string() + "/bin:" + oldPath).c_str(), 1);

        owner.Create();
        lastPlayerName = "left over";
        Open();
    }
    void Open() {
        dialog = std::make_unique<FormNamePlayer>(&owner, 0, "Classifica");
        dialog->SetPrompt("Enter your name:");
        dialog->SetOnClosed([](GUIElement*) { nameWhenClosed = lastPlayerName; });
        dialog->Show();
        xt::Pump(&owner);
    }
    void TearDown() override {
        dialog.reset();
        ReapChildren();
        setenv("PATH", oldPath.c_str(), 1);
        fs::current_path(home);
        fs::remove_all(scratch);
    }
    // Waits until the beep's child has ended.
    static void WaitForBeep() {
        siginfo_t info{};
        waitid(P_ALL, 0, &info, WEXITED);
    }
    void ExpectClosedWith(const std::string& name) {
        EXPECT_FALSE(dialog->IsCreated());
        EXPECT_EQ(lastPlayerName, name);
        EXPECT_EQ(nameWhenClosed, name) << "stored before the closed handler runs";
        EXPECT_TRUE(owner.IsEnabled());
        EXPECT_EQ(owner.GetDialog(), nullptr);
    }

    fs::path scratch, home;
    std::string oldPath;
    xt::TestForm owner{400, 300};
    std::unique_ptr<FormNamePlayer> dialog;
};

TEST_F(NamePlayerDialog, EmptyNameBeepsAndKeepsTheDialog) {
    EXPECT_EQ(lastPlayerName, "");
    EXPECT_FALSE(owner.IsEnabled());
    EXPECT_EQ(owner.GetDialog(), dialog.get());
    EXPECT_EQ(Application::focused, dialog->GetNameBox());
    xt::Key(dialog.get(), XK_Return);
    WaitForBeep();
    xt::Type(dialog.get(), "   ");
    xt::Click(dialog.get(), 120, 90); // "OK" at (85, 80)
    WaitForBeep();
    EXPECT_EQ(xt::ReadFile("record"), "aplay\nData/beep.wav\naplay\nData/beep.wav\n");
    EXPECT_TRUE(dialog->IsCreated());
    EXPECT_EQ(Application::focused, dialog->GetNameBox());
    EXPECT_FALSE(owner.IsEnabled());
}

TEST_F(NamePlayerDialog, ReturnOrDeleteAcceptsTheName) {
    static int fired = 0;
    ButtonCustom button(&owner, "B");
    button.SetPosition(10, 10);
    button.SetCommand([](Child*) { ++fired; });
    button.Create();
    xt::Click(&owner, 30, 20);
    xt::Type(dialog.get(), "Anna");
    xt::Key(dialog.get(), XK_Return);
    ExpectClosedWith("Anna");
    EXPECT_EQ(fired, 0) << "the owner was blocked";
    xt::Click(&owner, 30, 20);
    EXPECT_EQ(fired, 1);

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
    EXPECT_TRUE(owner.IsEnabled());
    EXPECT_EQ(owner.GetDialog(), nullptr);
}

} // namespace
