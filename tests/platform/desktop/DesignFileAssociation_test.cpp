#include "platform/desktop/DesignFileAssociation.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>

#include "platform/fs/DefaultContent.h"
#include "support/TempFolder.h"

namespace {

using desktop::FileOutcome;
using desktop::ToolOutcome;

std::string SystemPath() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/usr/bin:/bin";
}

// Runs a checker on a file; skipped when scripts/setup has not installed it.
#define EXPECT_TOOL_ACCEPTS(tool, args)                                              \
    do {                                                                             \
        const auto found = desktop::FindTool(tool, SystemPath());                    \
        if (found.empty()) {                                                         \
            GTEST_SKIP() << tool << " is not installed (scripts/setup installs it)"; \
        }                                                                            \
        EXPECT_EQ(desktop::RunTool(found, args, std::chrono::seconds(30)).outcome,   \
                  ToolOutcome::Succeeded)                                            \
            << tool << " rejects its input";                                         \
    } while (false)

class DesignFileAssociationTest : public ::testing::Test {
protected:
    desktop::AssociationSetup Setup(const std::string& toolPath) const {
        desktop::AssociationSetup setup;
        setup.env.xdgDataHome = Data().string();
        setup.env.home = m_root.Path().string();
        setup.resourceFolder = pfs::FindResourceFolder(std::filesystem::path());
        setup.executable = m_root.Path() / "install dir" / "velmora";
        setup.toolSearchPath = toolPath;
        setup.toolLimit = std::chrono::milliseconds(2000);
        return setup;
    }
    std::filesystem::path Data() const { return m_root.Path() / "data"; }
    std::filesystem::path Entry() const { return Data() / "applications" / "velmora.desktop"; }
    std::filesystem::path MimeXml() const { return Data() / "mime/packages/velmora.xml"; }
    std::filesystem::path Icon() const {
        return Data() / "icons/hicolor/scalable/apps/velmora.svg";
    }

    // A stand-in for a cache tool: a script that does what the body says.
    std::filesystem::path FakeTools(const std::string& body) const {
        const auto folder = m_root.Path() / "tools";
        for (const char* name : {"update-mime-database", "update-desktop-database"}) {
            const auto path =
                m_root.Write(std::filesystem::path("tools") / name, "#!/bin/sh\n" + body + "\n");
            ::chmod(path.c_str(), 0755);
        }
        return folder;
    }

    static ino_t InodeOf(const std::filesystem::path& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_ino;
    }

    TempFolder m_root;
};

TEST_F(DesignFileAssociationTest, SourceFilesPassTheirValidators) {
    const auto res = pfs::FindResourceFolder(std::filesystem::path());
    EXPECT_TOOL_ACCEPTS("xmllint",
                        (std::vector<std::string>{"--noout", (res / "desktop/velmora.xml").string(),
                                                  (res / "icons/velmora.svg").string()}));
    EXPECT_TOOL_ACCEPTS("desktop-file-validate",
                        (std::vector<std::string>{(res / "desktop/velmora.desktop").string()}));
}

// The entry written for the user, with an Exec path that needs quoting, must
// still be a valid desktop entry; and the MIME package must compile into a
// database that knows both extensions.
TEST_F(DesignFileAssociationTest, InstalledFilesAreValidAndTheDatabaseKnowsBothTypes) {
    auto report = desktop::RegisterDesignFileAssociation(Setup(SystemPath()));
    ASSERT_TRUE(report.Complete()) << report.Describe();
    std::ifstream entry(Entry());
    std::string text((std::istreambuf_iterator<char>(entry)), std::istreambuf_iterator<char>());
    EXPECT_NE(
        text.find("Exec=\"" + (m_root.Path() / "install dir" / "velmora").string() + "\" %f\n"),
        std::string::npos)
        << text;
    EXPECT_TOOL_ACCEPTS("desktop-file-validate", (std::vector<std::string>{Entry().string()}));

    if (desktop::FindTool("update-mime-database", SystemPath()).empty()) {
        GTEST_SKIP() << "update-mime-database is not installed";
    }
    std::ifstream globs(Data() / "mime/globs2");
    std::string globText((std::istreambuf_iterator<char>(globs)), std::istreambuf_iterator<char>());
    EXPECT_NE(globText.find("application/x-velmora-design:*.dg6"), std::string::npos) << globText;
    EXPECT_NE(globText.find("application/x-velmora-selection:*.dqv6"), std::string::npos)
        << globText;
}

