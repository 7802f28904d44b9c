// One game per user: the running game listens on a local socket; a second start finds it,
// asks it to come to the front and leaves. Tests give each run its own directory.
#pragma once

#include <string>

class InstanceLock {
  public:
    // dir empty: $TARN_INSTANCE_DIR, else $XDG_RUNTIME_DIR, else /tmp.
    explicit InstanceLock(const std::string& dir = "");
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process holds the lock and answers.
    bool OtherRunning() const;
    // Asks the other process to raise its window.
    bool RaiseOther() const;
    // Claims the lock; false when another process holds it.
    bool Claim();
    // For the holder, polled each frame: true once for every raise request received.
    bool TakeRaiseRequest();

    const std::string& Path() const { return path_; }

  private:
    int Connect() const;

    std::string path_;
    int listenFd_ = -1;
};
