#include "platform/fs/AtomicFileWriter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <system_error>

#include <gtest/gtest.h>

#include "TempFolderTest.h"
#include "platform/fs/RegularFile.h"
#include "platform/fs/SaveTempFiles.h"
#include "platform/text/Cp950.h"

namespace {

using AtomicFileWriterTest = TempFolderTest;

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void MakeSocket(const std::filesystem::path& path) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

// How a forked child ended: its exit code, or -signal when a signal killed it.
int ChildOutcome(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child) {
        return INT_MIN;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Restores the working folder when the test ends, however it ends.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : m_saved(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved;
};

// Lowers the open-file limit so that the next descriptor cannot be had.
class OutOfDescriptors {
public:
    OutOfDescriptors() {
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        int next = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(next);
        rlimit none = m_saved;
        none.rlim_cur = static_cast<rlim_t>(next);
        ::setrlimit(RLIMIT_NOFILE, &none);
    }
    ~OutOfDescriptors() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved{};
};

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

// Renaming over a device would replace it: a link to /dev/null once cost a
// machine its /dev/null. The node is made here where possible, so that a
// regression run as root cannot harm the real one.
TEST_F(AtomicFileWriterTest, TargetsThatAreNotWritableRegularFilesAreRefused) {
    const auto device = Root() / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        ASSERT_NE(::geteuid(), 0u) << "root without CAP_MKNOD: /dev/null itself would be at risk";
        std::filesystem::create_symlink("/dev/null", device);
    }
    std::filesystem::create_symlink(device, Root() / "device-link");
    ASSERT_EQ(::mkfifo((Root() / "fifo").c_str(), 0666), 0);
    std::filesystem::create_symlink("fifo", Root() / "fifo-link");
    MakeSocket(Root() / "socket");
    WriteText(Root() / "read-only", "kept");
    ASSERT_EQ(::chmod((Root() / "read-only").c_str(), 0444), 0);
    WriteText(Root() / "owner-may-not-write", "kept");
    ASSERT_EQ(::chmod((Root() / "owner-may-not-write").c_str(), 0466), 0);
    std::filesystem::create_symlink("read-only", Root() / "read-only-link");
    const auto before = Names(Root());

    const struct {
        const char* target;
        const char* why;
    } cases[] = {
        {"null", "不是一般檔案"},
        {"device-link", "不是一般檔案"},
        {"fifo", "不是一般檔案"},
        {"fifo-link", "不是一般檔案"},
        {"socket", "不是一般檔案"},
        {"read-only", "是唯讀檔案"},
        {"owner-may-not-write", "是唯讀檔案"},
        {"read-only-link", "是唯讀檔案"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const auto target = Root() / c.target;
        auto written = pfs::WriteFileAtomically(target, "new");
        ASSERT_FALSE(written.Ok());
        EXPECT_TRUE(Contains(written.Error(), "「" + target.string() + "」" + c.why))
            << written.Error();
        EXPECT_EQ(Names(Root()), before);
    }
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_EQ(ReadText(Root() / "read-only"), "kept");
    EXPECT_EQ(ModeOf(Root() / "read-only"), 0444u);
    EXPECT_EQ(ReadText(Root() / "owner-may-not-write"), "kept");
}

// Without the signal ignored, the size limit would kill the program; a
// library caller that never set it up gets EFBIG too.
TEST_F(AtomicFileWriterTest, FileSizeLimitIsReportedAsFileTooLarge) {
    const auto target = Root() / "design.dg6";
    WriteText(target, "old design");

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 10000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        auto written = pfs::WriteFileAtomically(target, std::string(100 * 1024, 'n'));
        const bool reported = !written.Ok() && Contains(written.Error(), target.string()) &&
                              Contains(written.Error(), Reason(EFBIG));
        ::_exit(reported ? 0 : 1);
    }
    EXPECT_EQ(ChildOutcome(child), 0) << "1: no EFBIG message; negative: killed by that signal";
    EXPECT_EQ(ReadText(target), "old design");
    EXPECT_EQ(Names(Root()), (std::set<std::string>{"design.dg6"}));
}

// Names of 248 to 255 bytes once left no room for the temporary's suffix.
TEST_F(AtomicFileWriterTest, TemporaryOfAKilledSaveIsRemovedByTheNextSave) {
    std::string chinese;
    for (int i = 0; i < 85; ++i) {
        chinese += "家";
    }
    const std::string names[] = {"design.dg6", std::string(251, 'd') + ".dg6", chinese};
    for (const std::string& name : names) {
        SCOPED_TRACE(name.size());
        const auto target = Root() / name;
        WriteText(target, "old design");

        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            pfs::AtomicFileWriter writer(target);
            writer.Write(std::string(100 * 1024, 'n'));
            ::kill(::getpid(), SIGKILL);
            ::_exit(1);
        }
        ASSERT_EQ(ChildOutcome(child), -SIGKILL);
        auto left = Names(Root());
        ASSERT_EQ(left.size(), 2u);
        left.erase(name);
        const std::string& stale = *left.begin();
        EXPECT_LE(stale.size(), static_cast<std::size_t>(NAME_MAX));
        EXPECT_TRUE(text::Utf8ToCp950(stale)) << "the name is cut inside a character";
        EXPECT_EQ(ReadText(target), "old design");

        auto written = pfs::WriteFileAtomically(target, "new design");
        ASSERT_TRUE(written.Ok()) << written.Error();
        EXPECT_EQ(ReadText(target), "new design");
        EXPECT_EQ(Names(Root()), (std::set<std::string>{name}));
        std::filesystem::remove(target);
    }
}

