// startup_driver.cpp: starts the game and the minimal window as processes, side by side, and reports start-up time, peak memory and idle processor use.
//
//   vandrel-startup [--runs N] [--idle S] [--settle MS] GAME PEER...
//       Starts each program N times, in turn, each in a scratch folder with
//       VANDREL_REPORT_FIRST_PAINT=1 (and QT_QPA_PLATFORM=offscreen unless
//       set). GAME is bench/vandrel-probe, the game as it starts with the
//       report of its first paint. A program is a path, or a path and arguments in one word
//       ("bench/vandrel-minimal-window --label"). Start-up is the time from
//       just before the process is started to the paint on the "first-paint"
//       line it prints; the other moments on that line split it into phases.
//       Peak memory is the child's VmHWM once it has painted and settled for
//       MS milliseconds. Then each program is started once more and left
//       idle for S seconds while its processor time is read. One warm-up run
//       of each is not counted. The game is compared with each peer.
//   vandrel-startup cpu PID S
//       The processor time process PID uses over the next S seconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A "Name:   value kB" field of /proc/PID/status, or of a task's status.
long long StatusField(const std::string& status, const std::string& name)
{
    const std::size_t at = status.find(name + ":");
    if (at == std::string::npos)
        return -1;
    return std::atoll(status.c_str() + at + name.size() + 1);
}

std::vector<std::string> Tasks(pid_t pid)
{
    std::vector<std::string> tasks;
    const std::string folder = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                tasks.push_back(folder + "/" + entry->d_name);
        closedir(dir);
    }
    return tasks;
}

// Processor use of a process so far, all its threads together.
struct CpuSample {
    long long runNs = 0;        // schedstat: time on a processor, nanoseconds
    long long ticks = 0;        // utime + stime of /proc/PID/stat, clock ticks
    long long switches = 0;     // voluntary and involuntary context switches
};

CpuSample SampleCpu(pid_t pid)
{
    CpuSample sample;
    for (const std::string& task : Tasks(pid)) {
        sample.runNs += std::atoll(ReadFile(task + "/schedstat").c_str());
        const std::string status = ReadFile(task + "/status");
        sample.switches += StatusField(status, "voluntary_ctxt_switches") +
                           StatusField(status, "nonvoluntary_ctxt_switches");
    }
    // utime and stime are fields 14 and 15, counted after the command name's ')'.
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i >= 14)
            sample.ticks += std::atoll(field.c_str());
    return sample;
}

struct CpuUse {
    double percentOfCore;   // from schedstat
    double tickPercent;     // from utime + stime (10 ms steps)
    long long switches;
    std::size_t threads;
};

CpuUse MeasureCpu(pid_t pid, double seconds)
{
    const CpuSample before = SampleCpu(pid);
    const long long start = MonotonicNs();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const CpuSample after = SampleCpu(pid);
    const double wallNs = double(MonotonicNs() - start);
    const double tickNs = 1e9 / double(sysconf(_SC_CLK_TCK));
    return {100.0 * double(after.runNs - before.runNs) / wallNs,
            100.0 * double(after.ticks - before.ticks) * tickNs / wallNs, after.switches - before.switches,
            Tasks(pid).size()};
}

// A program and its arguments.
using Command = std::vector<std::string>;

Command ParseCommand(const std::string& word)
{
    Command command;
    std::istringstream parts(word);
    for (std::string part; parts >> part;)
        command.push_back(part);
    // Absolute: the child starts in its scratch folder.
    command[0] = std::filesystem::absolute(command[0]).lexically_normal().string();
    return command;
}

std::string Name(const Command& command)
{
    std::string name = std::filesystem::path(command[0]).filename().string();
    for (std::size_t i = 1; i < command.size(); ++i)
        name += " " + command[i];
    return name;
}

struct Child {
    pid_t pid = -1;
    int output = -1;
    long long startNs = 0;
};

