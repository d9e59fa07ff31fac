#include "platform/console.h"
#include "platform/posix/posix_file_system.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace tavlo {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

void noteStopSignal(int signal) { stopRequested = signal; }

void writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written <= 0)
            return;  // nowhere to write to: the run goes on without its messages
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

class PosixConsole final : public Console {
public:
    PosixConsole()
    {
        struct sigaction action {};
        action.sa_handler = noteStopSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(signal, &action, nullptr);
    }

    int stopSignal() const override { return stopRequested; }
    FileSystem& fileSystem() override { return *fs_; }
    void writeOutput(std::string_view text) override { writeAll(STDOUT_FILENO, text); }
    void writeError(std::string_view text) override { writeAll(STDERR_FILENO, text); }
    bool errorIsTerminal() const override { return ::isatty(STDERR_FILENO) == 1; }

    void openPage(const OpenRequest& request) override
    {
        // The desktop's own opener, as the window's browser opening uses it; its
        // messages are not the program's.
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string path = request.documentPath;
        char opener[] = "xdg-open";
        char* argv[] = {opener, path.data(), nullptr};
        pid_t child = 0;
        ::posix_spawnp(&child, opener, &actions, nullptr, argv, environ);
        ::posix_spawn_file_actions_destroy(&actions);
    }

private:
    std::unique_ptr<FileSystem> fs_ = createProgramFileSystem();
};

} // namespace

std::unique_ptr<Console> createConsole() { return std::make_unique<PosixConsole>(); }

std::vector<std::string> programArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

} // namespace tavlo
