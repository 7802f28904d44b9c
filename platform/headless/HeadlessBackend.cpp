// No window, no audio device: display memory in ordinary RAM, a clock that moves only when
// the game sleeps, and input read from a script. Tests, the autoplayer and benchmarks run here.
#include <cstdio>
#include <vector>

#include "platform/Device.h"
#include "platform/InputScript.h"
#include "platform/PlatformState.h"

namespace {

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;

class HeadlessBackend : public Backend {
  public:
    bool Open(const PlatformOptions& options, std::string* error) override {
        layout_ = options.layout;
        ticks_ = options.tickStart;
        return options.inputFile.empty() || script_.Load(options.inputFile, error);
    }
    void Close() override {}

    bool CreateWindow(const wchar_t*) override { return true; }
    void PumpMessages(std::deque<MSG>& queue, long frame) override {
        HWND window = platform::MainWindow();
        script_.Deliver(frame, [&](const InputEvent& e) {
            queue.push_back(InputScript::ToMessage(e, window));
        });
    }

    uint32_t Ticks() override { return ticks_; }
    void Sleep(uint32_t milliseconds) override { ticks_ += milliseconds; }

    bool OpenDisplay() override {
        memory_.assign(static_cast<size_t>(kWidth) * kHeight * 2, 0);
        return true;
    }
    GXDisplayProperties Properties() const override {
        GXDisplayProperties p =
            PortraitDisplay(layout_ == DisplayLayout::kPortrait555 ? kfDirect555 : kfDirect565);
        if (layout_ == DisplayLayout::kLandscape565) {
            // Memory in landscape rows: moving right on screen moves up one memory row.
            p.cbxPitch = -kHeight * 2;
            p.cbyPitch = 2;
            p.ffFormat |= kfLandscape;
        }
        return p;
    }
    void* BeginDraw() override {
        if (memory_.empty()) return nullptr;
        const GXDisplayProperties p = Properties();
        size_t origin = 0;
        if (p.cbxPitch < 0) origin += static_cast<size_t>(-p.cbxPitch) * (p.cxWidth - 1);
        return memory_.data() + origin;
    }
    void EndDraw() override {}
    void CloseDisplay() override { memory_.clear(); }

    bool WaveInit(int channels, int, int) override {
        Log("init " + std::to_string(channels));
        return true;
    }
    bool LoadWave(const std::string& path, int channel) override {
        const size_t slash = path.rfind('/');
        Log("load " + std::to_string(channel) + " " +
            (slash == std::string::npos ? path : path.substr(slash + 1)));
        return true;
    }
    bool PlayWave(int channel, int loop) override {
        Log("play " + std::to_string(channel) + " " + std::to_string(loop));
        return true;
    }
    bool SetWaveVolume(int channel, int left, int right) override {
        Log("volume " + std::to_string(channel) + " " + std::to_string(left) + " " +
            std::to_string(right));
        return true;
    }
    void ActivateWave(bool active) override { Log(active ? "activate 1" : "activate 0"); }
    void CloseWave() override { Log("close"); }

  private:
    void Log(const std::string& line) {
        auto& log = I_HeadlessSoundLog();
        if (log.size() >= 4096) log.clear();  // bounded: long runs keep only the recent calls
        log.push_back(line);
    }

    DisplayLayout layout_ = DisplayLayout::kPortrait565;
    uint32_t ticks_ = 0;
    std::vector<uint8_t> memory_;
    InputScript script_;
};

}  // namespace

std::vector<std::string>& I_HeadlessSoundLog() {
    static std::vector<std::string> log;
    return log;
}

namespace platform {

std::unique_ptr<Backend> MakeHeadlessBackend() {
    return std::make_unique<HeadlessBackend>();
}

}  // namespace platform
