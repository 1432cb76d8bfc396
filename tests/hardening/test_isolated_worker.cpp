// The reader process kept from request to request: one child answers many requests, a crash or a
// hang is a refusal and the next request gets a fresh child, and a request that fails only in a
// used child is asked again of a fresh one.
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/IsolatedWorker.h"

using ornivo::platform::IsolatedWorker;
using Outcome = IsolatedWorker::Outcome;

namespace {

// "pid": the child's process id. "crash", "hang": what they say. "crash-if-used": crashes in a
// child that has answered before (as a child an earlier damaged file had spoiled would).
std::string Serve(const std::string& request) {
    static int served = 0;
    ++served;
    if (request == "crash") std::abort();
    if (request == "crash-if-used" && served > 1) std::abort();
    if (request == "hang") std::this_thread::sleep_for(std::chrono::seconds(30));
    if (request == "pid") return std::to_string(::getpid());
    return request + "!";
}

TEST(IsolatedWorker, OneChildAnswersManyRequestsAndCrashesOrHangsAreRefusals) {
    IsolatedWorker worker(Serve, std::chrono::milliseconds(500));
    const auto first = worker.ask("pid");
    ASSERT_EQ(first.outcome, Outcome::Answered);
    EXPECT_NE(first.answer, std::to_string(::getpid()));
    EXPECT_EQ(worker.ask("pid").answer, first.answer);
    EXPECT_EQ(worker.ask(std::string(1 << 20, 'x')).answer.size(), (1u << 20) + 1);  // longer than a socket buffer

    // A fresh child crashes: no second try. The next request forks another child.
    IsolatedWorker fresh(Serve, std::chrono::milliseconds(500));
    EXPECT_EQ(fresh.ask("crash").outcome, Outcome::Stopped);
    const auto after = fresh.ask("pid");
    ASSERT_EQ(after.outcome, Outcome::Answered);
    EXPECT_NE(after.answer, first.answer);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(worker.ask("hang").outcome, Outcome::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(worker.ask("ok").answer, "ok!");
}

TEST(IsolatedWorker, ARequestThatFailsOnlyInAUsedChildIsAnsweredByAFreshOne) {
    IsolatedWorker worker(Serve, std::chrono::milliseconds(2000));
    const std::string used = worker.ask("pid").answer;
    const auto reply = worker.ask("crash-if-used");
    EXPECT_EQ(reply.outcome, Outcome::Answered);
    EXPECT_EQ(reply.answer, "crash-if-used!");
    EXPECT_NE(worker.ask("pid").answer, used);
}

}  // namespace
