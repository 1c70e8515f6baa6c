#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "library/CatalogSchema.h"
#include "platform/db/SqliteDatabase.h"
#include "support/TempFolder.h"

// A fresh program folder holding an empty catalogue "RIr6.db", and the
// messages the code under test shows.
class CatalogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousProgramFolder = GetProgramFolder();
        SetProgramFolder(m_folder.Path());
        ASSERT_TRUE(m_catalog.Open(CatalogPath(), pdb::CSqliteDatabase::OpenMode::kCreate));
        ASSERT_TRUE(m_catalog.Execute(kCatalogSchemaSql)) << m_catalog.GetErrorText();
    }

    void TearDown() override {
        m_catalog.Close();
        SetProgramFolder(m_previousProgramFolder);
    }

    std::string CatalogPath() const { return PathOf("RIr6.db"); }
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }

    // The fixture's own connection to the catalogue, to make and check rows.
    pdb::CSqliteDatabase& Catalog() { return m_catalog; }

    void Sql(const std::string& sql) {
        ASSERT_TRUE(m_catalog.Execute(sql)) << m_catalog.GetErrorText();
    }

    // The rows of a query, each as its values joined by '|', NULL as "<null>".
    std::vector<std::string> Rows(const std::string& sql) {
        std::vector<std::string> rows;
        EXPECT_TRUE(m_catalog.Query(sql, [&](const pdb::CSqliteRow& row) {
            std::string text;
            for (int i = 0; i < row.GetColumnCount(); ++i) {
                text += (i > 0 ? "|" : "") + row.GetValue(i).value_or("<null>");
            }
            rows.push_back(text);
            return true;
        })) << m_catalog.GetErrorText();
        return rows;
    }

    // The catalogue file's change counter, which SQLite moves on by one for
    // every transaction that writes to the file.
    std::uint32_t CommitCount() const {
        std::ifstream file(CatalogPath(), std::ios::binary);
        unsigned char header[28] = {};
        file.read(reinterpret_cast<char*>(header), sizeof header);
        return static_cast<std::uint32_t>(header[24]) << 24 | header[25] << 16 | header[26] << 8 |
               header[27];
    }

    static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::vector<std::string> m_messages;
    CScopedPromptHandlers m_prompts{[this](const MessageRequest& request) {
        m_messages.push_back(request.text);
        return PromptAnswer::Ok;
    }};

private:
    TempFolder m_folder;
    std::string m_previousProgramFolder;
    pdb::CSqliteDatabase m_catalog;
};
