#include "ProcessRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

typedef std::chrono::steady_clock Clock;

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

// The parent's environment with the given entries in place of those of the same name.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    for (char** e = environ; *e != nullptr; ++e) {
        bool replaced = false;
        for (const std::string& entry : entries) replaced = replaced || NameOf(entry) == NameOf(*e);
        if (!replaced) result.push_back(*e);
    }
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(&text[0]);
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    // Close-on-exec, so that a child another thread starts meanwhile holds no end of
    // these pipes (the dup2 of the file actions clears the flag on 1 and 2).
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.outputFile.empty())
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, options.outputFile.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions,
                                     options.mergeErrorIntoOutput ? outPipe[1] : errPipe[1], 2);
    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envText = ChildEnvironment(options.environment);
    const Clock::time_point started = Clock::now();
    pid_t pid;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                    Pointers(argvText).data(), Pointers(envText).data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);

    ProcessResult result;
    // A closed pipe is left out of the poll (negative descriptors are ignored); the
    // pipes close once the child, or the killed child, is gone.
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* into[2] = {&result.out, &result.err};
    while (spawned == 0 && (fds[0].fd >= 0 || fds[1].fd >= 0)) {
        const double left =
            options.timeLimit - std::chrono::duration<double>(Clock::now() - started).count();
        const int wait = options.timeLimit <= 0 || result.killed ? -1 : std::max(0.0, left) * 1000;
        const int ready = poll(fds, 2, wait);
        if (ready == 0) {
            kill(pid, SIGKILL);
            result.killed = true;
        }
        for (int i = 0; i < 2 && ready > 0; ++i) {
            char buffer[4096];
            const ssize_t n = fds[i].revents != 0 ? read(fds[i].fd, buffer, sizeof buffer) : -2;
            if (n > 0) into[i]->append(buffer, static_cast<size_t>(n));
            if (n == 0 || n == -1) fds[i].fd = -1;
        }
    }
    close(outPipe[0]);
    close(errPipe[0]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));

    int waitStatus = 0;
    rusage usage{};
    wait4(pid, &waitStatus, 0, &usage);
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    result.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    result.signal = WIFSIGNALED(waitStatus) ? WTERMSIG(waitStatus) : 0;
    result.peakKilobytes = usage.ru_maxrss;
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) lines.push_back(line);
    return lines;
}
