#include "bench_support.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <string>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavlo::bench {

double nowSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long peakRssKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Linux keeps the peak as VmHWM, and sets it back to the present size on a "5" in clear_refs.
void resetPeakRss() { std::ofstream("/proc/self/clear_refs") << "5"; }

long peakSinceResetKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return 0;
}

Finished runProgram(const std::vector<std::string>& command, bool captureOutput)
{
    std::vector<char*> argv;
    for (const auto& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (captureOutput) {
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
            fail("cannot make a pipe");
        ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    } else {
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }

    Finished finished;
    pid_t child = 0;
    finished.startedAt = nowSeconds();
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        fail("cannot start " + command.front());
    if (captureOutput) {
        ::close(pipeEnds[1]);
        char chunk[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(pipeEnds[0], chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            finished.output.append(chunk, static_cast<std::size_t>(got));
        }
        ::close(pipeEnds[0]);
    }
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    finished.endedAt = nowSeconds();
    finished.peakKiB = usage.ru_maxrss;
    finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

std::string ownFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    const std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}

namespace {

std::string formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string countText(long count)
{
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t left = digits.size() - i;
        if (i > 0 && left % 3 == 0 && digits[i - 1] != '-')
            text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

std::string milliseconds(double seconds) { return formatted("%.1f ms", seconds * 1000); }

std::string mebibytes(double kibibytes) { return formatted("%.1f MiB", kibibytes / 1024); }

std::string ratioText(double ratio) { return formatted("%.2fx", ratio); }

void printRow(std::string_view name, std::string_view ours, std::string_view baseline, std::string_view ratio,
              std::string_view target, std::string_view verdict)
{
    std::cout << "ROW\t" << name << '\t' << ours << '\t' << baseline << '\t' << ratio << '\t' << target << '\t'
              << verdict << std::endl;
}

void printMemory(std::string_view name, std::string_view value)
{
    std::cout << "MEM\t" << name << '\t' << value << std::endl;
}

void printFigure(std::string_view name, std::string_view value)
{
    std::cout << "  " << name << ": " << value << std::endl;
}

void fail(std::string_view why)
{
    std::cerr << "benchmark failed: " << why << std::endl;
    std::exit(2);
}

} // namespace tavlo::bench
