#include "platform/fs/RegularFile.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include <gtest/gtest.h>

#include "TempFolderTest.h"

namespace {

using RegularFileTest = TempFolderTest;

TEST_F(RegularFileTest, ReadsARegularFileThroughALink) {
    const auto target = Root() / "紋理.bmp";
    WriteText(target, std::string("BM\0\x01", 4));
    std::filesystem::create_symlink(target, Root() / "link.bmp");

    auto read = pfs::ReadWholeFile(Root() / "link.bmp", 4);
    ASSERT_TRUE(read.Ok()) << read.Error();
    EXPECT_EQ(read.Value(), std::string("BM\0\x01", 4));
}

TEST_F(RegularFileTest, MissingFileIsNamedInTheError) {
    auto read = pfs::ReadWholeFile(Root() / "missing.ini", 100);
    ASSERT_FALSE(read.Ok());
    EXPECT_NE(read.Error().find((Root() / "missing.ini").string()), std::string::npos)
        << read.Error();
}

TEST_F(RegularFileTest, FileBeyondItsBoundIsRefusedUnread) {
    WriteText(Root() / "big.ini", std::string(101, 'x'));
    auto read = pfs::ReadWholeFile(Root() / "big.ini", 100);
    ASSERT_FALSE(read.Ok());
    EXPECT_NE(read.Error().find("上限"), std::string::npos) << read.Error();
}

// A FIFO with no writer would block a plain open forever, and /dev/zero
// would be read without end: both must be refused at once.
TEST_F(RegularFileTest, SpecialFilesAreRefusedWithoutBlocking) {
    const auto fifo = Root() / "texture.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", Root() / "zero.bmp");
    std::filesystem::create_directory(Root() / "folder.bmp");
    const auto socketPath = Root() / "s.bmp";
    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

    for (const char* name : {"texture.bmp", "zero.bmp", "folder.bmp", "s.bmp"}) {
        const auto start = std::chrono::steady_clock::now();
        auto read = pfs::ReadWholeFile(Root() / name, pfs::kImageFileLimit);
        EXPECT_FALSE(read.Ok()) << name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << name;
        auto opened = pfs::OpenRegularFile(Root() / name, pfs::kImageFileLimit);
        EXPECT_FALSE(opened.Ok()) << name;
    }
    ::close(sock);
}

TEST_F(RegularFileTest, ReleasedStreamReadsFromTheStart) {
    WriteText(Root() / "a.dxf", "0\nSECTION\n");
    auto opened = pfs::OpenRegularFile(Root() / "a.dxf", 100);
    ASSERT_TRUE(opened.Ok()) << opened.Error();
    EXPECT_EQ(opened.Value().Size(), 10u);
    // The non-blocking open is for refusing special files only; reads block.
    EXPECT_EQ(::fcntl(opened.Value().Descriptor(), F_GETFL) & O_NONBLOCK, 0);
    FILE* stream = opened.Value().ReleaseToStream();
    ASSERT_NE(stream, nullptr);
    char line[16] = {};
    ASSERT_NE(std::fgets(line, sizeof(line), stream), nullptr);
    EXPECT_STREQ(line, "0\n");
    std::fclose(stream);
}

}  // namespace
