#include "shell/CatalogueLocation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "foundation/ProfileFile.h"
#include "foundation/Prompt.h"
#include "objects/LibraryCatalog.h"
#include "support/TempFolder.h"

namespace {

// Answers the missing-catalogue question with answer and keeps what was asked.
class CatalogueLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageHandler([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return PromptAnswer::Ok;
        });
        SetFileNameHandler([this](const FileNameRequest& request) {
            asked = request;
            return answer;
        });
    }
    void TearDown() override {
        SetMessageHandler({});
        SetFileNameHandler({});
        CLibraryCatalog::SetCatalogFilePath({});
    }

    CProfileFile Settings() const { return CProfileFile(home.Path() / "zadivav.ini"); }

    TempFolder home;
    std::vector<std::string> messages;
    std::optional<FileNameRequest> asked;
    std::optional<std::string> answer;
};

TEST_F(CatalogueLocationTest, AFreshProgramFolderUsesItsOwnCatalogueWithoutAsking) {
    CProfileFile settings = Settings();
    LocateCatalogueDatabase(home.Path(), settings);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(asked);
    EXPECT_EQ(CLibraryCatalog::GetCatalogFilePath("/elsewhere"),
              (home.Path() / CLibraryCatalog::kCatalogFileName).string());
}

TEST_F(CatalogueLocationTest, AConfiguredCatalogueThatIsThereIsUsedWithoutAsking) {
    const std::string file = home.Write("library/RIr6.db", "x").string();
    CProfileFile settings = Settings();
    ASSERT_TRUE(settings.SetString("Database", "LOCALDATABASE", file));
    LocateCatalogueDatabase(home.Path(), settings);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(asked);
    EXPECT_EQ(CLibraryCatalog::GetCatalogFilePath(home.Path().string()), file);
}

// The chosen catalogue is used in this run already, not only after a restart.
TEST_F(CatalogueLocationTest, AMissingCatalogueIsAskedForAndTheChoiceIsUsedAndKept) {
    const std::string chosen = home.Write("new place/RIr6.db", "x").string();
    answer = chosen;
    CProfileFile settings = Settings();
    ASSERT_TRUE(settings.SetString("database", "localdatabase", "/gone/RIr6.db"));
    LocateCatalogueDatabase(home.Path(), settings);

    ASSERT_EQ(messages, std::vector<std::string>{"群組件資料庫(RIr6.mdb)不在目前路徑上!"});
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->title, "請指定正確資料庫位置");
    EXPECT_FALSE(asked->save);
    EXPECT_NE(asked->filter.find("*.db"), std::string::npos);
    EXPECT_EQ(CLibraryCatalog::GetCatalogFilePath(home.Path().string()), chosen);

    auto saved = CProfileFile::Open(home.Path() / "zadivav.ini");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.Value().GetString("Database", "LOCALDATABASE", ""), chosen);
    const std::string folder = (home.Path() / "new place").string() + "/";
    for (const char* key : {"LOCALMODELDIRECTORY", "LOCALTEXTUREDIRECTORY", "LOCALPLANTDIRECTORY",
                            "LOCALTPICTUREDIRECTORY"}) {
        EXPECT_EQ(saved.Value().GetString("Database", key, ""), folder) << key;
    }
}

TEST_F(CatalogueLocationTest, CancellingTheQuestionChangesNothing) {
    CProfileFile settings = Settings();
    ASSERT_TRUE(settings.SetString("Database", "LOCALDATABASE", "/gone/RIr6.db"));
    LocateCatalogueDatabase(home.Path(), settings);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(asked);
    EXPECT_EQ(CLibraryCatalog::GetCatalogFilePath(home.Path().string()), "/gone/RIr6.db");
    EXPECT_FALSE(std::filesystem::exists(home.Path() / "zadivav.ini"));
}

}  // namespace
