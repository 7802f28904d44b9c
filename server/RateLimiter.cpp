#include "server/RateLimiter.h"

namespace {
constexpr std::chrono::seconds kWindow(60);
}

int RateLimiter::Admit(const std::string& address, Clock::time_point now) {
    std::lock_guard<std::mutex> lock(mutex_);
    Forget(now);
    std::deque<Clock::time_point>& times = recent_[address];
    while (!times.empty() && now - times.front() >= kWindow)
        times.pop_front();
    if (static_cast<int>(times.size()) < perMinute_) {
        times.push_back(now);
        return 0;
    }
    auto wait = std::chrono::duration_cast<std::chrono::seconds>(times.front() + kWindow - now);
    return static_cast<int>(wait.count()) + 1;
}

// The map would otherwise grow with every address ever seen.
void RateLimiter::Forget(Clock::time_point now) {
    if (now - lastSweep_ < kWindow) return;
    lastSweep_ = now;
    for (auto it = recent_.begin(); it != recent_.end();) {
        if (it->second.empty() || now - it->second.back() >= kWindow)
            it = recent_.erase(it);
        else
            ++it;
    }
}
