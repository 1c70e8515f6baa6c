#include "platform/desktop/DesignFileAssociation.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/desktop/DesktopEntry.h"
#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/DefaultContent.h"

namespace desktop {

namespace {

constexpr const char* kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

std::string Quoted(const std::filesystem::path& path) {
    return "「" + path.string() + "」";
}

bool ReadWhole(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Written only when the bytes differ, so a second start touches nothing.
InstalledFile Install(const std::filesystem::path& target, const std::string& bytes) {
    InstalledFile file{target, FileOutcome::Unchanged, {}};
    std::string current;
    std::error_code ec;
    if (std::filesystem::is_regular_file(target, ec) && ReadWhole(target, current) &&
        current == bytes) {
        return file;
    }
    std::filesystem::create_directories(target.parent_path(), ec);
    if (ec) {
        file.outcome = FileOutcome::Failed;
        file.error = "無法建立資料夾" + Quoted(target.parent_path()) + "：" + ec.message();
        return file;
    }
    if (pfs::Result<void> written = pfs::WriteFileAtomically(target, bytes); !written) {
        file.outcome = FileOutcome::Failed;
        file.error = written.Error();
        return file;
    }
    file.outcome = FileOutcome::Written;
    return file;
}

// A cache is out of date when it is missing or older than what it covers.
bool IsStale(const std::filesystem::path& cache, const std::filesystem::path& source) {
    std::error_code ec;
    const auto cacheTime = std::filesystem::last_write_time(cache, ec);
    if (ec) {
        return true;
    }
    const auto sourceTime = std::filesystem::last_write_time(source, ec);
    return !ec && cacheTime < sourceTime;
}

void Refresh(const AssociationSetup& setup, const std::string& tool,
             const std::vector<std::string>& arguments, AssociationReport& report) {
    const std::filesystem::path path = FindTool(tool, setup.toolSearchPath);
    CacheRefresh refresh{tool, {}};
    if (!path.empty()) {
        refresh.run = RunTool(path, arguments, setup.toolLimit);
    }
    report.refreshes.push_back(refresh);
}

const char* ToolText(ToolOutcome outcome) {
    switch (outcome) {
        case ToolOutcome::NotFound:
            return "找不到";
        case ToolOutcome::Succeeded:
            return "已執行";
        case ToolOutcome::Failed:
            return "執行失敗";
        case ToolOutcome::TimedOut:
            return "逾時未完成";
    }
    return "";
}

}  // namespace

AssociationSetup AssociationSetup::ForProcess() {
    AssociationSetup setup;
    setup.env = pfs::UserEnvironment::FromProcess();
    std::error_code ec;
    setup.executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    setup.resourceFolder = pfs::FindResourceFolder(setup.executable);
    const char* path = std::getenv("PATH");
    setup.toolSearchPath = path != nullptr ? path : kDefaultSearchPath;
    return setup;
}

bool AssociationReport::Complete() const {
    if (!failure.empty()) {
        return false;
    }
    for (const InstalledFile& file : files) {
        if (file.outcome == FileOutcome::Failed) {
            return false;
        }
    }
    return true;
}

bool AssociationReport::Changed() const {
    for (const InstalledFile& file : files) {
        if (file.outcome == FileOutcome::Written) {
            return true;
        }
    }
    return false;
}

std::string AssociationReport::Describe() const {
    if (!failure.empty()) {
        return "設計檔關聯未安裝：" + failure;
    }
    std::string text = Complete() ? (Changed() ? "設計檔關聯已安裝" : "設計檔關聯已是最新")
                                  : "設計檔關聯未完整安裝";
    for (const InstalledFile& file : files) {
        if (file.outcome == FileOutcome::Written) {
            text += "；已寫入" + Quoted(file.target);
        } else if (file.outcome == FileOutcome::Failed) {
            text += "；" + file.error;
        }
    }
    for (const CacheRefresh& refresh : refreshes) {
        text += "；" + refresh.tool + " " + ToolText(refresh.run.outcome);
        if (refresh.run.outcome == ToolOutcome::Failed) {
            text += "（結束碼 " + std::to_string(refresh.run.exitCode) + "）";
        }
    }
    return text + "。";
}

AssociationReport RegisterDesignFileAssociation(const AssociationSetup& setup) {
    AssociationReport report;
    pfs::Result<std::filesystem::path> dataHome = setup.env.DataHome();
    if (!dataHome) {
        report.failure = dataHome.Error();
        return report;
    }
    const std::filesystem::path sources[] = {
        setup.resourceFolder / "desktop" / "velmora.desktop",
        setup.resourceFolder / "desktop" / "velmora.xml",
        setup.resourceFolder / "icons" / "velmora.svg",
    };
    std::string texts[3];
    for (int i = 0; i < 3; ++i) {
        if (!ReadWhole(sources[i], texts[i])) {
            report.failure = "找不到程式的資源檔" + Quoted(sources[i]) + "。";
            return report;
        }
    }
    const std::filesystem::path& data = dataHome.Value();
    const std::filesystem::path applications = data / "applications";
    const std::filesystem::path mime = data / "mime";
    const std::filesystem::path hicolor = data / "icons" / "hicolor";
    report.files.push_back(
        Install(applications / "velmora.desktop", WithExecutable(texts[0], setup.executable)));
    report.files.push_back(Install(mime / "packages" / "velmora.xml", texts[1]));
    report.files.push_back(Install(hicolor / "scalable" / "apps" / "velmora.svg", texts[2]));

    if (report.files[1].outcome != FileOutcome::Failed &&
        IsStale(mime / "mime.cache", report.files[1].target)) {
        Refresh(setup, "update-mime-database", {mime.string()}, report);
    }
    if (report.files[0].outcome != FileOutcome::Failed &&
        IsStale(applications / "mimeinfo.cache", report.files[0].target)) {
        Refresh(setup, "update-desktop-database", {applications.string()}, report);
    }
    // An icon cache is only kept current, never started: a cache that later
    // installs leave stale would hide their icons.
    const std::filesystem::path iconCache = hicolor / "icon-theme.cache";
    std::error_code ec;
    if (report.files[2].outcome != FileOutcome::Failed && std::filesystem::exists(iconCache, ec) &&
        IsStale(iconCache, report.files[2].target)) {
        Refresh(setup, "gtk-update-icon-cache", {"-q", "-t", "-f", hicolor.string()}, report);
    }
    return report;
}

}  // namespace desktop
