// The desktop: an SDL2 window showing the 240x320 frame at a sharp integer scale, keyboard,
// mouse and touch turned into the device's messages, SDL2_mixer as the sound library.
#include <SDL.h>
#include <SDL_mixer.h>
#if defined(TARN_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <SDL_syswm.h>
#define TARN_ASK_X11 1
#endif
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Device.h"
#include "platform/InputScript.h"
#include "platform/PlatformState.h"
#include "platform/Screenshots.h"
#include "platform/Stylus.h"
#include "platform/Text.h"
#include "platform/sdl/Gamepads.h"
#include "platform/sdl/Instance.h"

namespace {

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;
constexpr int kChannels = 8;

// Device key code for a desktop key, 0 when the game has no use for it.
int DeviceKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_SPACE:
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_z:
            return kKeyLaunch;
        case SDLK_x:
            return kKeyLaunch2;
        case SDLK_c:
            return kKeyLaunch3;
        case SDLK_p:
        case SDLK_ESCAPE:
            return kKeyPause;
        case SDLK_BACKSPACE:
            return kKeyExit;  // leaves a game, as the gamepad's Back does
        default:
            return 0;
    }
}

// Virtual-key code for a desktop key while a page takes typed text, 0 for keys it ignores.
int TypedKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return kTypedA + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return kTypedZero + (key - SDLK_0);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kTypedZero + 1 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_KP_0:
            return kTypedZero;
        case SDLK_SPACE:
            return kTypedSpace;
        case SDLK_BACKSPACE:
            return kTypedBackspace;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kTypedEnter;
        case SDLK_ESCAPE:
            return kTypedEscape;
        case SDLK_PAGEUP:
            return kTypedPageUp;
        case SDLK_PAGEDOWN:
            return kTypedPageDown;
        default:
            return DeviceKey(key) >= kKeyLeft && DeviceKey(key) <= kKeyDown ? DeviceKey(key) : 0;
    }
}

// Standard error sent to /dev/null until Restore (or the end of the scope).
class QuietStderr {
  public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~QuietStderr() { Restore(); }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }

  private:
    int saved_ = -1;
};

using platform::Message;
using platform::PointParam;

