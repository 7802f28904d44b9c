#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "platform/InputScript.h"
#include "platform/PlatformState.h"
#include "platform/i_system.h"

namespace platform {

PlatformStateData& State() {
    static PlatformStateData state;
    return state;
}

void RecordMessage(long frame, const MSG& msg) {
    FILE* out = State().record;
    if (!out) return;
    const std::string line = InputScript::FormatMessage(frame, msg);
    if (line.empty()) return;
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);  // a crash must not lose the input that led to it
}

}  // namespace platform

namespace {

using platform::State;

bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ExecutableDir(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string exe = n > 0 ? std::string(buffer, n) : std::string(argv0 ? argv0 : "");
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

std::string ResolveDataDir(const PlatformOptions& options, const char* argv0) {
    if (!options.dataDir.empty()) return options.dataDir;
    if (const char* env = std::getenv("TARN_DATA_DIR"); env && *env) return env;
    const std::string exeDir = ExecutableDir(argv0);
    if (IsDirectory(exeDir + "/data")) return exeDir + "/data";
    if (IsDirectory(exeDir + "/../share/tarngame")) return exeDir + "/../share/tarngame";
    return exeDir + "/data";
}

std::string ResolveSaveDir(const PlatformOptions& options) {
    if (!options.saveDir.empty()) return options.saveDir;
    if (const char* env = std::getenv("TARN_SAVE_DIR"); env && *env) return env;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::string(xdg) + "/tarngame";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share/tarngame";
    return "tarngame-saves";
}

// The shell keeps both directories in 256-character buffers, with room for the file names.
constexpr size_t kMaxDirLength = 200;

bool OpenRecord(const std::string& path, std::string* error) {
    State().record = std::fopen(path.c_str(), "w");
    if (!State().record) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fprintf(State().record, "# tarngame input recording: FRAME EVENT ARGS\n");
    return true;
}

}  // namespace

Backend* CurrentBackend() {
    return State().backend.get();
}

bool I_Init(const PlatformOptions& options, const char* argv0, std::string* error) {
    I_Shutdown();
    platform::ResetWindowState();
    auto& state = State();
    state.options = options;
    state.frames = 0;
    state.currentFrame = 0;
    state.shotFailed = false;
    state.demoHandBack = nullptr;
    state.typedKeys = false;
    state.dataDir = ResolveDataDir(options, argv0);
    state.saveDir = ResolveSaveDir(options);
    if (state.dataDir.size() > kMaxDirLength || state.saveDir.size() > kMaxDirLength) {
        *error = "data and save directories must be at most 200 characters long";
        return false;
    }
    state.backend =
        options.headless ? platform::MakeHeadlessBackend() : platform::MakeWindowBackend();
    if (!state.backend->Open(options, error)) {
        state.backend.reset();
        return false;
    }
    state.backend->LoadSaves(state.saveDir);
    if (!options.recordFile.empty() && !OpenRecord(options.recordFile, error)) {
        I_Shutdown();
        return false;
    }
    return true;
}

void I_Shutdown() {
    auto& state = State();
    if (state.backend) state.backend->Close();
    state.backend.reset();
    if (state.record) std::fclose(state.record);
    state.record = nullptr;
}

void I_ShowError(const std::string& message) {
    if (Backend* backend = CurrentBackend()) backend->ShowError(message);
}

void I_StartDemo(void (*handBack)()) {
    State().demoHandBack = handBack;
}

bool I_ShotsWritten() {
    return !State().shotFailed;
}

long I_FrameCount() {
    return State().frames;
}

int64_t I_Microseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

const std::string& I_DataDir() {
    return State().dataDir;
}
const std::string& I_SaveDir() {
    return State().saveDir;
}

void I_UseDirectories(const std::string& dataDir, const std::string& saveDir) {
    if (!dataDir.empty()) State().dataDir = dataDir;
    if (!saveDir.empty()) State().saveDir = saveDir;
}

void I_ForgetSaveDir() {
    State().saveDir.clear();
}

bool I_MakeDirectories(const std::string& dir) {
    if (dir.empty()) return false;
    for (size_t at = 1; at <= dir.size(); ++at) {
        if (at != dir.size() && dir[at] != '/') continue;
        const std::string part = dir.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return IsDirectory(dir);
}

namespace {

bool WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void SyncDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

namespace {
void (*g_saveStepHook)(int) = nullptr;
void SaveStep(int step) {
    if (g_saveStepHook) g_saveStepHook(step);
}
}  // namespace

void I_SetTypedKeys(bool on) {
    platform::State().typedKeys = on;
}

bool I_TypedKeys() {
    return platform::State().typedKeys;
}

void I_SetSaveStepHook(void (*hook)(int step)) {
    g_saveStepHook = hook;
}

namespace {

// A failed save costs the player something, so say so; but once per file, not every frame.
void WarnSaveFailed(const std::string& path, int error) {
    static std::set<std::string> warned;
    if (!warned.insert(path).second) return;
    std::fprintf(stderr, "tarngame: cannot save %s: %s; play goes on without saving it\n",
                 path.c_str(), std::strerror(error));
}

}  // namespace

bool I_WriteFileAtomic(const std::string& path, const void* data, size_t size) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
    if (!I_MakeDirectories(dir)) {
        WarnSaveFailed(path, errno);
        return false;
    }
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        WarnSaveFailed(path, errno);
        return false;
    }
    SaveStep(1);
    bool ok = WriteAll(fd, data, size);
    SaveStep(2);
    ok = ok && fsync(fd) == 0;
    SaveStep(3);
    ok = close(fd) == 0 && ok;
    SaveStep(4);
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    SaveStep(5);
    if (!ok) {
        const int error = errno;
        unlink(temp.c_str());
        WarnSaveFailed(path, error);
        return false;
    }
    SyncDirectory(dir);
    if (Backend* backend = CurrentBackend()) backend->FileSaved(path);
    return true;
}
