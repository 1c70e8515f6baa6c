#include "objects/LibraryCatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A catalogue entry that counts the live instances.
struct Entry {
    explicit Entry(std::string n, int r = 0) : name(std::move(n)), rate(r) { ++alive; }
    ~Entry() { --alive; }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    std::string name;
    int rate;
    inline static int alive = 0;
};

Entry& At(const CatalogEntryList& list, std::size_t i) {
    return *static_cast<Entry*>(list[i].get());
}

std::vector<std::string> Names(const CatalogEntryList& list) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.size(); ++i) {
        names.push_back(At(list, i).name);
    }
    return names;
}

// Records every call; a folder scan gives the entries set up for it.
class RecordingDatabase : public CCatalogDatabase {
public:
    struct Shared {
        std::vector<std::string> calls;
        std::map<std::string, std::vector<std::pair<std::string, int>>> folders;
        int openResult = 1;
        bool open = false;
    };

    explicit RecordingDatabase(Shared& shared) : m_shared(shared) {}

    int Open(const std::string& path) override {
        m_shared.calls.push_back("Open " + path);
        m_shared.open = m_shared.openResult == 1;
        return m_shared.openResult;
    }
    void Close() override {
        m_shared.calls.push_back("Close");
        m_shared.open = false;
    }
    bool IsOpen() const override { return m_shared.open; }

    void ScanModelFolder(const std::string& f, CatalogEntryList& l) override {
        Scan("Model", f, l);
    }
    void ScanPictureFolder(const std::string& f, CatalogEntryList& l) override {
        Scan("Picture", f, l);
    }
    void ScanTextureFolder(const std::string& f, CatalogEntryList& l) override {
        Scan("Texture", f, l);
    }
    void SetModelRate(const std::string& n, int r) override { Rate("Model", n, r); }
    void SetPictureRate(const std::string& n, int r) override { Rate("Picture", n, r); }
    void SetTextureRate(const std::string& n, int r) override { Rate("Texture", n, r); }
    int SortModelsByRate(CatalogEntryList& l) override { return Sort("Model", l); }
    int SortPicturesByRate(CatalogEntryList& l) override { return Sort("Picture", l); }
    int SortTexturesByRate(CatalogEntryList& l) override { return Sort("Texture", l); }

private:
    void Scan(const std::string& kind, const std::string& folder, CatalogEntryList& list) {
        m_shared.calls.push_back("Scan" + kind + " " + folder);
        for (const auto& [name, rate] : m_shared.folders[folder]) {
            list.push_back(std::make_shared<Entry>(name, rate));
        }
    }
    void Rate(const std::string& kind, const std::string& name, int rate) {
        m_shared.calls.push_back("Set" + kind + "Rate " + name + " " + std::to_string(rate));
    }
    int Sort(const std::string& kind, CatalogEntryList& list) {
        m_shared.calls.push_back("Sort" + kind);
        std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return static_cast<Entry*>(a.get())->rate > static_cast<Entry*>(b.get())->rate;
        });
        return 0;
    }

    Shared& m_shared;
};

class LibraryCatalogTest : public ::testing::Test {
protected:
    std::unique_ptr<CLibraryCatalog> MakeCatalog() {
        return std::make_unique<CLibraryCatalog>(std::make_unique<RecordingDatabase>(m_db),
                                                 "/home/u/velmora");
    }

    RecordingDatabase::Shared m_db;
};

TEST_F(LibraryCatalogTest, OpensTheProgramFoldersCatalogueAndClosesItAtTheEnd) {
    auto catalog = MakeCatalog();
    EXPECT_EQ(catalog->GetOpenResult(), 1);
    catalog.reset();
    EXPECT_EQ(m_db.calls, (std::vector<std::string>{"Open /home/u/velmora/RIr6.db", "Close"}));

    m_db.calls.clear();
    m_db.openResult = 0;
    catalog = MakeCatalog();
    EXPECT_EQ(catalog->GetOpenResult(), 0);
    catalog.reset();
    EXPECT_EQ(m_db.calls, (std::vector<std::string>{"Open /home/u/velmora/RIr6.db"}));
}

TEST_F(LibraryCatalogTest, WithoutAKindNothingIsListed) {
    m_db.folders["SModel/Sofa"] = {{"Sofa", 0}};
    auto catalog = MakeCatalog();
    CatalogEntryList out;
    catalog->GetFolderEntries("SModel/Sofa", out);
    // A kind outside the three selects no operations either.
    catalog->SetKind(7);
    catalog->GetFolderEntries("SModel/Sofa", out);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(m_db.calls.size(), 1u);
}