class SdlBackend : public Backend {
  public:
    bool Open(const PlatformOptions& options, std::string* error) override {
        options_ = options;
        // A recorded game replays in the window too, to be watched.
        if (!options.inputFile.empty() && !script_.Load(options.inputFile, error)) return false;
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
        // The window surface straight from the windowing system, not through a 3D driver.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
            *error = std::string("cannot open a window: ") + SDL_GetError() +
                     " (use --headless to run without a display)";
            return false;
        }
        gamepads_ = std::make_unique<Gamepads>();
        return true;
    }

    void Close() override {
        gamepads_.reset();
        CloseWave();
        CloseDisplay();
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        renderer_ = nullptr;
        window_ = nullptr;
        instance_.reset();
        SDL_Quit();
    }

    bool AnotherInstanceRunning() override { return Lock().OtherRunning(); }
    void RaiseOtherInstance() override { Lock().RaiseOther(); }

    bool CreateWindow(const wchar_t* title) override {
        if (!Lock().Claim()) return false;
        const int scale = WindowScale();
        title_ = platform::WideToUtf8(title, 256);
        const std::string shown = platform::State().demoHandBack ? title_ + " DEMO" : title_;
        window_ = SDL_CreateWindow(shown.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   kWidth * scale, kHeight * scale,
                                   SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
        if (!window_) return false;
        SDL_SetWindowMinimumSize(window_, kWidth, kHeight);
        SetIcon();
        // The picture is scaled by our own loop into the window's surface: a 3D driver for one
        // textured rectangle would cost more than the whole game (TARN_RENDERER=1 uses one).
        const char* wantRenderer = std::getenv("TARN_RENDERER");
        if ((!wantRenderer || *wantRenderer == '0') && SDL_GetWindowSurface(window_)) return true;
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        return renderer_ != nullptr;
    }

    void ShowError(const std::string& message) override {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Bubble Tarn", message.c_str(), window_);
    }

    void ShowWindow() override {
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        if (options_.fullscreen) SetFullscreen(true);
    }

    void PumpMessages(std::deque<MSG>& queue, long frame) override {
        if (instance_ && instance_->TakeRaiseRequest()) {
            SDL_RestoreWindow(window_);
            SDL_RaiseWindow(window_);
        }
        HWND window = platform::MainWindow();
        script_.Deliver(frame, [&](const InputEvent& e) {
            queue.push_back(InputScript::ToMessage(e, window));
        });
        SDL_Event event;
        while (SDL_PollEvent(&event))
            Translate(event, queue);
    }

    uint32_t Ticks() override { return SDL_GetTicks(); }
    void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }

    bool OpenDisplay() override {
        if (renderer_) {
            texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565,
                                         SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
            if (!texture_) return false;
        }
        frame_.assign(static_cast<size_t>(kWidth) * kHeight, 0);
        shown_ = frame_;
        mustPresent_ = true;
        return true;
    }

    GXDisplayProperties Properties() const override { return PortraitDisplay(); }

    void* BeginDraw() override { return frame_.empty() ? nullptr : frame_.data(); }

    void EndDraw() override {
        // An unchanged frame is not presented again: a still page then costs next to nothing.
        if (!mustPresent_ && frame_ == shown_) return;
        shown_ = frame_;
        mustPresent_ = false;
        if (!renderer_) {
            PresentToSurface();
            return;
        }
        SDL_UpdateTexture(texture_, nullptr, frame_.data(), kWidth * 2);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        const SDL_Rect target = PictureRect();
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
        SDL_RenderPresent(renderer_);
    }

    void CloseDisplay() override {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = nullptr;
        frame_.clear();
    }

    bool WaveInit(int channels, int sampleRate, int) override {
        if (audioOpen_) return true;
        // The sound system prints its own lines when it finds no device; the player gets ours.
        QuietStderr quiet;
        bool open = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        // A short buffer keeps effects on the frame they belong to.
        if (open && Mix_OpenAudio(sampleRate, AUDIO_S16SYS, 2, 1024) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            open = false;
        }
        quiet.Restore();
        if (!open) {
            std::fprintf(stderr, "tarngame: no sound device (%s); playing without sound\n",
                         SDL_GetError());
            return false;
        }
        Mix_AllocateChannels(std::max(channels, kChannels));
        audioOpen_ = true;
        return true;
    }

    bool LoadWave(const std::string& path, int channel) override {
        if (!audioOpen_) return false;
        Mix_HaltChannel(channel);
        if (chunks_[channel]) Mix_FreeChunk(chunks_[channel]);
        chunks_[channel] = Mix_LoadWAV(path.c_str());
        return chunks_[channel] != nullptr;
    }

    bool PlayWave(int channel, int loop) override {
        if (!audioOpen_ || !chunks_[channel]) return false;
        return Mix_PlayChannel(channel, chunks_[channel], loop ? -1 : 0) >= 0;
    }

    bool SetWaveVolume(int channel, int left, int right) override {
        if (!audioOpen_) return false;
        const int volume = std::clamp((left + right), 0, 128);  // 0..64 each side -> 0..128
        Mix_Volume(channel, volume);
        return true;
    }

    void ActivateWave(bool active) override {
        if (!audioOpen_) return;
        if (active)
            Mix_Resume(-1);
        else
            Mix_Pause(-1);
    }

    void CloseWave() override {
        if (!audioOpen_) return;
        Mix_HaltChannel(-1);
        for (auto& chunk : chunks_) {
            if (chunk) Mix_FreeChunk(chunk);
            chunk = nullptr;
        }
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioOpen_ = false;
    }

  private:
    InstanceLock& Lock() {
        if (!instance_) instance_ = std::make_unique<InstanceLock>();
        return *instance_;
    }

    // The scale asked for, unless the window would not fit the screen: then the largest that
    // does, since a window taller than the screen hides the launcher.
    int WindowScale() const {
        const int fits = DefaultScale();
        if (options_.scale <= 0) return fits;
        if (options_.scale <= fits) return options_.scale;
        std::fprintf(stderr, "tarngame: warning: --scale %d does not fit this screen; using %d\n",
                     options_.scale, fits);
        return fits;
    }

    int DefaultScale() const {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 2;
        // Leave room for the window's frame.
        const int scale = std::min((usable.w - 16) / kWidth, (usable.h - 48) / kHeight);
        return std::max(scale, 1);
    }

    void SetIcon() {
        const std::string path = platform::State().dataDir + "/icon.bmp";
        if (SDL_Surface* icon = SDL_LoadBMP(path.c_str())) {
            SDL_SetWindowIcon(window_, icon);
            SDL_FreeSurface(icon);
        }
    }

    // Where the picture sits in the window: the largest integer scale that fits, centred;
    // a window smaller than the picture gets the plain fitted size instead.
    void OutputSize(int* w, int* h) const {
        if (renderer_) {
            SDL_GetRendererOutputSize(renderer_, w, h);
        } else if (SDL_Surface* surface = SDL_GetWindowSurface(window_)) {
            *w = surface->w;
            *h = surface->h;
        }
    }

    // Nearest-neighbour scaling of the 5-6-5 frame into a 32-bit window surface; rows that
    // repeat a source row are copied whole.
    void ScaleInto32(SDL_Surface* surface, const SDL_Rect& r) {
        if (surface->format != lutFormat_) {
            lut_.resize(65536);
            for (uint32_t v = 0; v < 65536; ++v) {
                const int r5 = v >> 11, g5 = (v >> 6) & 31, b5 = v & 31;
                lut_[v] = SDL_MapRGB(surface->format, static_cast<Uint8>(r5 << 3 | r5 >> 2),
                                     static_cast<Uint8>(g5 << 3 | g5 >> 2),
                                     static_cast<Uint8>(b5 << 3 | b5 >> 2));
            }
            lutFormat_ = surface->format;
        }
        columns_.resize(r.w);
        for (int x = 0; x < r.w; ++x)
            columns_[x] = x * kWidth / r.w;
        auto* base = static_cast<uint8_t*>(surface->pixels);
        int lastSource = -1;
        uint32_t* lastRow = nullptr;
        for (int y = 0; y < r.h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(base + (r.y + y) * surface->pitch) + r.x;
            const int source = y * kHeight / r.h;
            if (source == lastSource) {
                std::memcpy(row, lastRow, static_cast<size_t>(r.w) * 4);
                continue;
            }
            const uint16_t* src = frame_.data() + source * kWidth;
            for (int x = 0; x < r.w; ++x)
                row[x] = lut_[src[columns_[x]]];
            lastSource = source;
            lastRow = row;
        }
    }

    void PresentToSurface() {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (!surface) return;
        const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
        if (surface != lastSurface_) {
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));  // the bars
            lastSurface_ = surface;
        }
        const SDL_Rect r = PictureRect();
        if (surface->format->BytesPerPixel == 4) {
            ScaleInto32(surface, r);
        } else if (SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(
                       frame_.data(), kWidth, kHeight, 16, kWidth * 2, SDL_PIXELFORMAT_RGB565)) {
            SDL_Rect target = r;
            SDL_BlitScaled(frame, nullptr, surface, &target);
            SDL_FreeSurface(frame);
        }
        if (locked) SDL_UnlockSurface(surface);
        SDL_UpdateWindowSurface(window_);
    }

    SDL_Rect PictureRect() const {
        int w = kWidth, h = kHeight;
        OutputSize(&w, &h);
        const int scale = std::min(w / kWidth, h / kHeight);
        SDL_Rect r;
        if (scale >= 1) {
            r.w = kWidth * scale;
            r.h = kHeight * scale;
        } else if (w * kHeight < h * kWidth) {
            r.w = w;
            r.h = w * kHeight / kWidth;
        } else {
            r.h = h;
            r.w = h * kWidth / kHeight;
        }
        r.x = (w - r.w) / 2;
        r.y = (h - r.h) / 2;
        return r;
    }

    // Window coordinates to picture pixels, clamped to the picture; false outside it.
    bool ToPicture(int wx, int wy, int* x, int* y) const {
        int ww = 1, wh = 1, ow = 1, oh = 1;
        SDL_GetWindowSize(window_, &ww, &wh);
        OutputSize(&ow, &oh);
        const SDL_Rect r = PictureRect();
        const int px = wx * ow / std::max(ww, 1), py = wy * oh / std::max(wh, 1);
        int lx = (px - r.x) * kWidth / std::max(r.w, 1);
        int ly = (py - r.y) * kHeight / std::max(r.h, 1);
        *x = std::clamp(lx, 0, kWidth - 1);
        *y = std::clamp(ly, 0, kHeight - 1);
        return px >= r.x && py >= r.y && lx < kWidth && ly < kHeight;
    }

    // Does a window manager run? Only one acts on a full-screen request; on a bare X server
    // (a kiosk, Xvfb) nobody would, and the window would keep its size.
    bool WindowManagerRuns() const {
#ifdef TARN_ASK_X11
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) {
            Display* display = info.info.x11.display;
            char name[32];
            std::snprintf(name, sizeof name, "WM_S%d", DefaultScreen(display));
            return XGetSelectionOwner(display, XInternAtom(display, name, False)) != None;
        }
