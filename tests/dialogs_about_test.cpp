// The About box on a real X server; its links run stand-in programs placed
// first in PATH that record their command lines.
#include "tests/support/XTestSupport.h"

#include <sys/wait.h>

#include <cerrno>
#include <memory>

#include "app/ChildProcesses.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "dialogs/FormAbout.h"
#include "gfx/Picture.h"
#include "tests/scratch_folder.h"

namespace {

// With a 164 x 50 picture: web link at (209, 68), mail link at (419, 68),
// "OK" 80 x 28 at (359, 173).
constexpr int kWebX = 215, kMailX = 425, kLinkY = 73;

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        scratch.StandIn("firefox");
        scratch.StandIn("thunderbird");
        owner.Create();
        std::vector<unsigned char> rgb(164 * 50 * 3, 0x66);
        picture = CreateXImage(&owner, rgb.data(), 164, 50);
    }
    void TearDown() override {
        about.reset();
        DestroyXImage(picture);
    }
    void Open(const std::string& web = "https://www.example.org") {
        about = std::make_unique<FormAbout>(&owner);
        about->SetScreen(xt::TestScreen());
        about->SetPicture(picture, 164, 50);
        about->SetHeading("Rullomat 1.0.0.0");
        about->SetWebAddress(web);
        about->Show();
        xt::Pump(&owner);
    }
    // Clicks both links, each time waiting until its child has ended,
    // without collecting it.
    void ClickLinks() {
        for (int x : {kWebX, kMailX}) {
            xt::Click(about.get(), x, kLinkY);
            siginfo_t info{};
            waitid(P_ALL, 0, &info, WEXITED | WNOWAIT);
        }
    }

    ScratchFolder scratch;
    xt::TestForm owner{800, 600};
    XImage* picture = nullptr;
    std::unique_ptr<FormAbout> about;
};

TEST_F(AboutBox, LinksRunTheirCommandLinesInChildrenThatAreCollected) {
    EXPECT_EQ(FormAbout::BrowserCommand("https://www.example.org"), "firefox https://www.example.org");
    EXPECT_EQ(FormAbout::MailCommand("info@example.org"), "thunderbird -compose to=\"info@example.org\"");
    EXPECT_EQ(FormAbout::MailAddressFor("http://www.example.org/a?b"), "info@example.org");
    Open();
    EXPECT_EQ(xt::Pixel(about.get(), 20, 30), 0x666666u) << "picture inside the panel";
    EXPECT_GT(xt::CountColor(about.get(), 209, 17, 381, 25, 0xFFFFFF), 0) << "white heading";
    EXPECT_GT(xt::CountColor(about.get(), 419, 68, 150, 12, 0x0000FF), 0) << "blue mail link";
    ClickLinks();
    EXPECT_EQ(scratch.Record(), "firefox https://www.example.org\nthunderbird -compose to=info@example.org\n");
    xt::Click(about.get(), 300, 25); // the heading starts nothing
    xt::Key(about.get(), XK_Escape);
    EXPECT_FALSE(about->IsCreated());
    EXPECT_EQ(TrackedChildCount(), 0u);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "no child left, ended or running";
    EXPECT_EQ(errno, ECHILD);

    // When no process can be started the command runs here, and this process goes on.
    Open();
    startSource = [] { return pid_t(-1); };
    xt::Click(about.get(), kWebX, kLinkY);
    startSource = nullptr;
    EXPECT_EQ(scratch.Record(), "firefox https://www.example.org\nthunderbird -compose to=info@example.org\n"
                                "firefox https://www.example.org\n");
}

TEST_F(AboutBox, AddressesCannotRunShellCommands) {
    const std::string web = "https://www.a$(touch p1)b.org/x;touch p2&`touch p3`'q\"";
    Open(web);
    ClickLinks();
    EXPECT_EQ(scratch.Record(), "firefox " + web + "\nthunderbird -compose to=info@a$(touch p1)b.org\n");
    for (const char* f : {"p1", "p2", "p3"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;
    EXPECT_EQ(FormAbout::MailCommand("a\"b'c"), "thunderbird -compose to='a\"b'\\''c'");
}

TEST_F(AboutBox, OwnerBlockedUntilOkReturnEscapeDeleteOrCloseRequest) {
    static int fired = 0;
    ButtonCustom button(&owner, "B");
    button.SetPosition(10, 10);
    button.SetCommand([](Child*) { ++fired; });
    button.Create();
    for (KeySym key : std::initializer_list<KeySym>{XK_Escape, XK_Return, XK_Delete, XK_VoidSymbol, NoSymbol}) {
        Open();
        xt::Click(&owner, 30, 20);
        xt::Type(about.get(), "a ");
        EXPECT_TRUE(about->IsCreated()) << "other keys do nothing";
        if (key == XK_VoidSymbol)
            xt::Click(about.get(), 399, 187); // "OK"
        else if (key == NoSymbol)
            xt::CloseRequest(about.get());
        else
            xt::Key(about.get(), key);
        EXPECT_FALSE(about->IsCreated()) << key;
        EXPECT_TRUE(owner.IsEnabled() && owner.GetDialog() == nullptr);
    }
    EXPECT_EQ(fired, 0) << "the owner was blocked";
    xt::Click(&owner, 30, 20);
    EXPECT_EQ(fired, 1);
    Open();
    about.reset(); // deleted while open
    EXPECT_TRUE(owner.IsEnabled() && owner.GetDialog() == nullptr);
}

} // namespace
