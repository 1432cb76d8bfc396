#include "platform/IsolatedWorker.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

namespace ornivo::platform {

namespace {

using Clock = std::chrono::steady_clock;

// Answers larger than this are taken for a child gone wrong, not for a file's cells.
constexpr std::uint64_t kMaxFrame = std::uint64_t{1} << 31;

bool SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool SendFrame(int fd, const std::string& bytes) {
    const std::uint64_t size = bytes.size();
    return SendAll(fd, reinterpret_cast<const char*>(&size), sizeof size) && SendAll(fd, bytes.data(), bytes.size());
}

enum class Received { Done, Closed, TimedOut };

// Fills data[0, size) before the deadline (none: wait as long as it takes).
Received ReceiveAll(int fd, char* data, std::size_t size, std::optional<Clock::time_point> deadline) {
    while (size > 0) {
        int wait = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
            if (left <= 0) return Received::TimedOut;
            wait = static_cast<int>(left);
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return Received::Closed;
        if (ready == 0) return Received::TimedOut;
        const ssize_t n = ::recv(fd, data, size, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Received::Closed;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return Received::Done;
}

Received ReceiveFrame(int fd, std::string& bytes, std::optional<Clock::time_point> deadline) {
    std::uint64_t size = 0;
    Received r = ReceiveAll(fd, reinterpret_cast<char*>(&size), sizeof size, deadline);
    if (r != Received::Done) return r;
    if (size > kMaxFrame) return Received::Closed;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    return ReceiveAll(fd, bytes.data(), bytes.size(), deadline);
}

// The child's whole life: answer requests until the parent closes its end. It never returns, and
// leaves by _exit so that none of the parent's exit handlers or destructors run twice.
[[noreturn]] void ServeRequests(int fd, IsolatedWorker::Serve serve) {
    for (;;) {
        std::string request;
        if (ReceiveFrame(fd, request, std::nullopt) != Received::Done) ::_exit(0);
        if (!SendFrame(fd, serve(request))) ::_exit(3);
    }
}

}  // namespace

IsolatedWorker::IsolatedWorker(Serve serve, std::chrono::milliseconds limit) : serve_(serve), limit_(limit) {}

IsolatedWorker::~IsolatedWorker() { stop(true); }

IsolatedWorker::Reply IsolatedWorker::ask(const std::string& request) {
    std::lock_guard lock(mutex_);
    const bool reused = answered_ > 0;
    Reply reply = askOnce(request);
    if (reply.outcome == Outcome::Stopped && reused) reply = askOnce(request);
    return reply;
}

IsolatedWorker::Reply IsolatedWorker::askOnce(const std::string& request) {
    Reply reply;
    if (child_ < 0 && !start(reply.error)) return reply;
    if (!SendFrame(socket_, request)) {
        stop(true);
        reply.outcome = Outcome::Stopped;
        return reply;
    }
    switch (ReceiveFrame(socket_, reply.answer, Clock::now() + limit_)) {
    case Received::Done:
        ++answered_;
        reply.outcome = Outcome::Answered;
        break;
    case Received::Closed:
        stop(true);
        reply.answer.clear();
        reply.outcome = Outcome::Stopped;
        break;
    case Received::TimedOut:
        stop(true);
        reply.answer.clear();
        reply.outcome = Outcome::TimedOut;
        break;
    }
    return reply;
}

bool IsolatedWorker::start(std::string& error) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        ServeRequests(fds[1], serve_);
    }
    ::close(fds[1]);
    child_ = child;
    socket_ = fds[0];
    answered_ = 0;
    return true;
}

void IsolatedWorker::stop(bool kill) {
    if (child_ < 0) return;
    ::close(socket_);  // a child waiting for a request reads the end and leaves
    if (kill) ::kill(child_, SIGKILL);
    int status = 0;
    while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    socket_ = -1;
    answered_ = 0;
}

}  // namespace ornivo::platform
