#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/DesignOpened.h"
#include "document/HousDoc.h"
#include "document/ShowCatalog.h"
#include "document/ShowEntryOnSave.h"
#include "document/ShowGroupFile.h"
#include "platform/fs/StoredPath.h"
#include "platform/text/Cp950.h"

namespace {

using R = ShowCatalogRequest;

struct Listed {
    std::string fileName;  // as stored
    std::string showName;
};

// A group file as the program writes one: CRLF lines, CP950 text.
std::string GroupFileText(const std::string& groupName, const std::vector<Listed>& entries) {
    std::string text = "[QV_SHOW]\r\nGROUPNAME=" + groupName +
                       "\r\nCOUNT=" + std::to_string(entries.size()) + "\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        text += "FILENAME" + n + "=" + entries[i].fileName + "\r\nSHOWNAME" + n + "=" +
                *text::Utf8ToCp950(entries[i].showName) + "\r\nDESIGNER" + n + "=d" + n +
                "\r\nINTRO" + n + "=i" + n + "\r\nINTROFILENAME" + n + "=<QVDIR>p" + n + ".htm\r\n";
    }
    return text;
}

class ShowCatalogTest : public DocumentTest {
protected:
    std::string Folder(const std::string& name) const { return PathOf(name).string() + "/"; }
    std::string Design(const std::string& name) const { return Folder("MyDesign") + name; }

    void WriteGroup(const std::string& relative, const std::vector<Listed>& entries) {
        std::filesystem::create_directories(PathOf(relative).parent_path());
        WriteBytes(PathOf(relative), GroupFileText("g", entries));
    }
    std::string Read(const std::string& relative) const { return ReadBytes(PathOf(relative)); }

    int Run(CHousDoc& doc, const std::string& folder, const std::string& pattern, int operation,
            const std::string& fileName = "") {
        return UpdateShowCatalog(doc, {Folder(folder), pattern, operation, fileName});
    }
};

TEST_F(ShowCatalogTest, GroupFilesAreReadInNumberOrderUntilTheFirstGapWhateverTheirCase) {
    WriteGroup("MyDesign/S1_SHOW.ini", {});
    WriteGroup("MyDesign/S0_Show.ini", {});
    WriteGroup("MyDesign/s0_show.INI", {});
    WriteGroup("MyDesign/S3_Show.ini", {});
    WriteGroup("MyDesign/NonGroup.ini", {});

    const std::vector<ShowCatalogFile> files =
        ListShowCatalogFiles(Folder("MyDesign"), "S*_Show.ini");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path.filename(), "S0_Show.ini");
    EXPECT_EQ(files[0].groupNumber, 0);
    EXPECT_EQ(files[1].path.filename(), "S1_SHOW.ini");
    EXPECT_EQ(files[1].groupNumber, 1);

    const std::vector<ShowCatalogFile> all = ListShowCatalogFiles(Folder("MyDesign"), "*.ini");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].path.filename(), "NonGroup.ini");
}

TEST_F(ShowCatalogTest, GroupNumbersComeFromTheFileName) {
    struct Case {
        const char* name;
        int number;
    };
    for (const Case& c : {Case{"S0_Show.ini", 0}, Case{"s12_SHOW.INI", 12}, Case{"S_Show.ini", -1},
                          Case{"S-1_Show.ini", -1}, Case{"S1x_Show.ini", -1},
                          Case{"NonGroup.ini", -1}, Case{"S1_Show.ini.bak", -1}}) {
        EXPECT_EQ(GroupNumberOfFileName(c.name), c.number) << c.name;
    }
}

TEST_F(ShowCatalogTest, LoadTakesTheShowValuesAndTheGroupNumberOfTheFileThatListsTheDesign) {
    // "NonGroup.ini" sorts before the group files: the group is still 1.
    WriteGroup("Show/NonGroup.ini", {{"other.dg6", "o"}});
    WriteGroup("Show/S0_Show.ini", {{"a.dg6", "a"}});
    WriteGroup("Show/S1_SHOW.ini", {{"b.dg6", "b"}, {"plan.dg6", "客廳"}});
    CHousDoc doc;
    doc.SetDesignPath(Folder("Show") + "plan.dg6");

    EXPECT_EQ(Run(doc, "Show", "*.ini", R::kLoad), 1);
    EXPECT_EQ(doc.Settings().showName, "客廳");
    EXPECT_EQ(doc.Settings().designer, "d2");
    EXPECT_EQ(doc.Settings().intro, "i2");
    EXPECT_EQ(doc.GetShowGroupIndex(), 1);

    doc.SetDesignPath(Folder("Show") + "missing.dg6");
    EXPECT_EQ(Run(doc, "Show", "*.ini", R::kLoad), 0);
    EXPECT_EQ(doc.GetShowCatalogEntries().size(), 4u);
}

