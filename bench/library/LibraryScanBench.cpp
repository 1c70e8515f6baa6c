// A library folder of 2,000 packaged models scanned through the library
// catalogue: cold (a fresh catalogue file holding the tables and the index
// on FileName, as the program ships it, and no folder listed yet) and warm
// (a new catalogue over the rows the cold scan wrote). The baseline is what
// no scan can avoid: listing the folder and reading each file's header and
// preview, with no parsing beyond their lengths. Each scan should take at
// most three times the baseline. The files stay in the page cache
// throughout: "cold" is the catalogue's state, not the disk's.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "Interleaved.h"
#include "PackagedModelFolder.h"
#include "ScopedProgramFolder.h"
#include "library/CatalogSchema.h"
#include "library/ModelDatabase.h"
#include "objects/LibraryCatalog.h"
#include "platform/db/SqliteDatabase.h"

namespace {

constexpr int kModels = 2000;
// Magic, version, mesh length, name, model number, vendor, description,
// price: the fixed start of a current package, up to its web link's length.
constexpr std::size_t kFixedHeaderLength = 5 + 1 + 4 + 51 + 30 + 50 + 196 + 4;
constexpr std::size_t kReservedLength = 100;
constexpr const char* kIndexSql = "create index QVXModelsFileName on QVXModels (FileName);";

std::int32_t LittleEndianInt(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                     static_cast<std::uint32_t>(bytes[3]) << 24);
}

// The header and preview of one package; the bytes read.
std::size_t ReadHeaderAndPreview(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    std::array<std::uint8_t, kFixedHeaderLength + 4> header{};
    std::size_t read = std::fread(header.data(), 1, header.size(), file);
    const std::int32_t linkLength = LittleEndianInt(header.data() + kFixedHeaderLength);
    std::vector<std::uint8_t> skipped(static_cast<std::size_t>(std::max(linkLength, 0)) +
                                      kReservedLength);
    read += std::fread(skipped.data(), 1, skipped.size(), file);
    std::array<std::uint8_t, 5> preview{};  // its key and length
    read += std::fread(preview.data(), 1, preview.size(), file);
    std::vector<std::uint8_t> image(
        static_cast<std::size_t>(std::max(LittleEndianInt(preview.data() + 1), 0)));
    read += std::fread(image.data(), 1, image.size(), file);
    std::fclose(file);
    return read;
}

std::size_t ReadFolderHeaders(const std::filesystem::path& folder, int* files) {
    std::size_t bytes = 0;
    *files = 0;
    for (const std::filesystem::directory_entry& item :
         std::filesystem::directory_iterator(folder)) {
        if (item.path().extension() == ".qvx") {
            bytes += ReadHeaderAndPreview(item.path());
            ++*files;
        }
    }
    return bytes;
}

bool CreateEmptyCatalogue(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    pdb::CSqliteDatabase database;
    return database.Open(path, pdb::CSqliteDatabase::OpenMode::kCreate) &&
           database.Execute(kCatalogSchemaSql) && database.Execute(kIndexSql);
}

// A new catalogue over the program folder's catalogue file lists the folder;
// the number of entries.
std::size_t ScanThroughNewCatalogue(const std::string& programFolder,
                                    const std::string& modelFolder) {
    CLibraryCatalog catalog(std::make_unique<CModelDatabase>(), programFolder);
    catalog.SetKind(kCatalogKindModels);
    CatalogEntryList entries;
    catalog.GetFolderEntries(modelFolder, entries);
    return entries.size();
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Cold scan, warm scan and baseline in turn, so that a change in the
// machine's load hits all alike; medians of each and of each ratio. The
// ratios are the figures to watch (at most 3 each).
void BM_ScanOverHeaderReads(benchmark::State& state) {
    ScopedProgramFolder folder;
    CLibraryCatalog::SetCatalogFilePath({});
    const std::string catalogue = CLibraryCatalog::GetCatalogFilePath(folder.Path());
    const std::filesystem::path models = std::filesystem::path(folder.Path()) / "家具";
    std::string error;
    const auto writeStart = std::chrono::steady_clock::now();
    if (!WritePackagedModelFolder(models, kModels, &error)) {
        state.SkipWithError(("the models could not be written: " + error).c_str());
        return;
    }
    const double write = Milliseconds(std::chrono::steady_clock::now() - writeStart);
    bench::InterleavedTimes cold;
    bench::InterleavedTimes warm;
    for (auto _ : state) {
        state.PauseTiming();
        const bool created = CreateEmptyCatalogue(catalogue);
        state.ResumeTiming();
        if (!created) {
            state.SkipWithError("the catalogue could not be created");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::size_t coldEntries = ScanThroughNewCatalogue(folder.Path(), models.string());
        const auto coldEnd = std::chrono::steady_clock::now();
        const std::size_t warmEntries = ScanThroughNewCatalogue(folder.Path(), models.string());
        const auto warmEnd = std::chrono::steady_clock::now();
        int files = 0;
        benchmark::DoNotOptimize(ReadFolderHeaders(models, &files));
        const auto rawEnd = std::chrono::steady_clock::now();
        if (coldEntries != kModels || warmEntries != kModels || files != kModels) {
            state.SkipWithError("a scan did not list every model");
            return;
        }
        const double raw = Milliseconds(rawEnd - warmEnd);
        cold.Add(Milliseconds(coldEnd - start), raw);
        warm.Add(Milliseconds(warmEnd - coldEnd), raw);
    }
    state.counters["write_ms"] = write;
    cold.Report(state, "cold", "raw", "cold_ratio");
    warm.Report(state, "warm", "raw", "warm_ratio");
}

BENCHMARK(BM_ScanOverHeaderReads)->Unit(benchmark::kMillisecond)->MinTime(4.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