#endif
        return true;
    }

    void SetFullscreen(bool on) {
        if (on == fullscreen_) return;
        fullscreen_ = on;
        if (WindowManagerRuns() && !ownFullscreen_) {
            SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
            return;
        }
        // Fill the screen ourselves: no border, the window as large as the display; the
        // picture is drawn centred in it at the largest whole scale, as in any window.
        ownFullscreen_ = on;
        if (on) {
            SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
            SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
            SDL_Rect screen;
            const int index = SDL_GetWindowDisplayIndex(window_);
            if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &screen) != 0) return;
            SDL_SetWindowBordered(window_, SDL_FALSE);
            SDL_SetWindowPosition(window_, screen.x, screen.y);
            SDL_SetWindowSize(window_, screen.w, screen.h);
        } else {
            SDL_SetWindowBordered(window_, SDL_TRUE);
            SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
            SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
        }
        mustPresent_ = true;
        lastSurface_ = nullptr;
    }

    void ToggleFullscreen() {
        SetFullscreen(!fullscreen_);
    }

    void TranslateKey(const SDL_KeyboardEvent& key, std::deque<MSG>& queue) {
        const SDL_Keycode code = key.keysym.sym;
        const bool down = key.type == SDL_KEYDOWN;
        const Uint16 mod = key.keysym.mod;
        if (down && (code == SDLK_F11 || (code == SDLK_RETURN && (mod & KMOD_ALT)))) {
            ToggleFullscreen();
            return;
        }
        if ((code == SDLK_RETURN && (mod & KMOD_ALT)) || code == SDLK_F11) return;
        if (code == SDLK_F12) {
            if (down && !key.repeat) SaveScreenshot();
            return;
        }
        if ((mod & KMOD_CTRL) && (code == SDLK_a || code == SDLK_q)) {
            // Reaches the shell's accelerators, as on the device.
            if (!down) return;
            MSG msg = Message(WM_KEYDOWN, code == SDLK_a ? 0x41 : 0x51, 0);
            msg.control = true;
            queue.push_back(msg);
            return;
        }
        const int device = platform::State().typedKeys ? TypedKey(code) : DeviceKey(code);
        if (device == 0) return;
        queue.push_back(Message(down ? WM_KEYDOWN : WM_KEYUP, device, 0));
    }

    void TranslateMouse(const SDL_Event& event, std::deque<MSG>& queue) {
        // A touch arrives also as a mouse imitation; the finger itself is handled instead.
        const bool motion = event.type == SDL_MOUSEMOTION;
        if ((motion ? event.motion.which : event.button.which) == SDL_TOUCH_MOUSEID) return;
        if (!motion && event.button.button != SDL_BUTTON_LEFT) return;
        int x = 0, y = 0;
        const int wx = motion ? event.motion.x : event.button.x;
        const int wy = motion ? event.motion.y : event.button.y;
        const bool inside = ToPicture(wx, wy, &x, &y);
        if (event.type == SDL_MOUSEBUTTONDOWN)
            stylus_.Down(Stylus::Source::kMouse, 0, inside, x, y, queue);
        else if (event.type == SDL_MOUSEBUTTONUP)
            stylus_.Up(Stylus::Source::kMouse, 0, x, y, queue);
        else
            stylus_.Move(Stylus::Source::kMouse, 0, x, y, queue);
    }

    void TranslateFinger(const SDL_TouchFingerEvent& finger, std::deque<MSG>& queue) {
        int ww = 1, wh = 1, x = 0, y = 0;
        SDL_GetWindowSize(window_, &ww, &wh);
        const bool inside =
            ToPicture(static_cast<int>(finger.x * ww), static_cast<int>(finger.y * wh), &x, &y);
        const auto id = static_cast<int64_t>(finger.fingerId);
        if (finger.type == SDL_FINGERDOWN)
            stylus_.Down(Stylus::Source::kFinger, id, inside, x, y, queue);
        else if (finger.type == SDL_FINGERMOTION)
            stylus_.Move(Stylus::Source::kFinger, id, x, y, queue);
        else
            stylus_.Up(Stylus::Source::kFinger, id, x, y, queue);
    }

    void SaveScreenshot() {
        const SDL_Rect shown = PictureRect();
        const int scale = std::max(1, shown.w / kWidth);
        const std::string dir = platform::ScreenshotDir(platform::State().saveDir);
        const std::string path = platform::SaveScreenshot(shown_.data(), Properties(), scale, dir);
        std::fprintf(
            stderr,
            path.empty() ? "tarngame: screenshot failed\n" : "tarngame: screenshot saved to %s\n",
            path.c_str());
    }

    // A key, button, click or touch of a person; the window's own keys do not count.
    static bool PersonActs(const SDL_Event& event) {
        switch (event.type) {
            case SDL_KEYDOWN: {
                const SDL_Keycode code = event.key.keysym.sym;
                const bool altEnter = code == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT);
                return !event.key.repeat && code != SDLK_F11 && code != SDLK_F12 && !altEnter;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_FINGERDOWN:
                return true;
            default:
                return false;
        }
    }

    // Ends a running demo; false when none runs.
    bool EndDemo() {
        void (*handBack)() = platform::State().demoHandBack;
        if (!handBack) return false;
        platform::State().demoHandBack = nullptr;
        if (window_) SDL_SetWindowTitle(window_, title_.c_str());
        handBack();
        return true;
    }

    void Translate(const SDL_Event& event, std::deque<MSG>& queue) {
        // The press that takes the game over from the demo only does that.
        if (PersonActs(event) && EndDemo()) return;
        if (gamepads_ && gamepads_->Handle(event, queue)) return;
        switch (event.type) {
            case SDL_QUIT:
                queue.push_back(Message(WM_DESTROY, 0, 0));
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                TranslateKey(event.key, queue);
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
            case SDL_MOUSEMOTION:
                TranslateMouse(event, queue);
                break;
            case SDL_FINGERDOWN:
            case SDL_FINGERMOTION:
            case SDL_FINGERUP:
                TranslateFinger(event.tfinger, queue);
                break;
            case SDL_WINDOWEVENT:
                mustPresent_ = true;     // resized, exposed or moved: draw the picture again
                lastSurface_ = nullptr;  // and its bars
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                    queue.push_back(Message(WM_ACTIVATE, 1, 0));
                else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                    queue.push_back(Message(WM_ACTIVATE, 0, 0));
                break;
            default:
                break;
        }
    }

    PlatformOptions options_;
    SDL_Window* window_ = nullptr;
    std::string title_;
    InputScript script_;
    bool fullscreen_ = false;
    bool ownFullscreen_ = false;  // filled by us, not the window manager
    SDL_Rect windowed_ = {0, 0, kWidth, kHeight};
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    // The window-surface path: colour table for the surface's format, column map, and the
    // surface last drawn (a new one after a resize gets its bars cleared).
    std::vector<uint32_t> lut_;
    const SDL_PixelFormat* lutFormat_ = nullptr;
    std::vector<int> columns_;
    SDL_Surface* lastSurface_ = nullptr;
    std::vector<uint16_t> frame_;
    std::vector<uint16_t> shown_;  // the frame last presented
    bool mustPresent_ = true;
    std::unique_ptr<InstanceLock> instance_;
    std::unique_ptr<Gamepads> gamepads_;
    Stylus stylus_;
    bool audioOpen_ = false;
    std::array<Mix_Chunk*, kChannels> chunks_{};
};

}  // namespace

namespace platform {

std::unique_ptr<Backend> MakeWindowBackend() {
    return std::make_unique<SdlBackend>();
}

}  // namespace platform
