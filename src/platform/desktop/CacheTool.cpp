#include "platform/desktop/CacheTool.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

extern char** environ;

namespace desktop {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(10);

}  // namespace

std::filesystem::path FindTool(const std::string& name, const std::string& searchPath) {
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        const std::string folder = searchPath.substr(start, end - start);
        // An empty entry would mean the working folder: never looked in.
        if (!folder.empty() && folder.front() == '/') {
            const std::filesystem::path candidate = std::filesystem::path(folder) / name;
            std::error_code ec;
            if (std::filesystem::is_regular_file(candidate, ec) &&
                ::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        start = end + 1;
    }
    return {};
}

ToolRun RunTool(const std::filesystem::path& tool, const std::vector<std::string>& arguments,
                std::chrono::milliseconds limit) {
    std::vector<std::string> words{tool.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int spawned =
        ::posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return {ToolOutcome::NotFound, 0};
    }

    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            break;
        }
        if (done < 0 && errno != EINTR) {
            return {ToolOutcome::Failed, -1};
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return {ToolOutcome::TimedOut, 0};
        }
        std::this_thread::sleep_for(kPollStep);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return {ToolOutcome::Succeeded, 0};
    }
    return {ToolOutcome::Failed, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace desktop
