// At most N submissions a minute from one address, in this process (several servers behind a
// balancer each keep their own count).
#pragma once

#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

class RateLimiter {
  public:
    using Clock = std::chrono::steady_clock;
    explicit RateLimiter(int perMinute) : perMinute_(perMinute) {}

    // Counts one submission from `address`; 0 when allowed, else the seconds until it would be.
    int Admit(const std::string& address, Clock::time_point now = Clock::now());

  private:
    void Forget(Clock::time_point now);

    const int perMinute_;
    std::mutex mutex_;
    std::unordered_map<std::string, std::deque<Clock::time_point>> recent_;
    Clock::time_point lastSweep_;
};
