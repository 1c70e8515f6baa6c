#include "ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

ProgramProcess::ProgramProcess(const std::filesystem::path& programFolder,
                               const std::filesystem::path& userFolder,
                               const std::vector<std::string>& arguments)
    : m_log(userFolder / "program.log") {
    std::vector<std::string> argv = {Path().string(), "--home", programFolder.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::string config = (userFolder / "config").string();
    const std::string cache = (userFolder / "cache").string();
    const std::string data = (userFolder / "data").string();
    const std::string log = m_log.string();

    m_pid = fork();
    if (m_pid != 0) {
        return;
    }
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    unsetenv("VELMORA_HOME");
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        close(out);
    }
    std::vector<char*> raw;
    for (std::string& arg : argv) {
        raw.push_back(arg.data());
    }
    raw.push_back(nullptr);
    execv(raw[0], raw.data());
    _exit(127);
}

ProgramProcess::~ProgramProcess() {
    if (!Running()) {
        return;
    }
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 100 && Running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (Running()) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

bool ProgramProcess::Running() {
    if (m_pid <= 0 || m_exited) {
        return false;
    }
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_exited = true;
    }
    return !m_exited;
}

std::string ProgramProcess::Log() const {
    std::ifstream in(m_log, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path ProgramProcess::Path() {
    return VELMORA_RELEASE_PROGRAM;
}