TEST_F(ShowCatalogTest, StoredNamesResolveAgainstTheFolderOrAsFullPaths) {
    std::filesystem::create_directories(PathOf("MyDesign"));
    WriteBytes(PathOf("MyDesign/plan.dg6"), "x");
    const std::string stored = pfs::ToStoredPath(Design("plan.dg6"));
    std::string otherCase = stored;
    otherCase.replace(otherCase.find("MyDesign"), 8, "MYDESIGN");

    struct Case {
        std::string stored;
        int found;
    };
    for (const Case& c :
         {Case{"plan.dg6", 1}, Case{"PLAN.DG6", 1}, Case{stored, 1}, Case{otherCase, 1},
          Case{"C:\\MyDesign\\plan.dg6", 0}, Case{"sub\\plan.dg6", 0}, Case{"other.dg6", 0}}) {
        WriteGroup("MyDesign/S0_Show.ini", {{c.stored, "s"}});
        CHousDoc doc;
        doc.SetDesignPath(Design("plan.dg6"));
        // The folder spelt in another case is the same folder.
        EXPECT_EQ(Run(doc, "Mydesign", "S*_SHOW.ini", R::kFind, "s0_show.ini"), c.found)
            << c.stored;
    }
}

TEST_F(ShowCatalogTest, FindLooksOnlyInTheNamedFile) {
    WriteGroup("MyDesign/S0_Show.ini", {{"a.dg6", "a"}});
    WriteGroup("MyDesign/S1_Show.ini", {{"plan.dg6", "p"}});
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kFind, "S0_Show.ini"), 0);
    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kFind, "S1_Show.ini"), 1);
}

TEST_F(ShowCatalogTest, StoreWritesTheDocumentsValuesOverTheEntry) {
    WriteGroup("MyDesign/S0_Show.ini", {{"a.dg6", "a"}, {"plan.dg6", "old"}});
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    doc.Settings().showName = "新名";
    doc.Settings().designer = "王";
    doc.Settings().intro = "介紹";

    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kStore), 1);
    const std::vector<ShowCatalogEntry> entries = ReadShowEntries(PathOf("MyDesign/S0_Show.ini"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fileName, "a.dg6");
    EXPECT_EQ(entries[1].fileName, pfs::ToStoredPath(Design("plan.dg6")));
    EXPECT_EQ(entries[1].showName, "新名");
    EXPECT_EQ(entries[1].designer, "王");
    EXPECT_EQ(entries[1].intro, "介紹");
}

TEST_F(ShowCatalogTest, AddAppendsToTheGroupFileInWhateverCaseItIsSpelt) {
    WriteGroup("MyDesign/S0_Show.ini", {});
    WriteGroup("MyDesign/S1_SHOW.ini", {{"a.dg6", "a"}});
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    doc.Settings().showName = "客廳";
    doc.Settings().designer = "d";
    doc.Settings().intro = "i";
    doc.SetShowGroupIndex(1);

    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kAdd), 1);
    const std::string stored = pfs::ToStoredPath(Design("plan.dg6"));
    std::string expected = GroupFileText("g", {{"a.dg6", "a"}});
    expected.replace(expected.find("COUNT=1"), 7, "COUNT=2");
    expected += "FILENAME2=" + stored + "\r\nSHOWNAME2=" + *text::Utf8ToCp950("客廳") +
                "\r\nDESIGNER2=d\r\nINTRO2=i\r\n";
    EXPECT_EQ(Read("MyDesign/S1_SHOW.ini"), expected);
    EXPECT_FALSE(std::filesystem::exists(PathOf("MyDesign/S1_Show.ini")));

    // A second add of the same design is refused and changes nothing.
    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kAdd), 0);
    EXPECT_EQ(Read("MyDesign/S1_SHOW.ini"), expected);
}

TEST_F(ShowCatalogTest, APatternNeverNamesAFileButTheUngroupedListIsCreated) {
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    doc.SetShowGroupIndex(0);

    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kLoad), 0);
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("MyDesign")));
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("MyDesign")));

    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kAdd), 1);
    EXPECT_TRUE(std::filesystem::exists(PathOf("MyDesign/S0_Show.ini")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("MyDesign/S*_SHOW.ini")));

    // A design that was never given a group joins none.
    doc.SetShowGroupIndex(-1);
    doc.SetDesignPath(Design("other.dg6"));
    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kAdd), 0);
    EXPECT_FALSE(std::filesystem::exists(PathOf("MyDesign/S-1_Show.ini")));

    EXPECT_EQ(Run(doc, "MyDesign", "NonGroup.ini", R::kLoad), 0);
    EXPECT_EQ(Read("MyDesign/NonGroup.ini"), "[QV_SHOW]\r\nGROUPNAME=NonGroupShow\r\nCOUNT=0\r\n");
}

