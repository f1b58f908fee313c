#include "ProcessRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

static std::string Contents(int fd) {
    std::string text;
    char buffer[65536];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(fd);
    return text;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    // The child writes into files in memory: it never waits for a reader, and what
    // a killed child wrote is there whole. They are closed on exec, so that a child
    // another thread starts meanwhile holds neither (dup2 clears the flag on 1 and 2).
    const int out = memfd_create("out", MFD_CLOEXEC), err = memfd_create("err", MFD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.outputFile.empty())
        posix_spawn_file_actions_adddup2(&actions, out, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, options.outputFile.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    if (!options.inputFile.empty())
        posix_spawn_file_actions_addopen(&actions, 0, options.inputFile.c_str(), O_RDONLY, 0);
    // env sets the given entries, each in place of an inherited one of the same name.
    std::vector<std::string> argv{"/usr/bin/env"};
    argv.insert(argv.end(), options.environment.begin(), options.environment.end());
    argv.push_back(program);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& text : argv) pointers.push_back(&text[0]);
    pointers.push_back(nullptr);
    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    pid_t pid;
    const int spawned =
        posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProcessResult result;
    int status = 0;
    rusage usage{};
    // Without a time limit the wait blocks; with one it looks every few milliseconds.
    while (spawned == 0 && wait4(pid, &status, options.timeLimit > 0 ? WNOHANG : 0, &usage) == 0) {
        if (!result.killed && elapsed() > options.timeLimit)
            result.killed = kill(pid, SIGKILL) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.out = Contents(out);
    result.err = Contents(err);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
    result.seconds = elapsed();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.peakKilobytes = usage.ru_maxrss;
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}
