#pragma once

#include <string>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

// A fresh folder per test for database files, removed afterwards.
class TempDatabaseFolder : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }

private:
    TempFolder m_folder;
};
