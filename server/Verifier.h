// Runs `tarngame --verify FILE` in a child process, never in the server's own: a hostile replay
// can at worst kill a child. The pool bounds how many run at once and how many wait.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

struct VerifierRun {
    enum class Outcome { Exited, TimedOut, Crashed, CouldNotStart };
    Outcome outcome = Outcome::CouldNotStart;
    int exitCode = -1;   // when Exited
    std::string output;  // its standard output, up to a limit
};

struct VerifierSettings {
    std::string game;  // the program run as `game --verify FILE`
    bool memoryLimit = true;
    size_t memoryBytes = size_t(1) << 30;
};

// 2 s, and 1 s more for every 50,000 frames the replay claims.
std::chrono::milliseconds VerifierTimeLimit(long frames);

// Runs one verification and waits for it, at most `limit`; past it the child (and anything it
// started) is killed. The child dies with the server, and its memory is limited unless turned off.
VerifierRun RunVerifier(const VerifierSettings& settings, const std::string& replayPath,
                        std::chrono::milliseconds limit);

class VerifierPool {
  public:
    VerifierPool(int workers, int queue) : workers_(workers), capacity_(workers + queue) {}

    // A place among the running and the waiting; leaving gives it back.
    class Ticket {
      public:
        explicit Ticket(VerifierPool* pool) : pool_(pool) {}
        ~Ticket();
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;
        // Waits for a free worker, runs the verifier in it, and gives the worker back.
        VerifierRun Verify(const VerifierSettings& settings, const std::string& replayPath,
                           std::chrono::milliseconds limit);

      private:
        VerifierPool* pool_;
    };

    // nullptr when every worker is busy and the queue is full: the caller answers 503.
    std::unique_ptr<Ticket> TryEnter();
    int Running();
    int Waiting();
    int Workers() const { return workers_; }

  private:
    const int workers_;
    const int capacity_;
    std::mutex mutex_;
    std::condition_variable freed_;
    int admitted_ = 0;
    int running_ = 0;
};