TEST_F(ShowCatalogTest, RemoveTakesTheEntryOutOfTheFileThatListsIt) {
    WriteGroup("MyDesign/S0_Show.ini", {{"a.dg6", "a"}, {"plan.dg6", "p"}, {"c.dg6", "c"}});
    WriteGroup("MyDesign/S1_Show.ini", {{"x.dg6", "x"}, {"y.dg6", "y"}});
    const std::string laterGroup = Read("MyDesign/S1_Show.ini");
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));

    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kRemove), 1);
    const std::vector<ShowCatalogEntry> entries = ReadShowEntries(PathOf("MyDesign/S0_Show.ini"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fileName, "a.dg6");
    EXPECT_EQ(entries[1].fileName, "c.dg6");
    EXPECT_EQ(entries[1].designer, "d3");
    const std::string bytes = Read("MyDesign/S0_Show.ini");
    EXPECT_NE(bytes.find("INTROFILENAME2=<QVDIR>p3.htm\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("COUNT=2\r\n"), std::string::npos);
    EXPECT_EQ(Read("MyDesign/S1_Show.ini"), laterGroup);
    EXPECT_EQ(doc.GetShowCatalogEntries().size(), 4u);

    EXPECT_EQ(Run(doc, "MyDesign", "S*_SHOW.ini", R::kRemove), 0);
}

// The save dialog, answered by the test.
class FakeSaveChooser : public IDesignSaveChooser {
public:
    std::optional<DesignSaveChoice> ChooseDesignFile(const std::string& proposedTitle,
                                                     const std::string& folder) override {
        asked.push_back(proposedTitle + "|" + folder);
        return answer;
    }
    std::optional<DesignSaveChoice> answer;
    std::vector<std::string> asked;
};

TEST_F(ShowCatalogTest, ACancelledOrFailedSaveLeavesThePathAndTheCatalogueAlone) {
    WriteGroup("MyDesign/NonGroup.ini", {{"plan.dg6", "p"}});
    const std::string before = Read("MyDesign/NonGroup.ini");
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    doc.SetProjectDirectory(Folder("MyDesign"));
    FakeSaveChooser chooser;

    EXPECT_FALSE(UpdateShowEntryOnSave(doc, 0, chooser));
    ASSERT_EQ(chooser.asked.size(), 1u);
    EXPECT_EQ(chooser.asked[0], "plan|" + Folder("MyDesign"));

    // The write failed, so the plan is never committed.
    chooser.answer = DesignSaveChoice{Design("new.dg6"), false, 0};
    const std::optional<ShowEntrySavePlan> plan = UpdateShowEntryOnSave(doc, 0, chooser);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->path, Design("new.dg6"));
    EXPECT_EQ(doc.GetDesignPath(), Design("plan.dg6"));
    EXPECT_EQ(Read("MyDesign/NonGroup.ini"), before);
}

TEST_F(ShowCatalogTest, SavingUnderANewNameKeepsTheOldEntryAndAddsOne) {
    WriteGroup("MyDesign/NonGroup.ini", {{"plan.dg6", "p"}});
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    FakeSaveChooser chooser;
    chooser.answer = DesignSaveChoice{Design("new.dg6"), false, 0};

    CommitShowEntryOnSave(doc, *UpdateShowEntryOnSave(doc, 0, chooser));
    EXPECT_EQ(doc.GetDesignPath(), Design("new.dg6"));
    const std::vector<ShowCatalogEntry> entries = ReadShowEntries(PathOf("MyDesign/NonGroup.ini"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fileName, "plan.dg6");
    EXPECT_EQ(entries[1].fileName, pfs::ToStoredPath(Design("new.dg6")));
}

TEST_F(ShowCatalogTest, SavingUnderTheSameNameMovesTheEntryToTheEndOfTheChosenGroup) {
    WriteGroup("MyDesign/S0_Show.ini", {{"plan.dg6", "p"}, {"a.dg6", "a"}});
    WriteGroup("MyDesign/S1_SHOW.ini", {{"b.dg6", "b"}});
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    FakeSaveChooser chooser;
    chooser.answer = DesignSaveChoice{Design("PLAN.dg6"), true, 1};
    std::filesystem::create_directories(PathOf("MyDesign"));
    WriteBytes(PathOf("MyDesign/plan.dg6"), "x");

    CommitShowEntryOnSave(doc, *UpdateShowEntryOnSave(doc, 0, chooser));
    EXPECT_EQ(doc.GetShowGroupIndex(), 1);
    const std::vector<ShowCatalogEntry> first = ReadShowEntries(PathOf("MyDesign/S0_Show.ini"));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].fileName, "a.dg6");
    const std::vector<ShowCatalogEntry> second = ReadShowEntries(PathOf("MyDesign/S1_SHOW.ini"));
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].fileName, pfs::ToStoredPath(Design("PLAN.dg6")));
}

