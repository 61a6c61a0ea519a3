// Writing one image to several radios at once: `radioprog write` with verify to 1 and to 4
// virtual radios on pseudo-terminals paced at 9600 baud (`radioprog simulate --count N`). The
// radios are written in parallel, so 4 must take at most 1.15 times as long as 1; the tool must
// spend under 5% of a core per radio (its user and system time over the wall time).
// Run by hand: write_many_speed [IMAGE] (default: demo.dat beside the programs)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

constexpr double kRatioTarget = 1.15;
constexpr double kCpuTarget = 0.05;  // of one core, per radio

struct Child {
    pid_t pid = -1;
    int out = -1;  // its stdout, when piped
};

// Starts `args`; stdout on a pipe when `pipeOut`, else to /dev/null; stderr to /dev/null.
Child Spawn(const std::vector<std::string>& args, bool pipeOut) {
    Child child;
    int fds[2] = {-1, -1};
    if (pipeOut && pipe(fds) != 0) return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (pipeOut) {
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (pipeOut) {
        close(fds[1]);
        child.out = fds[0];
    }
    return child;
}

std::string ReadLine(int fd, int timeoutMs = 5000) {
    std::string line;
    char c;
    pollfd pfd{fd, POLLIN, 0};
    while (poll(&pfd, 1, timeoutMs) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

struct Run {
    bool ok = false;
    std::vector<std::string> lines;  // what radioprog said of each radio
    double wall = 0;                 // seconds
    double cpu = 0;                  // seconds of user and system time of radioprog write
};

// Serves `count` radios at 9600 baud and writes the image to all of them with verify.
Run WriteTo(const std::string& radioprog, const std::string& image, int count) {
    Run run;
    Child sim =
        Spawn({radioprog, "simulate", "--count", std::to_string(count), "--baud", "9600"}, true);
    if (sim.pid < 0) return run;
    std::vector<std::string> args = {radioprog, "write", image};
    bool havePorts = true;
    for (int i = 0; i < count; ++i) {
        const std::string port = ReadLine(sim.out);
        havePorts = havePorts && !port.empty();
        args.insert(args.end(), {"--port", port});
    }
    if (havePorts) {
        const auto start = SteadyClock::now();
        const Child writer = Spawn(args, true);
        for (std::string line; writer.out >= 0 && !(line = ReadLine(writer.out, 120000)).empty();)
            run.lines.push_back(line);
        int status = 0;
        rusage usage{};
        if (writer.pid > 0 && wait4(writer.pid, &status, 0, &usage) == writer.pid) {
            run.wall = std::chrono::duration<double>(SteadyClock::now() - start).count();
            run.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (writer.out >= 0) close(writer.out);
    }
    kill(sim.pid, SIGINT);
    waitpid(sim.pid, nullptr, 0);
    close(sim.out);
    return run;
}

void Print(int count, const Run& run) {
    std::printf(
        "write+verify to %d radio%s at 9600 baud: %6.2f s wall, %5.2f s CPU, %.2f%% of a "
        "core per radio%s\n",
        count, count == 1 ? " " : "s", run.wall, run.cpu, 100.0 * run.cpu / count / run.wall,
        run.ok ? "" : "  (NOT ALL VERIFIED)");
    if (!run.ok) {
        for (const std::string& line : run.lines) std::printf("  %s\n", line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
    const std::string radioprog = (bin / "radioprog").string();
    const std::string image = argc > 1 ? argv[1] : (bin / "demo.dat").string();
    if (!fs::exists(radioprog) || !fs::exists(image)) {
        std::fprintf(stderr, "write_many_speed: needs %s and %s\n", radioprog.c_str(),
                     image.c_str());
        return 2;
    }
    const Run one = WriteTo(radioprog, image, 1);
    Print(1, one);
    const Run four = WriteTo(radioprog, image, 4);
    Print(4, four);
    if (!one.ok || !four.ok || one.wall <= 0) return 1;

    const double ratio = four.wall / one.wall;
    const double cpu = std::max(one.cpu / one.wall, four.cpu / 4 / four.wall);
    std::printf("4 radios / 1 radio: %.3f (target <= %.2f) %s\n", ratio, kRatioTarget,
                ratio <= kRatioTarget ? "met" : "MISSED");
    std::printf("CPU per radio: %.2f%% of a core at most (target < %.0f%%) %s\n", 100.0 * cpu,
                100.0 * kCpuTarget, cpu < kCpuTarget ? "met" : "MISSED");
    return ratio <= kRatioTarget && cpu < kCpuTarget ? 0 : 1;
}
