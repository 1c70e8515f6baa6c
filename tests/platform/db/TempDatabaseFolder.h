#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

// A fresh folder per test for database files, removed afterwards.
class TempDatabaseFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmora-db-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
    }

    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }

    std::string PathOf(const std::string& name) const { return (m_root / name).string(); }

private:
    std::filesystem::path m_root;
};
