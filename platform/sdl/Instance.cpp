#include "platform/sdl/Instance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string InstanceDir(const std::string& dir) {
    if (!dir.empty()) return dir;
    if (const char* env = std::getenv("TARN_INSTANCE_DIR"); env && *env) return env;
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run) return run;
    return "/tmp";
}

bool FillAddress(const std::string& path, sockaddr_un* address) {
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (path.size() >= sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& dir)
    : path_(InstanceDir(dir) + "/tarngame-" + std::to_string(getuid()) + ".sock") {}

InstanceLock::~InstanceLock() {
    if (listenFd_ < 0) return;
    close(listenFd_);
    unlink(path_.c_str());
}

int InstanceLock::Connect() const {
    sockaddr_un address;
    if (!FillAddress(path_, &address)) return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool InstanceLock::OtherRunning() const {
    if (listenFd_ >= 0) return false;
    const int fd = Connect();
    if (fd < 0) return false;
    close(fd);
    return true;
}

bool InstanceLock::RaiseOther() const {
    const int fd = Connect();
    if (fd < 0) return false;
    const bool ok = write(fd, "R", 1) == 1;
    close(fd);
    return ok;
}

bool InstanceLock::Claim() {
    if (listenFd_ >= 0) return true;
    sockaddr_un address;
    if (!FillAddress(path_, &address)) return true;  // no room for a lock: run unguarded
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return true;
    auto* sa = reinterpret_cast<sockaddr*>(&address);
    if (bind(fd, sa, sizeof address) != 0) {
        const bool inUse = errno == EADDRINUSE;
        if (!inUse || OtherRunning()) {
            close(fd);
            return !inUse;  // a directory we cannot use leaves the game unguarded
        }
        unlink(path_.c_str());  // left behind by a game that crashed
        if (bind(fd, sa, sizeof address) != 0) {
            close(fd);
            return false;
        }
    }
    if (listen(fd, 4) != 0) {
        close(fd);
        unlink(path_.c_str());
        return true;
    }
    listenFd_ = fd;
    return true;
}

bool InstanceLock::TakeRaiseRequest() {
    if (listenFd_ < 0) return false;
    bool raise = false;
    for (;;) {
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) break;
        char byte = 0;
        // The asker writes before closing; a short wait covers a slow asker.
        struct timeval wait = {0, 200000};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        if (read(fd, &byte, 1) == 1 && byte == 'R') raise = true;
        close(fd);
    }
    return raise;
}
