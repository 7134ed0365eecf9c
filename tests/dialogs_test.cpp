// The About box and the player-name window on a real X server. Their links
// and beeps run stand-in programs placed first in PATH that record their
// command lines.
#include "tests/support/XTestSupport.h"

#include <sys/wait.h>

#include <cerrno>
#include <memory>

#include "app/Application.h"
#include "app/ChildProcesses.h"
#include "controls/TextBoxCustom.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormNamePlayer.h"
#include "gfx/Picture.h"

namespace {

// With a 164 x 50 picture: web link at (209, 68), mail link at (419, 68),
// both 12 high and framed 2 pixels outside when focused, "OK" 80 x 28 at
// (359, 173).
constexpr int kWebX = 215, kMailX = 425, kLinkY = 73;

// Waits until a child has ended, without collecting it.
void AwaitAChild() {
    siginfo_t info{};
    waitid(P_ALL, 0, &info, WEXITED | WNOWAIT);
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"firefox", "thunderbird", "aplay"}) scratch.StandIn(program);
        PutFile("Data/beep.wav", "RIFF");
        owner.Create();
        std::vector<unsigned char> rgb(164 * 50 * 3, 0x66);
        picture = CreateXImage(&owner, rgb.data(), 164, 50);
    }
    void TearDown() override {
        about.reset();
        name.reset();
        DestroyXImage(picture);
        ReapChildren();
    }
    void OpenAbout(const std::string& web = "https://www.example.org") {
        about = std::make_unique<FormAbout>(&owner);
        about->SetScreen(xt::TestScreen());
        about->SetPicture(picture, 164, 50);
        about->SetHeading("Rullomat 1.0.0.0");
        about->SetWebAddress(web);
        about->Show();
        xt::Pump(&owner);
    }
    void ClickLinks() {
        // The programs are handed over, not children: their records are awaited.
        for (int x : {kWebX, kMailX}) {
            const size_t before = scratch.Record().size();
            xt::Click(about.get(), x, kLinkY);
            while (scratch.Record().size() == before) usleep(1000);
        }
    }
    void OpenName() {
        lastPlayerName = "left over";
        name = std::make_unique<FormNamePlayer>(&owner, 0, "Classifica");
        name->SetPrompt("Enter your name:");
        name->SetOnClosed([](GUIElement*) { nameWhenClosed = lastPlayerName; });
        name->Show();
        xt::Pump(&owner);
    }
    void ExpectFree() { EXPECT_TRUE(owner.IsEnabled() && owner.GetDialog() == nullptr); }

    static inline std::string nameWhenClosed;
    ScratchFolder scratch;
    xt::TestForm owner{800, 600};
    XImage* picture = nullptr;
    std::unique_ptr<FormAbout> about;
    std::unique_ptr<FormNamePlayer> name;
};

TEST_F(Dialogs, AboutLinksRunTheirCommandLinesInChildrenThatAreCollected) {
    // The shell removes quotes, so the record below cannot show them.
    EXPECT_EQ(FormAbout::BrowserCommand("https://www.example.org"), "firefox https://www.example.org");
    EXPECT_EQ(FormAbout::MailCommand("info@example.org"), "thunderbird -compose to=\"info@example.org\"");
    OpenAbout();
    ClickLinks();
    // Whether the link at x shows the focus frame (its top line, in the link's blue).
    auto framed = [this](int x) { return xt::CountColor(about.get(), x, 66, 155, 1, 0x0000FF) > 0; };
    EXPECT_TRUE(!framed(207) && framed(417)) << "a click gives the mail link the focus";
    xt::Key(about.get(), XK_Tab); // to "OK"
    EXPECT_FALSE(framed(207) || framed(417));
    xt::Key(about.get(), XK_Tab);
    xt::Key(about.get(), XK_space); // the web link opened from the keyboard
    AwaitAChild();
    EXPECT_TRUE(framed(207) && !framed(417));
    xt::Click(about.get(), 300, 25); // the heading starts nothing
    xt::Key(about.get(), XK_Escape);
    EXPECT_FALSE(about->IsCreated());
    EXPECT_EQ(TrackedChildCount(), 0u);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "no child left, ended or running";
    EXPECT_EQ(errno, ECHILD);

    // When no process can be started the command runs here, and this process goes on.
    OpenAbout();
    startSource = [] { return pid_t(-1); };
    xt::Click(about.get(), kWebX, kLinkY);
    startSource = nullptr;
    EXPECT_EQ(scratch.Record(), "firefox https://www.example.org\nthunderbird -compose to=info@example.org\n"
                                "firefox https://www.example.org\nfirefox https://www.example.org\n");
}

