#include "bench/ctl_bench.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double wallMs = 0;
    double firstRequestMs = -1;  // from the spawn to the first trace line
    double cpuMs = 0;            // user + system time of the process
    long peakKiB = 0;
    int requests = 0;
    int pausedMs = 0;
    int status = -1;
};

// Runs `args` (the program first), reading its standard error as it comes:
// brisel-ctl's trace, when it is given --trace. With `measurePeak` it runs
// under /usr/bin/time, whose report of its child's peak memory counts the
// child alone: the kernel's figure for a process spawned from this one would
// include this process's own memory at the spawn. Without it the process runs
// on its own, for the time to its first request.
Run runProcess(std::vector<std::string> args, bool measurePeak = false)
{
    const std::string peakFile = "/tmp/brisel-bench-peak-" + std::to_string(getpid());
    if (measurePeak) args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    Run run;
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return run;
    }
    std::string pending;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        if (run.firstRequestMs < 0)
            run.firstRequestMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        pending.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.cpuMs =
        (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    if (measurePeak) {
        std::ifstream(peakFile) >> run.peakKiB;
        std::remove(peakFile.c_str());
    }

    std::istringstream lines(pending);
    for (std::string line; std::getline(lines, line);) {
        int ms = 0;
        if (std::sscanf(line.c_str(), "pause %d ms", &ms) == 1) run.pausedMs += ms;
        else if (line.rfind("read ", 0) == 0 || line.rfind("write ", 0) == 0) ++run.requests;
    }
    return run;
}

// brisel-ctl with --trace.
Run runCtl(const std::string& program, std::vector<std::string> args, bool measurePeak = false)
{
    args.insert(args.begin(), {program, "--trace"});
    return runProcess(std::move(args), measurePeak);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void benchCtl(const std::string& program, int rounds)
{
    char folder[] = "/tmp/brisel-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return;
    const std::string dir = folder;
    const std::string backupFile = dir + "/a.toml", other = dir + "/other.toml";
    // The demo adapter is kept in the bench's folder, not the user's.
    const std::string demo = dir + "/demo-adapter.toml";

    // An adapter that differs from the file in every group, so that restore
    // writes them all.
    runCtl(program, {"--demo-reset", "--demo-file", demo, "backup", backupFile});
    std::string text = slurp(backupFile);
    for (const auto& [from, to] :
         {std::pair{"delay_time_ms = 300", "delay_time_ms = 310"}, std::pair{"dup_clear = false", "dup_clear = true"},
          std::pair{"insert_before = false", "insert_before = true"}, std::pair{"interval_s = 600", "interval_s = 610"},
          std::pair{"baud_rate = 9600", "baud_rate = 4800"}})
        text = std::regex_replace(text, std::regex(from), to);
    std::ofstream(other) << text;

    struct Flow {
        const char* name;
        std::vector<std::string> args;
    };
    const Flow flows[] = {
        {"backup (all groups)", {"--demo-file", demo, "backup", "--force", dir + "/b.toml"}},
        {"restore (all groups differ)", {"--demo", "--demo-state", other, "restore", "--no-backup", backupFile}},
    };
    std::printf("\nbrisel-ctl over the emulated adapter (median of %d runs; floor = pauses + 1 ms per request)\n\n",
                rounds);
    std::printf(
        "| Command | Requests | Pauses (ms) | Floor (ms) | Wall (ms) | Own CPU (ms) | Own CPU / floor "
        "| Start to first request (ms) | Peak RSS (KiB) |\n|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Flow& flow : flows) {
        std::vector<double> wall, cpu, first, peak;
        Run last;
        for (int i = 0; i < rounds; ++i) {
            last = runCtl(program, flow.args);
            if (last.status != 0) std::fprintf(stderr, "%s: exit status %d\n", flow.name, last.status);
            wall.push_back(last.wallMs);
            cpu.push_back(last.cpuMs);
            first.push_back(last.firstRequestMs);
            peak.push_back(static_cast<double>(runCtl(program, flow.args, true).peakKiB));
        }
        const double floor = last.pausedMs + last.requests;
        std::printf("| %s | %d | %d | %.0f | %.1f | %.1f | %.2f %% | %.2f | %.0f |\n", flow.name, last.requests,
                    last.pausedMs, floor, median(wall), median(cpu), 100 * median(cpu) / floor, median(first),
                    median(peak));
    }

    // The cost of starting at all: brisel-ctl --version and the start to the
    // first request, against /bin/true started the same way in the same run.
    std::vector<double> trueWall, versionWall, first, versionPeak;
    for (int i = 0; i < rounds; ++i) {
        trueWall.push_back(runProcess({"/bin/true"}).wallMs);
        versionWall.push_back(runProcess({program, "--version"}).wallMs);
        first.push_back(runCtl(program, {"--demo-file", demo, "show", "beacon"}).firstRequestMs);
        versionPeak.push_back(static_cast<double>(runProcess({program, "--version"}, true).peakKiB));
    }
    const double base = median(trueWall);
    std::printf(
        "\n| Start (median of %d runs) | Wall (ms) | Against /bin/true | Peak RSS (KiB) |\n"
        "|---|---:|---:|---:|\n",
        rounds);
    std::printf("| /bin/true | %.2f | 1.00x | |\n", base);
    std::printf("| brisel-ctl --version | %.2f | %.2fx | %.0f |\n", median(versionWall), median(versionWall) / base,
                median(versionPeak));
    std::printf("| brisel-ctl --demo show beacon: start to first request | %.2f | %.2fx | |\n", median(first),
                median(first) / base);

    std::remove((dir + "/b.toml").c_str());
    std::remove(backupFile.c_str());
    std::remove(other.c_str());
    rmdir(folder);
}
