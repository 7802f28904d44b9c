#include "server/Verifier.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

namespace {

constexpr size_t kMaxOutput = 64 * 1024;
using Clock = std::chrono::steady_clock;

// Between fork and exec only async-signal-safe calls: the server has other threads, whose
// locks the child inherits held.
[[noreturn]] void ExecChild(char* const argv[], int devNull, int outWrite, pid_t parent,
                            const VerifierSettings& settings) {
    setpgid(0, 0);  // its own group, so a kill on timeout reaches anything it started
    // The child dies with the server. PR_SET_PDEATHSIG follows the forking thread, which here
    // is a pool thread that lives as long as the server.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);  // the server blocks SIGTERM in every thread
    signal(SIGPIPE, SIG_DFL);                  // an ignored signal stays ignored across exec
    dup2(devNull, STDIN_FILENO);
    dup2(outWrite, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    struct rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    if (settings.memoryLimit) {
        struct rlimit memory = {settings.memoryBytes, settings.memoryBytes};
        setrlimit(RLIMIT_AS, &memory);
    }
    // Nothing of the server's (listening socket, database) leaks into the verifier.
    if (syscall(SYS_close_range, 3u, ~0u, 0u) != 0)
        for (int fd = 3; fd < 4096; ++fd)
            close(fd);
    execv(argv[0], argv);
    _exit(127);
}

// Reads the child's output until it closes it or the deadline passes; false on the deadline.
bool ReadUntil(int fd, Clock::time_point deadline, std::string* output) {
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        struct pollfd p = {fd, POLLIN, 0};
        int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return true;
        if (output->size() < kMaxOutput) output->append(buffer, static_cast<size_t>(got));
    }
}

// Waits for the child to end until the deadline; false on the deadline.
bool WaitUntil(pid_t pid, Clock::time_point deadline, int* status) {
    for (;;) {
        pid_t done = waitpid(pid, status, WNOHANG);
        if (done == pid) return true;
        if (done < 0 && errno != EINTR) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

std::chrono::milliseconds VerifierTimeLimit(long frames) {
    return std::chrono::milliseconds(2000 + (frames > 0 ? frames : 0) * 1000 / 50000);
}

VerifierRun RunVerifier(const VerifierSettings& settings, const std::string& replayPath,
                        std::chrono::milliseconds limit) {
    VerifierRun run;
    std::string game = settings.game, flag = "--verify", path = replayPath;
    char* const argv[] = {game.data(), flag.data(), path.data(), nullptr};
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return run;
    int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    pid_t parent = getpid();
    pid_t pid = devNull < 0 ? -1 : fork();
    if (pid == 0) ExecChild(argv, devNull, pipeFds[1], parent, settings);
    close(pipeFds[1]);
    if (devNull >= 0) close(devNull);
    if (pid < 0) {
        close(pipeFds[0]);
        return run;
    }
    Clock::time_point deadline = Clock::now() + limit;
    bool closed = ReadUntil(pipeFds[0], deadline, &run.output);
    close(pipeFds[0]);
    int status = 0;
    if (!closed || !WaitUntil(pid, deadline, &status)) {
        kill(-pid, SIGKILL);
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        run.outcome = VerifierRun::Outcome::TimedOut;
        return run;
    }
    if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
        run.outcome = run.exitCode == 127 ? VerifierRun::Outcome::CouldNotStart
                                          : VerifierRun::Outcome::Exited;
    } else {
        run.outcome = VerifierRun::Outcome::Crashed;
    }
    return run;
}

VerifierPool::Ticket::~Ticket() {
    std::lock_guard<std::mutex> lock(pool_->mutex_);
    --pool_->admitted_;
}

VerifierRun VerifierPool::Ticket::Verify(const VerifierSettings& settings,
                                         const std::string& replayPath,
                                         std::chrono::milliseconds limit) {
    {
        std::unique_lock<std::mutex> lock(pool_->mutex_);
        pool_->freed_.wait(lock, [&] { return pool_->running_ < pool_->workers_; });
        ++pool_->running_;
    }
    VerifierRun run = RunVerifier(settings, replayPath, limit);
    {
        std::lock_guard<std::mutex> lock(pool_->mutex_);
        --pool_->running_;
    }
    pool_->freed_.notify_one();
    return run;
}

std::unique_ptr<VerifierPool::Ticket> VerifierPool::TryEnter() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (admitted_ >= capacity_) return nullptr;
    ++admitted_;
    return std::make_unique<Ticket>(this);
}

int VerifierPool::Running() {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}

int VerifierPool::Waiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    return admitted_ - running_;
}