// The clean-up removes only what a killed save of this very target left.
TEST_F(AtomicFileWriterTest, CleanUpLeavesEveryOtherFileAlone) {
    const auto target = Root() / "design.dg6";
    WriteText(target, "old design");
    pfs::AtomicFileWriter running(target);
    ASSERT_TRUE(running.Write("running save"));
    const std::string ours = pfs::SaveTempPrefix(target);
    const std::string others = pfs::SaveTempPrefix(Root() / "other.dg6");
    WriteText(Root() / (ours + "Stale1"), "killed save");
    const std::string kept[] = {
        ".design.dg6.Ab12Cd",  // another program's pattern
        ours + "Ab12C",        // too short
        ours + "Ab12Cde",      // too long
        ours + "Ab-2Cd",       // not letters and digits
        others + "Ab12Cd",     // another target's
        "other.dg6",
    };
    for (const std::string& name : kept) {
        WriteText(Root() / name, "kept");
    }
    std::filesystem::create_directory(Root() / (ours + "Folder"));
    std::filesystem::create_symlink("other.dg6", Root() / (ours + "Link01"));
    ASSERT_EQ(::mkfifo((Root() / (ours + "Fifo01")).c_str(), 0666), 0);
    auto expected = Names(Root());
    expected.erase(ours + "Stale1");

    auto written = pfs::WriteFileAtomically(target, "new design");
    ASSERT_TRUE(written.Ok()) << written.Error();
    EXPECT_EQ(Names(Root()), expected);
    for (const std::string& name : kept) {
        EXPECT_EQ(ReadText(Root() / name), "kept") << name;
    }
    auto runningCommitted = running.Commit();
    ASSERT_TRUE(runningCommitted.Ok()) << runningCommitted.Error();
    EXPECT_EQ(ReadText(target), "running save");
}

// Without a folder part the folder is the working one; the save must not be
// reported as failed once the file was replaced.
TEST_F(AtomicFileWriterTest, BareFileNameIsSavedInTheWorkingFolder) {
    WriteText(Root() / "design.dg6", "old design");
    WorkingFolder inRoot(Root());
    auto written = pfs::WriteFileAtomically("design.dg6", "new design");
    ASSERT_TRUE(written.Ok()) << written.Error();
    EXPECT_EQ(ReadText(Root() / "design.dg6"), "new design");
    EXPECT_EQ(Names(Root()), (std::set<std::string>{"design.dg6"}));
}

TEST_F(AtomicFileWriterTest, FailedTemporaryCreateReportsItsOwnReason) {
    std::filesystem::create_directory(Root() / "locked");
    ASSERT_EQ(::chmod((Root() / "locked").c_str(), 0555), 0);
    const struct {
        const char* name;
        const char* target;
        int error;
        bool outOfDescriptors;
    } cases[] = {
        {"folder missing", "missing/design.dg6", ENOENT, false},
        {"folder not writable", "locked/design.dg6", EACCES, false},
        {"no descriptor left", "design.dg6", EMFILE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.error == EACCES && ::geteuid() == 0) {
            continue;  // root writes into any folder
        }
        const auto target = Root() / c.target;
        pfs::Result<void> written = pfs::Failure{};
        {
            std::optional<OutOfDescriptors> limit;
            if (c.outOfDescriptors) {
                limit.emplace();
            }
            written = pfs::WriteFileAtomically(target, "new");
        }
        ASSERT_FALSE(written.Ok());
        EXPECT_TRUE(Contains(written.Error(), "建立暫存檔以儲存「" + target.string() + "」"))
            << written.Error();
        EXPECT_TRUE(Contains(written.Error(), Reason(c.error))) << written.Error();
    }
    EXPECT_EQ(Names(Root()), (std::set<std::string>{"locked"}));
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
