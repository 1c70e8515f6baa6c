#include "platform/fs/AtomicFileWriter.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TempFolderTest.h"
#include "platform/fs/RegularFile.h"

namespace {

using AtomicFileWriterTest = TempFolderTest;

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST_F(AtomicFileWriterTest, CommitWritesEveryByteAndLeavesOnlyTheTarget) {
    const auto target = Root() / "家.dg6";
    WriteText(target, "old design");
    std::string big(200 * 1024, 'x');
    big[1000] = '\0';

    pfs::AtomicFileWriter writer(target);
    EXPECT_TRUE(writer.Write("head", 4));
    EXPECT_TRUE(writer.Write(big));
    EXPECT_TRUE(writer.Write(std::string_view("\0tail", 5)));
    auto committed = writer.Commit();
    ASSERT_TRUE(committed.Ok()) << committed.Error();

    auto read = pfs::ReadWholeFile(target, 1u << 20);
    ASSERT_TRUE(read.Ok()) << read.Error();
    EXPECT_EQ(read.Value(), "head" + big + std::string("\0tail", 5));
    EXPECT_EQ(Names(Root()), (std::set<std::string>{"家.dg6"}));
}

TEST_F(AtomicFileWriterTest, WriteFailureLeavesOriginalUntouched) {
    const auto target = Root() / "design.dg6";
    WriteText(target, "old design");

    // A file size limit makes writes fail even for root, first short, then EFBIG.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 10000;
    auto* savedHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    pfs::AtomicFileWriter writer(target);
    bool firstWrite = writer.Write(std::string(100 * 1024, 'n'));
    bool laterWrite = writer.Write("more", 4);
    auto committed = writer.Commit();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(firstWrite);
    EXPECT_FALSE(laterWrite);
    ASSERT_FALSE(committed.Ok());
    EXPECT_NE(committed.Error().find(target.string()), std::string::npos) << committed.Error();
    EXPECT_EQ(ReadText(target), "old design");
    EXPECT_EQ(Names(Root()), (std::set<std::string>{"design.dg6"}));
}

TEST_F(AtomicFileWriterTest, ImpossibleTargetsFailAndLeaveNothingBehind) {
    std::filesystem::create_directories(Root() / "folder/inside");
    std::filesystem::create_symlink("loop", Root() / "loop");

    const struct {
        const char* name;
        const char* target;
    } cases[] = {
        {"folder missing", "missing/design.dg6"},
        {"target is a folder", "folder"},
        {"symlink loop", "loop"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto target = Root() / c.target;
        auto written = pfs::WriteFileAtomically(target, "new");
        ASSERT_FALSE(written.Ok());
        EXPECT_NE(written.Error().find(target.string()), std::string::npos) << written.Error();
        EXPECT_EQ(Names(Root()), (std::set<std::string>{"folder", "loop"}));
        EXPECT_EQ(Names(Root() / "folder"), (std::set<std::string>{"inside"}));
    }
}

TEST_F(AtomicFileWriterTest, ModeBitsOfTheTargetAreKept) {
    for (mode_t mode : {0640, 0600, 0755}) {
        SCOPED_TRACE(mode);
        const auto target = Root() / "settings.ini";
        WriteText(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        auto written = pfs::WriteFileAtomically(target, "new");
        ASSERT_TRUE(written.Ok()) << written.Error();
        EXPECT_EQ(ModeOf(target), mode);
        EXPECT_EQ(ReadText(target), "new");
    }
}

TEST_F(AtomicFileWriterTest, NewFileGetsTheUmaskMode) {
    mode_t savedMask = ::umask(027);
    auto written = pfs::WriteFileAtomically(Root() / "new.ini", "new");
    ::umask(savedMask);
    ASSERT_TRUE(written.Ok()) << written.Error();
    EXPECT_EQ(ModeOf(Root() / "new.ini"), 0640u);
}

TEST_F(AtomicFileWriterTest, SymlinkStaysALinkAndItsFileIsReplaced) {
    WriteText(Root() / "real/design.dg6", "old");
    std::filesystem::create_directories(Root() / "links");
    std::filesystem::create_symlink("../real/design.dg6", Root() / "links/design.dg6");

    auto written = pfs::WriteFileAtomically(Root() / "links/design.dg6", "new");
    ASSERT_TRUE(written.Ok()) << written.Error();

    EXPECT_TRUE(std::filesystem::is_symlink(Root() / "links/design.dg6"));
    EXPECT_EQ(std::filesystem::read_symlink(Root() / "links/design.dg6"), "../real/design.dg6");
    EXPECT_EQ(ReadText(Root() / "real/design.dg6"), "new");
    EXPECT_EQ(Names(Root() / "real"), (std::set<std::string>{"design.dg6"}));
    EXPECT_EQ(Names(Root() / "links"), (std::set<std::string>{"design.dg6"}));
}

TEST_F(AtomicFileWriterTest, WriterDestroyedWithoutCommitKeepsTheOldFile) {
    const auto target = Root() / "design.dg6";
    WriteText(target, "old design");
    {
        pfs::AtomicFileWriter writer(target);
        EXPECT_TRUE(writer.Write(std::string(100 * 1024, 'n')));
    }
    EXPECT_EQ(ReadText(target), "old design");
    EXPECT_EQ(Names(Root()), (std::set<std::string>{"design.dg6"}));
}

}  // namespace
