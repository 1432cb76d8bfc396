#pragma once
// Runs a function that may crash or hang (a reader of damaged files through a system library) in a
// child process, so that its faults end in a refusal instead of the end of the program. The child is
// forked on the first request and kept for the next ones: forking once per file made reading many
// files slow. Requests and answers are byte strings, framed by their length, through a socket pair.
//
// A child that dies or overruns the time limit is killed and reaped, and the next request forks a
// fresh one. A request whose child dies after it had answered earlier requests is asked once more of
// a fresh child, so that a good file is never refused for what an earlier file left behind.
#include <sys/types.h>

#include <chrono>
#include <mutex>
#include <string>

namespace ornivo::platform {

class IsolatedWorker {
public:
    // Runs in the child: the answer to one request.
    using Serve = std::string (*)(const std::string& request);

    enum class Outcome {
        Answered,  // the child's answer is in Reply::answer
        Stopped,   // the child died on the request (a crash, a sanitizer report)
        TimedOut,  // the child was still working at the time limit and was killed
        Failed,    // no child could be started or spoken to; Reply::error says why
    };
    struct Reply {
        Outcome outcome = Outcome::Failed;
        std::string answer;
        std::string error;
    };

    IsolatedWorker(Serve serve, std::chrono::milliseconds limit);
    ~IsolatedWorker();
    IsolatedWorker(const IsolatedWorker&) = delete;
    IsolatedWorker& operator=(const IsolatedWorker&) = delete;

    // Thread-safe: one request at a time.
    Reply ask(const std::string& request);

private:
    Reply askOnce(const std::string& request);
    bool start(std::string& error);
    void stop(bool kill);

    Serve serve_;
    std::chrono::milliseconds limit_;
    std::mutex mutex_;
    pid_t child_ = -1;
    int socket_ = -1;
    int answered_ = 0;  // requests the present child has answered
};

}  // namespace ornivo::platform
