#include "tests/support/XTestSupport.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "util/Files.h"
#include "util/Strings.h"

namespace {

// Each test runs in a scratch folder of its own.
class UtilFiles : public ::testing::Test {
protected:
    ScratchFolder scratch;
};

} // namespace

TEST(UtilStrings, NumberTexts) {
    std::string grouped;
    for (int64_t value :
         std::initializer_list<int64_t>{0, 999, 1000, 1234567890123, -100, -1000, -100000, -1234567, INT64_MIN})
        grouped += IntToStrThousands(value) + " ";
    EXPECT_EQ(grouped, "0 999 1.000 1.234.567.890.123 -100 -1.000 -100.000 -1.234.567 -9.223.372.036.854.775.808 ");
    EXPECT_EQ(IntToStrPad(-5, '0', 8) + ByteToHex(5) + ByteToHex(255), "000000-505FF");
    EXPECT_EQ(IntToStrPad(7, ' ', 200).size(), 200u);
}

TEST(UtilStrings, TrimReplaceSplit) {
    EXPECT_EQ(StrTrim(" \t \n "), "");
    EXPECT_EQ(StrTrim("\t a b \r\n"), "a b");
    EXPECT_EQ(StrTrim("\xE8 "), "\xE8"); // high bytes are not spaces
    EXPECT_EQ(StrTrimRight("  ab  "), "  ab");

    EXPECT_EQ(StrReplaceAll("abc", "", "x"), "abc");
    // Replacing goes on while a match is left, also one formed by a replacement.
    EXPECT_EQ(StrReplaceAll("aaaa", "aa", "a"), "a");
    EXPECT_EQ(StrReplaceAll("xaab", "ab", "b"), "xb");
    // A replacement containing the text sought is applied once per occurrence.
    EXPECT_EQ(StrReplaceAll("a.b.", ".", ".."), "a..b..");
    EXPECT_EQ(StrUpper("abc\xE8z1") + StrReplaceChar("a.b.", '.', ','), "ABC\xE8Z1a,b,");

    EXPECT_EQ(StrSplit("a;b;;c;", ";"), (StringList{"a", "b", "", "c"}));
    EXPECT_EQ(StrSplit("abc", ","), StringList{"abc"});
    EXPECT_EQ(StrSplit(",", ","), StringList{""});
    EXPECT_EQ(StrSplit("a<>b<>", "<>"), (StringList{"a", "b"}));
    EXPECT_TRUE(StrSplit("", ",").empty() && StrSplit("abc", "").empty());
}

TEST_F(UtilFiles, PlainFiles) {
    EXPECT_EQ(FileSize("missing"), 0);
    PutFile("f", "12345");
    EXPECT_EQ(FileSize("f"), 5);
    EXPECT_TRUE(FileRemove("f") && !FileExists("f"));
    EXPECT_TRUE(MakeDirIfMissing("d") && MakeDirIfMissing("d")); // made, then already there
    EXPECT_FALSE(MakeDirIfMissing("x/y")); // only the last level is made
}

TEST_F(UtilFiles, TextFileLines) {
    TextFile file("t.txt");
    file.WriteLines({"first", "", "third"});
    EXPECT_EQ(xt::ReadFile("t.txt"), "first\n\nthird\n");
    file.AppendLine("fourth");
    EXPECT_EQ(file.ReadLines(), (StringList{"first", "", "third", "fourth"}));
    file.WriteLines({"a", "b"}); // truncates
    // With standard input closed a file gets descriptor 0: it reads all the same
    // and is closed like any other.
    const int input = dup(0);
    close(0);
    EXPECT_EQ(file.ReadAll(), "a\r\nb\r\n");
    std::make_unique<BinaryFile>()->OpenForReading("t.txt"); // gets descriptor 0 and gives it back
    EXPECT_EQ(fcntl(0, F_GETFD), -1);
    dup2(input, 0), close(input);

    // A carriage return stays part of its line; a last line needs no line
    // feed; a line of 255 bytes or more ends the reading and is reported.
    TextFile r("r.txt");
    PutFile("r.txt", "one\r\ntwo\r\nlast");
    EXPECT_EQ(r.ReadLines(), (StringList{"one\r", "two\r", "last"}));
    PutFile("r.txt", "a\nb\n" + std::string(300, 'x') + "\nc\n");
    EXPECT_EQ(r.ReadLines(), (StringList{"a", "b"}));
    EXPECT_EQ(r.Flags(), 1);
    EXPECT_EQ(r.ReadAll(), "");
    PutFile("r.txt", std::string(254, 'y') + "\n" + std::string(255, 'z') + "\n");
    EXPECT_EQ(r.ReadLines(), StringList{std::string(254, 'y')});

    TextFile missing("missing.txt");
    EXPECT_TRUE(missing.ReadLines().empty());
    EXPECT_TRUE(missing.Flags() == 257 && missing.Failed() && missing.NotOpened());
    PutFile("missing.txt", "now here\n"); // flags are cleared by the next operation
    EXPECT_EQ(missing.ReadLines(), StringList{"now here"});
    EXPECT_EQ(missing.Flags(), 0);
}

// The program reads whole files through BinaryFile: a short read is an
// error that leaves the stream usable; bad arguments read nothing.
TEST_F(UtilFiles, BinaryFileReads) {
    PutFile("b.bin", "hEYlo!");
    BinaryFile in;
    ASSERT_TRUE(in.OpenForReading("b.bin"));
    char buf[16] = {};
    errno = EINTR; // left by an earlier call: the end of the file still ends the read
    EXPECT_EQ(in.ReadAt(4, buf, 10), 2);
    EXPECT_TRUE(in.Error());
    EXPECT_EQ(in.ReadAt(0, buf, 2), 2);
    EXPECT_EQ(in.ReadAt(5, buf + 2, 1), 1); // a read of one byte
    EXPECT_EQ(std::string(buf, 2), "hE");
    EXPECT_EQ(in.ReadAt(-1, buf, 2) + in.ReadAt(0, buf, -2), 0);
    in.Close();
    EXPECT_EQ(in.ReadAt(0, buf, 2), 0);
    BinaryFile good;
    ASSERT_TRUE(good.OpenForReading("b.bin"));
    good.Close();
    EXPECT_FALSE(good.Error()) << "a good close is no error";
    BinaryFile none;
    EXPECT_FALSE(none.OpenForReading("missing.bin"));
    EXPECT_TRUE(none.Error() && none.NotOpened() && none.ReadAt(0, buf, 1) == 0);
}

// A FIFO (whose open would block), a folder and a device fail at once, as
// files that cannot be opened. (Binary reads of them are refused in the
// loader's own test.)
TEST_F(UtilFiles, OnlyRegularFilesAreOpened) {
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    for (const char* path : {"fifo", ".", "/dev/zero"}) {
        SCOPED_TRACE(path);
        TextFile text(path);
        EXPECT_TRUE(text.ReadLines().empty() && text.Flags() == 257);
        text.AppendLine("x");
        EXPECT_EQ(text.Flags(), 257);
    }
}