TEST_F(DesignFileAssociationTest, SecondRunTouchesNothing) {
    const auto tools = FakeTools("touch \"$1/mime.cache\" \"$1/mimeinfo.cache\"");
    auto first = desktop::RegisterDesignFileAssociation(Setup(tools.string()));
    ASSERT_TRUE(first.Complete()) << first.Describe();
    EXPECT_TRUE(first.Changed());
    for (const auto& file : first.files) {
        EXPECT_EQ(file.outcome, FileOutcome::Written) << file.target;
    }
    ASSERT_EQ(first.refreshes.size(), 2u) << first.Describe();

    std::vector<std::pair<ino_t, std::filesystem::file_time_type>> before;
    for (const auto& path : {Entry(), MimeXml(), Icon()}) {
        before.emplace_back(InodeOf(path), std::filesystem::last_write_time(path));
    }
    auto second = desktop::RegisterDesignFileAssociation(Setup(tools.string()));
    EXPECT_TRUE(second.Complete()) << second.Describe();
    EXPECT_FALSE(second.Changed()) << second.Describe();
    EXPECT_TRUE(second.refreshes.empty()) << second.Describe();
    int i = 0;
    for (const auto& path : {Entry(), MimeXml(), Icon()}) {
        EXPECT_EQ(InodeOf(path), before[i].first) << path;
        EXPECT_EQ(std::filesystem::last_write_time(path), before[i].second) << path;
        ++i;
    }
}

// Changed content (a moved program) is rewritten; the rest stays.
TEST_F(DesignFileAssociationTest, MovedProgramRewritesOnlyTheEntry) {
    auto setup = Setup("");
    ASSERT_TRUE(desktop::RegisterDesignFileAssociation(setup).Complete());
    setup.executable = "/usr/bin/velmora";
    auto report = desktop::RegisterDesignFileAssociation(setup);
    ASSERT_EQ(report.files.size(), 3u);
    EXPECT_EQ(report.files[0].outcome, FileOutcome::Written);
    EXPECT_EQ(report.files[1].outcome, FileOutcome::Unchanged);
    EXPECT_EQ(report.files[2].outcome, FileOutcome::Unchanged);
}

// A cache tool that is missing, fails or hangs never fails the registration
// and never holds up the start.
TEST_F(DesignFileAssociationTest, BrokenCacheToolsDoNotFailTheRegistration) {
    const struct {
        const char* name;
        const char* body;  // empty: no tools at all
        ToolOutcome outcome;
    } cases[] = {
        {"missing", "", ToolOutcome::NotFound},
        {"failing", "exit 3", ToolOutcome::Failed},
        {"hanging", "exec sleep 60", ToolOutcome::TimedOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(Data());
        std::filesystem::remove_all(m_root.Path() / "tools");
        auto setup = Setup(*c.body ? FakeTools(c.body).string() : std::string());
        setup.toolLimit = std::chrono::milliseconds(300);
        const auto start = std::chrono::steady_clock::now();
        auto report = desktop::RegisterDesignFileAssociation(setup);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_TRUE(report.Complete()) << report.Describe();
        ASSERT_EQ(report.refreshes.size(), 2u) << report.Describe();
        for (const auto& refresh : report.refreshes) {
            EXPECT_EQ(refresh.run.outcome, c.outcome) << refresh.tool;
        }
        EXPECT_TRUE(std::filesystem::exists(Entry()));
    }
}

TEST_F(DesignFileAssociationTest, UnwritablePlaceOrMissingSourcesAreReportedNotThrown) {
    // A file where the applications folder should be.
    m_root.Write("data/applications", "in the way");
    auto report = desktop::RegisterDesignFileAssociation(Setup(""));
    EXPECT_FALSE(report.Complete());
    EXPECT_EQ(report.files[0].outcome, FileOutcome::Failed);
    EXPECT_EQ(report.files[1].outcome, FileOutcome::Written);
    EXPECT_NE(report.Describe().find("applications"), std::string::npos) << report.Describe();

    auto setup = Setup("");
    setup.resourceFolder = m_root.Path() / "no resources";
    auto missing = desktop::RegisterDesignFileAssociation(setup);
    EXPECT_FALSE(missing.Complete());
    EXPECT_NE(missing.failure.find("velmora.desktop"), std::string::npos) << missing.failure;
}

}  // namespace
