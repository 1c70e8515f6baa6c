#include "platform/db/JetImport.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "TempDatabaseFolder.h"

namespace {

using JetImportTest = TempDatabaseFolder;

TEST_F(JetImportTest, MissingJetFileFailsWithoutLeavingATarget) {
    std::string error;
    EXPECT_FALSE(pdb::ImportJetDatabase(PathOf("RIr6.mdb"), PathOf("RIr6.db"), error));
    EXPECT_NE(error.find("RIr6.mdb"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(PathOf("RIr6.db")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("RIr6.db.import")));
}

TEST_F(JetImportTest, FileThatIsNoJetDatabaseIsRefused) {
    std::ofstream(PathOf("RIr6.mdb"), std::ios::binary) << std::string(4096, 'x');
    std::string error;
    EXPECT_FALSE(pdb::ImportJetDatabase(PathOf("RIr6.mdb"), PathOf("RIr6.db"), error));
    EXPECT_NE(error.find("不是 Jet 資料庫"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(PathOf("RIr6.db")));
}

TEST_F(JetImportTest, ExistingTargetIsNeverReplaced) {
    std::ofstream(PathOf("RIr6.db")) << "kept";
    std::ofstream(PathOf("RIr6.mdb")) << "x";
    std::string error;
    EXPECT_FALSE(pdb::ImportJetDatabase(PathOf("RIr6.mdb"), PathOf("RIr6.db"), error));
    EXPECT_NE(error.find("已經存在"), std::string::npos);
    std::ifstream in(PathOf("RIr6.db"));
    std::string content;
    in >> content;
    EXPECT_EQ(content, "kept");
}

}  // namespace
