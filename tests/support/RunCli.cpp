#include "support/RunCli.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void CloseFd(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

RunResult RunProgram(const std::string& program, std::vector<std::string> args, std::string stdinText,
                     double timeoutSeconds)
{
    int inPipe[2], outPipe[2], errPipe[2];
    if (::pipe(inPipe) != 0 || ::pipe(outPipe) != 0 || ::pipe(errPipe) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        ::dup2(inPipe[0], STDIN_FILENO);
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
            ::close(fd);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }

    ::close(inPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    int inFd = inPipe[1], outFd = outPipe[0], errFd = errPipe[0];
    // Keep a child that stops reading its input from killing us with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    ::fcntl(inFd, F_SETFL, O_NONBLOCK);

    RunResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    size_t written = 0;
    if (stdinText.empty())
        CloseFd(inFd);
    char buf[4096];
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3];
        int n = 0;
        int outIdx = -1, errIdx = -1, inIdx = -1;
        if (outFd >= 0) { fds[n] = {outFd, POLLIN, 0}; outIdx = n++; }
        if (errFd >= 0) { fds[n] = {errFd, POLLIN, 0}; errIdx = n++; }
        if (inFd >= 0) { fds[n] = {inFd, POLLOUT, 0}; inIdx = n++; }
        int waitMs = -1;
        if (timeoutSeconds > 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                ::kill(pid, SIGKILL);
                result.timedOut = true;
                break;
            }
            waitMs = static_cast<int>(left.count()) + 1;
        }
        if (::poll(fds, n, waitMs) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        auto drain = [&](int idx, int& fd, std::string& into) {
            if (idx < 0 || !(fds[idx].revents & (POLLIN | POLLHUP | POLLERR)))
                return;
            ssize_t got = ::read(fd, buf, sizeof buf);
            if (got > 0)
                into.append(buf, static_cast<size_t>(got));
            else if (got == 0 || errno != EINTR)
                CloseFd(fd);
        };
        drain(outIdx, outFd, result.out);
        drain(errIdx, errFd, result.err);
        if (inIdx >= 0 && (fds[inIdx].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t put = ::write(inFd, stdinText.data() + written, stdinText.size() - written);
            if (put > 0)
                written += static_cast<size_t>(put);
            if ((put < 0 && errno != EAGAIN && errno != EINTR) || written == stdinText.size())
                CloseFd(inFd);
        }
    }
    CloseFd(inFd);
    CloseFd(outFd);
    CloseFd(errFd);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

RunResult RunCli(std::vector<std::string> args, std::string stdinText, double timeoutSeconds)
{
    return RunProgram(ORNIVO_CLI_PATH, std::move(args), std::move(stdinText), timeoutSeconds);
}