Child Start(const Command& command, const std::string& folder)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    Child child;
    child.output = pipeEnds[0];
    child.startNs = MonotonicNs();
    child.pid = fork();
    if (child.pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        setenv("VANDREL_REPORT_FIRST_PAINT", "1", 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    return child;
}

// The moments on the child's "first-paint" line, in nanoseconds.
struct Report {
    long long paint = 0, main = 0, app = 0, window = 0, shown = 0;
};

std::optional<Report> FirstPaint(const Child& child)
{
    std::string text;
    const long long deadline = MonotonicNs() + 30'000'000'000LL;
    while (MonotonicNs() < deadline) {
        pollfd wait{child.output, POLLIN, 0};
        if (poll(&wait, 1, 1000) <= 0)
            continue;
        char buffer[256];
        const ssize_t got = read(child.output, buffer, sizeof buffer);
        if (got <= 0)
            return std::nullopt;
        text.append(buffer, std::size_t(got));
        const std::size_t at = text.find("first-paint ");
        const std::size_t end = text.find('\n', at);
        if (at != std::string::npos && end != std::string::npos) {
            std::istringstream line(text.substr(at, end - at));
            Report report;
            std::string word;
            while (line >> word) {
                long long value = 0;
                line >> value;
                if (word == "first-paint")
                    report.paint = value;
                else if (word == "main")
                    report.main = value;
                else if (word == "app")
                    report.app = value;
                else if (word == "window")
                    report.window = value;
                else if (word == "shown")
                    report.shown = value;
            }
            return report;
        }
    }
    return std::nullopt;
}

void Stop(Child& child)
{
    kill(child.pid, SIGTERM);
    int status = 0;
    waitpid(child.pid, &status, 0);
    close(child.output);
}

std::string ScratchFolder()
{
    char name[] = "/tmp/vandrel-startup-XXXXXX";
    if (!mkdtemp(name)) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    return name;
}

struct Run {
    double startupMs;
    double peakMiB;
    // Start to main, main to application, to window, to shown, to the paint.
    std::vector<double> phasesMs;
};

Run RunOnce(const Command& program, int settleMs, double idleSeconds, std::optional<CpuUse>* idle)
{
    const std::string folder = ScratchFolder();
    Child child = Start(program, folder);
    const std::optional<Report> painted = FirstPaint(child);
    if (!painted) {
        std::cerr << Name(program) << ": no first-paint line\n";
        Stop(child);
        std::exit(1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const double peakKiB = double(StatusField(ReadFile("/proc/" + std::to_string(child.pid) + "/status"), "VmHWM"));
    if (idle)
        *idle = MeasureCpu(child.pid, idleSeconds);
    Stop(child);
    std::filesystem::remove_all(folder);
    const Report& r = *painted;
    const auto ms = [](long long from, long long to) { return double(to - from) / 1e6; };
    return {ms(child.startNs, r.paint), peakKiB / 1024.0,
            {ms(child.startNs, r.main), ms(r.main, r.app), ms(r.app, r.window), ms(r.window, r.shown),
             ms(r.shown, r.paint)}};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Usage()
{
    std::cerr << "usage: vandrel-startup [--runs N] [--idle S] [--settle MS] GAME PEER...\n"
                 "       vandrel-startup cpu PID S\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "cpu") {
        const CpuUse use = MeasureCpu(pid_t(std::atoi(args[1].c_str())), std::atof(args[2].c_str()));
        std::printf("cpu %.3f%% of a core (utime+stime %.1f%%), %lld context switches, %zu threads\n",
                    use.percentOfCore, use.tickPercent, use.switches, use.threads);
        return 0;
    }
    int runs = 11;
    double idleSeconds = 5;
    int settleMs = 500;
    std::vector<Command> programs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--runs" && i + 1 < args.size())
            runs = std::atoi(args[++i].c_str());
        else if (args[i] == "--idle" && i + 1 < args.size())
            idleSeconds = std::atof(args[++i].c_str());
        else if (args[i] == "--settle" && i + 1 < args.size())
            settleMs = std::atoi(args[++i].c_str());
        else if (!args[i].empty())
            programs.push_back(ParseCommand(args[i]));
    }
    if (programs.size() < 2 || runs < 1)
        return Usage();

    for (const Command& program : programs)
        RunOnce(program, settleMs, 0, nullptr);  // warm-up: libraries and fonts into the page cache
    std::vector<std::vector<Run>> results(programs.size());
    for (int r = 0; r < runs; ++r)
        for (std::size_t p = 0; p < programs.size(); ++p)
            results[p].push_back(RunOnce(programs[p], settleMs, 0, nullptr));

    std::vector<double> startup(programs.size()), peak(programs.size());
    std::printf("%d runs each; medians in ms; phases: start to main | application | window | show | to paint\n",
                runs);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> times, peaks;
        std::vector<std::vector<double>> phases(5);
        for (const Run& run : results[p]) {
            times.push_back(run.startupMs);
            peaks.push_back(run.peakMiB);
            for (std::size_t i = 0; i < phases.size(); ++i)
                phases[i].push_back(run.phasesMs[i]);
        }
        startup[p] = Median(times);
        peak[p] = Median(peaks);
        std::printf("%-34s start-up %6.1f ms (min %.1f, max %.1f)  peak RSS %5.1f MiB  phases %.1f | %.1f | %.1f | "
                    "%.1f | %.1f\n",
                    Name(programs[p]).c_str(), startup[p], *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), peak[p], Median(phases[0]), Median(phases[1]),
                    Median(phases[2]), Median(phases[3]), Median(phases[4]));
    }
    for (std::size_t p = 1; p < programs.size(); ++p)
        std::printf("%s against %s: start-up ratio %.2f (target <= 1.3), peak RSS difference %+.1f MiB "
                    "(target <= 10)\n",
                    Name(programs[0]).c_str(), Name(programs[p]).c_str(), startup[0] / startup[p], peak[0] - peak[p]);

    if (idleSeconds > 0) {
        for (const Command& program : programs) {
            std::optional<CpuUse> idle;
            RunOnce(program, settleMs, idleSeconds, &idle);
            std::printf("%-34s idle %.0f s: cpu %.3f%% of a core (utime+stime %.1f%%), %lld context switches, "
                        "%zu threads\n",
                        Name(program).c_str(), idleSeconds, idle->percentOfCore, idle->tickPercent, idle->switches,
                        idle->threads);
        }
    }
    return 0;
}
