#pragma once

// The program as scripts/run builds it, started as a process of its own
// with its own program, config, cache and data folders, its messages kept
// in a log.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class ProgramProcess {
public:
    // Starts the program with --home programFolder and the arguments; every
    // user folder it writes lies below userFolder.
    ProgramProcess(const std::filesystem::path& programFolder,
                   const std::filesystem::path& userFolder,
                   const std::vector<std::string>& arguments = {});
    // Ends the program when it still runs.
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Running();
    // What the program wrote to stdout and stderr so far.
    std::string Log() const;

    // The optimised program scripts/build-program makes.
    static std::filesystem::path Path();

private:
    pid_t m_pid = -1;
    bool m_exited = false;
    std::filesystem::path m_log;
};
