#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace desktop {

enum class ToolOutcome { NotFound, Succeeded, Failed, TimedOut };

struct ToolRun {
    ToolOutcome outcome = ToolOutcome::NotFound;
    int exitCode = 0;  // when Failed by its exit status
};

// The first executable file named `name` in the folders of searchPath
// (colon-separated, as $PATH); empty when there is none.
std::filesystem::path FindTool(const std::string& name, const std::string& searchPath);

// Runs the tool with the arguments (no shell), its output discarded, and
// waits at most `limit`; a tool still running then is killed.
ToolRun RunTool(const std::filesystem::path& tool, const std::vector<std::string>& arguments,
                std::chrono::milliseconds limit);

}  // namespace desktop
