// Start-up of the program beside the floor (a bare wxWidgets program that
// clears one OpenGL canvas), launched in turns on the current display: the
// time from launch to the first painted frame, the resident memory a second
// later, and the CPU time spent by then. Medians of several runs, and the
// program's figures over the floor's. The program starts once with no design
// and once with a design of 220 walls, 100 floors and 100 ceilings on its
// command line, which it has opened and painted when it reports its first
// frame.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;
constexpr auto kFirstPaintTimeout = std::chrono::seconds(30);
constexpr auto kIdleBeforeMemory = std::chrono::seconds(1);
constexpr char kFirstPaintVariable[] = "VELMORA_FIRST_PAINT_FILE";
constexpr double kDesignStartTarget = 0.5;
constexpr double kDesignMemoryTargetMiB = 150.0;

struct Launch {
    double startSeconds = 0;
    double residentMiB = 0;
    double cpuSeconds = 0;
};

struct Program {
    std::string name;
    std::vector<std::string> arguments;
    std::vector<Launch> launches;
};

std::optional<long long> ReadFirstPaintTime(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line) || in.eof()) {
        return std::nullopt;  // not there yet, or only part of the line
    }
    return std::stoll(line);
}

double ResidentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

// Ends the program and returns the CPU time it used.
double Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::optional<Launch> Run(const Program& program, const fs::path& signalFile) {
    fs::remove(signalFile);
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind(std::string(kFirstPaintVariable) + "=", 0) != 0) {
            environment.emplace_back(*entry);
        }
    }
    environment.push_back(std::string(kFirstPaintVariable) + "=" + signalFile.string());
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> arguments = program.arguments;
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const Clock::time_point launched = Clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "%s: cannot start (%d)\n", program.name.c_str(), spawned);
        return std::nullopt;
    }

    std::optional<long long> painted;
    while (!(painted = ReadFirstPaintTime(signalFile))) {
        if (Clock::now() - launched > kFirstPaintTimeout || waitpid(pid, nullptr, WNOHANG) != 0) {
            std::fprintf(stderr, "%s: no first paint\n", program.name.c_str());
            Stop(pid);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    Launch launch;
    const auto launchedAt =
        std::chrono::duration_cast<std::chrono::nanoseconds>(launched.time_since_epoch()).count();
    launch.startSeconds = static_cast<double>(*painted - launchedAt) / 1e9;
    std::this_thread::sleep_for(kIdleBeforeMemory);
    launch.residentMiB = ResidentMiB(pid);
    launch.cpuSeconds = Stop(pid);
    return launch;
}

// Runs a helper program to its end; true when it succeeded.
bool RunToEnd(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Field>
double MedianOf(const Program& program, Field field) {
    std::vector<double> values;
    for (const Launch& launch : program.launches) {
        values.push_back(launch.*field);
    }
    return Median(values);
}

}  // namespace

// Arguments are those every benchmark of the build is given; this one takes
// none.
int main() {
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "bench_startup needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    const fs::path binaries = fs::read_symlink("/proc/self/exe").parent_path();
    char scratchTemplate[] = "/tmp/velmora-startup-XXXXXX";
    if (mkdtemp(scratchTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path scratch = scratchTemplate;
    const fs::path home = scratch / "home";
    const fs::path signalFile = scratch / "first-paint";

    const fs::path design = scratch / "grid.dg6";
    fs::create_directories(home);
    if (!RunToEnd({(binaries / "write_grid_design").string(), design.string()})) {
        std::fprintf(stderr, "bench_startup: the design could not be written\n");
        fs::remove_all(scratch);
        return 1;
    }

    Program floor{"floor", {(binaries / "startup_floor").string()}, {}};
    Program fairFloor{
        "floor, multisampled", {(binaries / "startup_floor").string(), "--multisampled"}, {}};
    Program velmora{"velmora", {(binaries / "velmora").string(), "--home", home.string()}, {}};
    Program withDesign{"velmora + design",
                       {(binaries / "velmora").string(), "--home", home.string(), design.string()},
                       {}};
    const std::vector<Program*> programs = {&floor, &fairFloor, &velmora, &withDesign};
    bool ok = true;
    // One unmeasured start each: the program fills its new folder, and both
    // find the libraries and fonts in the page cache afterwards.
    for (Program* program : programs) {
        ok = ok && Run(*program, signalFile).has_value();
    }
    for (int run = 0; ok && run < kRuns; ++run) {
        for (Program* program : programs) {
            const std::optional<Launch> launch = Run(*program, signalFile);
            ok = launch.has_value();
            if (!ok) {
                break;
            }
            program->launches.push_back(*launch);
        }
    }
    fs::remove_all(scratch);
    if (!ok) {
        return 1;
    }

    std::printf("Launch to first painted frame; resident memory and CPU time 1 s later.\n");
    std::printf("Medians of %d runs, taken in turns.\n\n", kRuns);
    std::printf("%-40s %12s %14s %10s\n", "", "start (s)", "idle RSS (MiB)", "CPU (s)");
    for (const Program* program : programs) {
        std::printf("%-40s %12.3f %14.1f %10.3f\n", program->name.c_str(),
                    MedianOf(*program, &Launch::startSeconds),
                    MedianOf(*program, &Launch::residentMiB),
                    MedianOf(*program, &Launch::cpuSeconds));
    }
    // The multisampled floor holds the back buffer the program's device
    // asks for: the memory figure to hold the program to.
    for (const Program* base : {&floor, &fairFloor}) {
        for (const Program* program : {&velmora, &withDesign}) {
            auto ratio = [&](double Launch::*field) {
                return MedianOf(*program, field) / MedianOf(*base, field);
            };
            std::printf("%-40s %11.2fx %13.2fx %9.2fx\n",
                        (program->name + " / " + base->name).c_str(), ratio(&Launch::startSeconds),
                        ratio(&Launch::residentMiB), ratio(&Launch::cpuSeconds));
        }
    }
    std::printf("\nTargets with the design: at most %.1f s to the settled window, %.0f MiB idle.\n",
                kDesignStartTarget, kDesignMemoryTargetMiB);
    return 0;
}