TEST_F(ShowCatalogTest, SavingAModifiedDesignStoresItsShowValuesInTheFirstCatalogueThatListsIt) {
    WriteGroup("Show/S0_Show.ini", {{pfs::ToStoredPath(Design("plan.dg6")), "built-in"}});
    WriteGroup("MyDesign/NonGroup.ini", {{"plan.dg6", "mine"}});
    const std::string ungrouped = Read("MyDesign/NonGroup.ini");
    CHousDoc doc;
    doc.SetDesignPath(Design("plan.dg6"));
    doc.Settings().showName = "changed";
    FakeSaveChooser chooser;

    const std::optional<ShowEntrySavePlan> unmodified = UpdateShowEntryOnSave(doc, 1, chooser);
    ASSERT_TRUE(unmodified);
    CommitShowEntryOnSave(doc, *unmodified);
    EXPECT_EQ(ReadShowEntries(PathOf("Show/S0_Show.ini"))[0].showName, "built-in");

    doc.SetDesignModified(1);
    const std::optional<ShowEntrySavePlan> plan = UpdateShowEntryOnSave(doc, 1, chooser);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->path, Design("plan.dg6"));
    doc.SetDesignModified(0);  // the save clears it before the catalogue is told
    CommitShowEntryOnSave(doc, *plan);
    EXPECT_EQ(ReadShowEntries(PathOf("Show/S0_Show.ini"))[0].showName, "changed");
    EXPECT_EQ(Read("MyDesign/NonGroup.ini"), ungrouped);
    EXPECT_TRUE(chooser.asked.empty());
}

class FakeOpenedHost : public IDesignOpenedHost {
public:
    void OnShowMode() override { calls.push_back("show"); }
    void OnEditMode() override { calls.push_back("edit"); }
    void PlayBackgroundMusic() override { calls.push_back("music"); }
    void SetFrameTitle(std::string_view text) override {
        calls.push_back("title " + std::string(text));
    }
    void LoadViewPointsFromBlock() override { calls.push_back("points"); }
    void LoadBrowseRecording() override { calls.push_back("recording"); }
    void AddToRecentFileList(const std::string& path) override {
        calls.push_back("recent " + path);
    }
    std::vector<std::string> calls;
};

TEST_F(ShowCatalogTest, ADesignOfTheBuiltInShowcaseOpensInShowModeAnyOtherInEditMode) {
    const std::string design = Design("plan.dg6");
    WriteGroup("Show/S0_Show.ini", {{"a.dg6", "a"}});
    WriteGroup("Show/S1_Show.ini", {{pfs::ToStoredPath(design), "展示"}});
    WriteGroup("MyDesign/NonGroup.ini", {{"plan.dg6", "mine"}, {"other.dg6", "o"}});
    {
        CHousDoc doc;
        doc.SetDesignPath(design);
        doc.SetDesignModified(1);
        doc.Settings().autoPlayMusic = 1;
        FakeOpenedHost host;
        OnDesignOpened(doc, host);
        EXPECT_EQ(host.calls,
                  (std::vector<std::string>{"show", "music", "title " + design, "points",
                                            "recording", "recent " + design}));
        EXPECT_EQ(doc.Settings().showName, "展示");
        EXPECT_EQ(doc.GetShowGroupIndex(), 1);
        EXPECT_EQ(doc.GetDesignModified(), 0);
        EXPECT_EQ(doc.GetProjectDirectory(), Folder("MyDesign"));
        EXPECT_NE(Read("zadivav.ini")
                      .find("PROJECT_DIRECTORY=" + pfs::ToStoredPath(Folder("MyDesign")) + "\r\n"),
                  std::string::npos);
    }
    std::filesystem::remove(PathOf("Show/S1_Show.ini"));
    {
        CHousDoc doc;
        doc.SetDesignPath(design);
        FakeOpenedHost host;
        OnDesignOpened(doc, host);
        ASSERT_FALSE(host.calls.empty());
        EXPECT_EQ(host.calls[0], "edit");
        EXPECT_EQ(doc.Settings().showName, "mine");
    }
}

}  // namespace
