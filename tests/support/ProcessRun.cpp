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

void Drain(int fd, std::string& into, bool& open) {
    char buffer[4096];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0)
        into.append(buffer, static_cast<size_t>(n));
    else
        open = false;
}

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

// Milliseconds poll may wait: until the deadline, or for ever without one.
int PollWait(const ProcessOptions& options, Clock::time_point deadline) {
    if (options.timeLimit <= 0) return -1;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) throw std::runtime_error("pipe failed");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.outputFile.empty())
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, options.outputFile.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions,
                                     options.mergeErrorIntoOutput ? outPipe[1] : errPipe[1], 2);
    for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
        posix_spawn_file_actions_addclose(&actions, fd);

    std::vector<std::string> argvText;
    argvText.push_back(program);
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = Pointers(argvText);
    std::vector<std::string> envText = ChildEnvironment(options.environment);
    std::vector<char*> envp = Pointers(envText);

    const Clock::time_point started = Clock::now();
    const Clock::time_point deadline =
        started + std::chrono::duration_cast<Clock::duration>(
                      std::chrono::duration<double>(options.timeLimit));
    pid_t pid;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
    }

    ProcessResult result;
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        // A closed pipe is left out of the poll (negative descriptors are ignored).
        pollfd fds[2] = {{outOpen ? outPipe[0] : -1, POLLIN, 0},
                         {errOpen ? errPipe[0] : -1, POLLIN, 0}};
        const int ready = poll(fds, 2, result.killed ? -1 : PollWait(options, deadline));
        if (ready < 0) continue;
        if (ready == 0) {
            // The pipes close once the killed child is gone.
            kill(pid, SIGKILL);
            result.killed = true;
            continue;
        }
        if (fds[0].revents != 0) Drain(outPipe[0], result.out, outOpen);
        if (fds[1].revents != 0) Drain(errPipe[0], result.err, errOpen);
    }
    close(outPipe[0]);
    close(errPipe[0]);

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