TEST_F(LibraryCatalogTest, EachKindRunsItsOwnOperations) {
    struct Case {
        int kind;
        const char* scan;
        const char* sort;
        const char* rate;
    };
    const Case cases[] = {
        {kCatalogKindModels, "ScanModel F", "SortModel", "SetModelRate x 4"},
        {kCatalogKindPictures, "ScanPicture F", "SortPicture", "SetPictureRate x 4"},
        {kCatalogKindTextures, "ScanTexture F", "SortTexture", "SetTextureRate x 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto catalog = MakeCatalog();
        catalog->SetKind(c.kind);
        EXPECT_EQ(catalog->GetKind(), c.kind);
        m_db.calls.clear();
        CatalogEntryList out;
        catalog->GetFolderEntries("F", out);
        catalog->SetRate("x", 4);
        EXPECT_EQ(m_db.calls, (std::vector<std::string>{c.scan, c.sort, c.rate}));
    }
}

TEST_F(LibraryCatalogTest, AnUnknownKindKeepsTheOperationsChosenBefore) {
    auto catalog = MakeCatalog();
    catalog->SetKind(kCatalogKindTextures);
    catalog->SetKind(9);
    EXPECT_EQ(catalog->GetKind(), 9);
    m_db.calls.clear();
    CatalogEntryList out;
    catalog->GetFolderEntries("F", out);
    EXPECT_EQ(m_db.calls, (std::vector<std::string>{"ScanTexture F", "SortTexture"}));
}

TEST_F(LibraryCatalogTest, AFolderIsScannedOnceAndSortedOnEveryRequest) {
    m_db.folders["STexture/Wood"] = {{"K", 0}, {"L", 3}, {"M", 1}};
    auto catalog = MakeCatalog();
    catalog->SetKind(kCatalogKindTextures);
    m_db.calls.clear();

    CatalogEntryList first;
    catalog->GetFolderEntries("STexture/Wood", first);
    EXPECT_EQ(Names(first), (std::vector<std::string>{"L", "M", "K"}));

    At(first, 2).rate = 5;  // K becomes the favourite
    CatalogEntryList second{std::make_shared<Entry>("stale")};
    catalog->GetFolderEntries("STexture/Wood", second);
    EXPECT_EQ(Names(second), (std::vector<std::string>{"K", "L", "M"}));
    EXPECT_EQ(m_db.calls, (std::vector<std::string>{"ScanTexture STexture/Wood", "SortTexture",
                                                    "SortTexture"}));
    // The very same entries.
    EXPECT_EQ(second[0].get(), first[2].get());
    EXPECT_EQ(Entry::alive, 3);
}

TEST_F(LibraryCatalogTest, SetRateDropsTheListingButNotEntriesStillHeld) {
    m_db.folders["STPicture/A"] = {{"P", 0}, {"Q", 0}};
    auto catalog = MakeCatalog();
    catalog->SetKind(kCatalogKindPictures);
    CatalogEntryList held;
    catalog->GetFolderEntries("STPicture/A", held);

    // Only a listing cached under exactly the same text is dropped.
    catalog->SetRate("STPicture/A/P.jpg", 2);
    m_db.calls.clear();
    CatalogEntryList again;
    catalog->GetFolderEntries("STPicture/A", again);
    EXPECT_EQ(m_db.calls, (std::vector<std::string>{"SortPicture"}));

    catalog->SetRate("STPicture/A", 2);
    EXPECT_EQ(Names(held), (std::vector<std::string>{"P", "Q"}));
    again.clear();
    m_db.calls.clear();
    catalog->GetFolderEntries("STPicture/A", again);
    EXPECT_EQ(m_db.calls, (std::vector<std::string>{"ScanPicture STPicture/A", "SortPicture"}));
    EXPECT_NE(again[0].get(), held[0].get());
    EXPECT_EQ(Entry::alive, 4);
    held.clear();
    EXPECT_EQ(Entry::alive, 2);
}

TEST_F(LibraryCatalogTest, RemovingAllFoldersFreesTheEntriesAndScansAgain) {
    m_db.folders["SModel/A"] = {{"Sofa", 0}};
    m_db.folders["SModel/B"] = {{"Table", 0}, {"Chair", 0}};
    {
        auto catalog = MakeCatalog();
        catalog->SetKind(kCatalogKindModels);
        CatalogEntryList out;
        catalog->GetFolderEntries("SModel/A", out);
        catalog->GetFolderEntries("SModel/B", out);
        out.clear();
        EXPECT_EQ(Entry::alive, 3);

        catalog->RemoveAllFolders();
        EXPECT_EQ(Entry::alive, 0);
        m_db.calls.clear();
        catalog->GetFolderEntries("SModel/A", out);
        EXPECT_EQ(m_db.calls, (std::vector<std::string>{"ScanModel SModel/A", "SortModel"}));
    }
    // Destroying the catalogue frees the rest.
    EXPECT_EQ(Entry::alive, 0);
}

}  // namespace