TEST_F(Dialogs, AboutAddressesCannotRunShellCommands) {
    const std::string web = "https://www.a$(touch p1)b.org/x;touch p2&`touch p3`'q\"";
    OpenAbout(web);
    ClickLinks();
    EXPECT_EQ(scratch.Record(), "firefox " + web + "\nthunderbird -compose to=info@a$(touch p1)b.org\n");
    for (const char* f : {"p1", "p2", "p3"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;
    EXPECT_EQ(FormAbout::MailCommand("a\"b'c"), "thunderbird -compose to='a\"b'\\''c'");
}

TEST_F(Dialogs, AboutBlocksItsOwnerUntilOkReturnEscapeDeleteOrCloseRequest) {
    for (KeySym key : std::initializer_list<KeySym>{XK_Escape, XK_Return, XK_Delete, XK_VoidSymbol, NoSymbol}) {
        OpenAbout();
        xt::Type(about.get(), "a ");
        xt::Key(about.get(), XK_Tab); // a link's focus changes none of the keys
        EXPECT_TRUE(about->IsCreated() && !owner.IsEnabled()) << "other keys do nothing";
        if (key == XK_VoidSymbol)
            xt::Click(about.get(), 399, 187); // "OK"
        else if (key == NoSymbol)
            xt::CloseRequest(about.get());
        else
            xt::Key(about.get(), key);
        EXPECT_FALSE(about->IsCreated()) << key;
        ExpectFree();
    }
    OpenAbout();
    about.reset(); // deleted while open
    ExpectFree();
}

// An empty or blank name beeps and keeps the window; Return, Delete or "OK"
// store at most ten characters before the closed handler runs; a close
// request or deletion stores none.
TEST_F(Dialogs, NameWindowStoresTheNameOrNothing) {
    OpenName();
    EXPECT_EQ(lastPlayerName, "");
    EXPECT_EQ(Application::focused, name->GetNameBox());
    xt::Key(name.get(), XK_Return);
    AwaitAChild();
    xt::Type(name.get(), "   ");
    xt::Click(name.get(), 120, 90); // "OK" at (85, 80)
    AwaitAChild();
    EXPECT_EQ(scratch.Record(), "aplay Data/beep.wav\naplay Data/beep.wav\n");
    EXPECT_TRUE(name->IsCreated() && !owner.IsEnabled());
    EXPECT_EQ(Application::focused, name->GetNameBox());
    const std::pair<KeySym, const char*> ways[] = {
        {XK_Return, "Anna"}, {XK_Delete, "Bob"}, {XK_VoidSymbol, "Maximilianus"}, {NoSymbol, "Ugo"}};
    for (auto [key, typed] : ways) {
        OpenName();
        xt::Type(name.get(), typed);
        if (key == XK_VoidSymbol)
            xt::Click(name.get(), 120, 90);
        else if (key == NoSymbol)
            xt::CloseRequest(name.get());
        else
            xt::Key(name.get(), key);
        const std::string expected = key == NoSymbol ? "" : std::string(typed).substr(0, 10);
        EXPECT_FALSE(name->IsCreated());
        EXPECT_EQ(lastPlayerName, expected);
        EXPECT_EQ(nameWhenClosed, expected) << "stored before the closed handler runs";
        ExpectFree();
    }
    OpenName();
    name.reset(); // deleted while open
    ExpectFree();
}

} // namespace
