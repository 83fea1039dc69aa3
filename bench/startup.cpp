#include "startup.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string_view>

extern char** environ;

namespace motoreckon::bench {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::runtime_error failure(const std::string& program, const std::string& what) {
    return std::runtime_error(program + ": " + what);
}

// Waits for one byte on `fd`; returns it, or 0 when the pipe closed or the time ran out.
char readByte(int fd, double timeoutSeconds) {
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(timeoutSeconds * 1000));
    if (ready <= 0) return 0;
    char byte = 0;
    ssize_t got = 0;
    do {
        got = read(fd, &byte, 1);
    } while (got < 0 && errno == EINTR);
    return got == 1 ? byte : 0;
}

// The current environment with QT_QPA_PLATFORM replaced.
std::vector<std::string> environmentFor(const std::string& platform) {
    const std::string name = "QT_QPA_PLATFORM=";
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        if (std::string_view(*variable).substr(0, name.size()) != name) {
            variables.emplace_back(*variable);
        }
    }
    variables.push_back(name + platform);
    return variables;
}

}  // namespace

ProcessRun runOnce(const std::string& program, const std::string& platform, double timeoutSeconds) {
    std::vector<std::string> variables = environmentFor(platform);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) throw failure(program, std::strerror(errno));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);

    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw failure(program, std::strerror(spawned));
    }

    ProcessRun run;
    const char reply = readByte(pipeEnds[0], timeoutSeconds);
    run.readySeconds = secondsSince(start);
    close(pipeEnds[0]);
    if (reply != 'R') kill(pid, SIGKILL);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.peakKiB = usage.ru_maxrss;

    if (reply != 'R') throw failure(program, "never showed its window and went idle");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw failure(program, "ended with status " + std::to_string(status));
    }
    return run;
}

std::vector<std::vector<ProcessRun>> runAlternating(const std::vector<std::string>& programs,
                                                    const std::string& platform, int rounds) {
    for (const std::string& program : programs) runOnce(program, platform);
    std::vector<std::vector<ProcessRun>> runs(programs.size());
    const std::size_t count = programs.size();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t which = (static_cast<std::size_t>(round) + k) % count;
            runs[which].push_back(runOnce(programs[which], platform));
        }
    }
    return runs;
}

}  // namespace motoreckon::bench
