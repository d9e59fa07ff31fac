#include "browser/browser_report.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavlo::test {
namespace {

std::optional<std::string> onPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t') {
            fields.push_back(field);
            field.clear();
        } else if (line[i] == '\\' && i + 1 < line.size()) {
            const char c = line[++i];
            field.push_back(c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c);
        } else {
            field.push_back(line[i]);
        }
    }
    fields.push_back(field);
    return fields;
}

// Reads the report's lines into pages; any other line is the script's or the browser's complaint.
void readLine(const std::string& line, BrowserReport& report, std::string& complaints)
{
    const auto f = splitFields(line);
    if (f[0] == "page" && f.size() == 2)
        report[f[1]];
    else if (f[0] == "heading" && f.size() == 3)
        report[f[1]].heading = f[2];
    else if (f[0] == "image" && f.size() == 4)
        report[f[1]].images.push_back({f[2], std::atol(f[3].c_str())});
    else if (f[0] == "link" && f.size() == 4)
        report[f[1]].links.push_back({f[2], f[3]});
    else if (f[0] == "background" && f.size() == 3)
        report[f[1]].backgrounds.push_back(f[2]);
    else
        complaints += line + "\n";
}

// Runs a program without a shell (the page names hold every character a shell minds)
// and returns its exit status and what it wrote to standard output and error.
std::pair<int, std::string> run(const std::vector<std::string>& arguments)
{
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("cannot make a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), output};
}

} // namespace

std::optional<std::string> findChromium()
{
    // A browser named on purpose is used as it is: when it cannot start, the test fails.
    if (const char* chosen = std::getenv("TAVLO_CHROMIUM"); chosen && *chosen)
        return chosen;
    for (const char* name : {"chromium", "chromium-browser"})
        if (auto found = onPath(name))
            return found;
    return std::nullopt;
}

BrowserReport openInBrowser(const std::string& chromium, const std::vector<std::string>& startPages)
{
    const auto node = onPath("node");
    if (!node)
        throw std::runtime_error("Node.js (node) is needed to drive Chromium and is not on the PATH");
    std::vector<std::string> arguments{*node, std::string(TAVLO_BROWSER_SCRIPTS) + "/page_report.mjs", chromium};
    arguments.insert(arguments.end(), startPages.begin(), startPages.end());
    const auto [status, output] = run(arguments);

    BrowserReport report;
    std::string complaints;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        readLine(line, report, complaints);
    if (status != 0)
        throw std::runtime_error("the page report failed (exit status " + std::to_string(status) + "):\n" + complaints);
    return report;
}

} // namespace tavlo::test
