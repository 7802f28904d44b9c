// The browser: the frame goes to the page's <canvas>, keys, mouse and touch become the
// device's messages, Web Audio is the sound library, and the saves live in the browser's
// storage. The game's blocking loop (GetMessage, Sleep) runs unchanged: Asyncify lets Sleep
// hand the thread back to the browser until the next frame is due.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "platform/Device.h"
#include "platform/InputScript.h"
#include "platform/PlatformState.h"
#include "platform/Stylus.h"
#include "platform/web/WebBackend.h"

// clang-format off
EM_JS(void, tarn_draw, (const void* rgba), {
    const page = Module.tarnPage;
    if (!page || !page.context) return;
    page.image.data.set(HEAPU8.subarray(rgba, rgba + 240 * 320 * 4));
    page.context.putImageData(page.image, 0, 0);
    if (!page.drawn) performance.mark("tarn-first-frame");
    page.drawn = true;
});

EM_JS(void, tarn_publish_shot, (const char* file), {
    const bytes = FS.readFile(UTF8ToString(file));
    let text = "";
    for (let k = 0; k < bytes.length; ++k) text += String.fromCharCode(bytes[k]);
    const element = document.getElementById("shot");
    if (element) element.textContent = "data:image/png;base64," + btoa(text);
});

EM_JS(int, tarn_page_hidden, (), { return document.hidden ? 1 : 0; });

EM_JS(void, tarn_audio_init, (int channels), {
    const AudioContextClass = window.AudioContext || window.webkitAudioContext;
    const audio = { context: null, channels: [], active: true };
    for (let i = 0; i < channels; ++i)
        audio.channels.push({ buffer: null, source: null, gain: null, volume: 1, pending: -1 });
    // Browsers start sound only after a gesture: the context is made (or resumed) on the first.
    const start = () => {
        if (!audio.context && AudioContextClass) {
            audio.context = new AudioContextClass();
            for (const ch of audio.channels) {
                ch.gain = audio.context.createGain();
                ch.gain.gain.value = ch.volume;
                ch.gain.connect(audio.context.destination);
                if (ch.data) Module.tarnDecode(ch);
            }
        }
        if (audio.context && audio.active && audio.context.state === "suspended")
            audio.context.resume();
    };
    for (const name of ["pointerdown", "keydown", "touchend"])
        window.addEventListener(name, start, { capture: true });
    Module.tarnAudio = audio;
    Module.tarnDecode = (ch) => {
        const data = ch.data;
        audio.context.decodeAudioData(data.slice(0).buffer).then((buffer) => {
            if (ch.data !== data) return;
            ch.buffer = buffer;
            if (ch.pending >= 0) Module.tarnPlay(ch, ch.pending);
            ch.pending = -1;
        }, () => {});
    };
    Module.tarnPlay = (ch, loop) => {
        if (ch.source) { try { ch.source.stop(); } catch (e) {} }
        ch.source = audio.context.createBufferSource();
        ch.source.buffer = ch.buffer;
        ch.source.loop = loop != 0;
        ch.source.connect(ch.gain);
        ch.source.start();
    };
});

EM_JS(int, tarn_audio_load, (int channel, const char* path), {
    const audio = Module.tarnAudio;
    let name = UTF8ToString(path);
    // The music is packed compressed: the same name with the browser's format.
    if (!FS.analyzePath(name).exists) name = name.slice(0, -4) + ".ogg";
    if (!audio || !FS.analyzePath(name).exists) return 0;
    const ch = audio.channels[channel];
    if (ch.source) { try { ch.source.stop(); } catch (e) {} }
    ch.source = null;
    ch.buffer = null;
    ch.pending = -1;
    ch.data = FS.readFile(name);
    if (audio.context) Module.tarnDecode(ch);
    return 1;
});

EM_JS(int, tarn_audio_play, (int channel, int loop), {
    const audio = Module.tarnAudio;
    if (!audio) return 0;
    const ch = audio.channels[channel];
    if (!ch.data) return 0;
    // Not decoded yet (or no gesture yet): the music starts when it can, effects are dropped.
    if (!ch.buffer) { if (loop) ch.pending = loop; return 1; }
    Module.tarnPlay(ch, loop);
    return 1;
});

EM_JS(void, tarn_audio_volume, (int channel, double volume), {
    const audio = Module.tarnAudio;
    if (!audio) return;
    const ch = audio.channels[channel];
    ch.volume = volume;
    if (ch.gain) ch.gain.gain.value = volume;
});

EM_JS(void, tarn_audio_activate, (int active), {
    const audio = Module.tarnAudio;
    if (!audio) return;
    audio.active = active != 0;
    if (!audio.context) return;
    if (active) audio.context.resume(); else audio.context.suspend();
});

EM_JS(void, tarn_audio_close, (), {
    const audio = Module.tarnAudio;
    if (!audio) return;
    for (const ch of audio.channels)
        if (ch.source) { try { ch.source.stop(); } catch (e) {} }
    if (audio.context) audio.context.close();
    Module.tarnAudio = null;
});

// Saves are small: each file of the save directory is one localStorage entry, in base64.
EM_JS(void, tarn_load_saves, (const char* dir), {
    const saveDir = UTF8ToString(dir);
    const prefix = "tarngame/";
    try {
        FS.mkdirTree(saveDir);
        for (let i = 0; i < localStorage.length; ++i) {
            const key = localStorage.key(i);
            if (!key.startsWith(prefix)) continue;
            const name = key.substring(prefix.length);
            if (name.includes("/")) continue;
            const text = atob(localStorage.getItem(key));
            const bytes = new Uint8Array(text.length);
            for (let k = 0; k < text.length; ++k) bytes[k] = text.charCodeAt(k);
            FS.writeFile(saveDir + "/" + name, bytes);
        }
    } catch (e) {
        console.warn("tarngame: the browser storage cannot be read; playing without saves");
    }
});

EM_JS(void, tarn_file_saved, (const char* dir, const char* file), {
    const saveDir = UTF8ToString(dir);
    const path = UTF8ToString(file);
    if (!path.startsWith(saveDir + "/")) return;
    const name = path.substring(saveDir.length + 1);
    try {
        const bytes = FS.readFile(path);
        let text = "";
        for (let k = 0; k < bytes.length; ++k) text += String.fromCharCode(bytes[k]);
        localStorage.setItem("tarngame/" + name, btoa(text));
    } catch (e) {
        if (!Module.tarnStorageWarned)
            console.warn("tarngame: the browser refused to store " + name + "; the game goes on without saving it");
        Module.tarnStorageWarned = true;
    }
});
// clang-format on

namespace {

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;
constexpr int kChannels = 8;
// In fast mode the page gets the thread back this often, so it stays responsive.
constexpr int kFastFramesPerYield = 25;

const char* kCanvas = "#canvas";

// Virtual-key code while a page takes typed text (I_SetTypedKeys), 0 for keys it ignores.
int DeviceKey(const EmscriptenKeyboardEvent& e);
int TypedKey(const EmscriptenKeyboardEvent& e) {
    const char* code = e.code;
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && !code[4])
        return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && !code[6])
        return code[5];
    if (std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '0' && code[6] <= '9' && !code[7])
        return code[6];
    if (!std::strcmp(code, "Space")) return kTypedSpace;
    if (!std::strcmp(code, "Backspace")) return kTypedBackspace;
    if (!std::strcmp(code, "Enter") || !std::strcmp(code, "NumpadEnter")) return kTypedEnter;
    if (!std::strcmp(code, "Escape")) return kTypedEscape;
    if (!std::strcmp(code, "PageUp")) return kTypedPageUp;
    if (!std::strcmp(code, "PageDown")) return kTypedPageDown;
    const int device = DeviceKey(e);
    return device >= kKeyLeft && device <= kKeyDown ? device : 0;
}

// The device key for a keyboard key, as the desktop window maps it; 0 for none.
int DeviceKey(const EmscriptenKeyboardEvent& e) {
    const char* code = e.code;
    struct Entry {
        const char* code;
        int key;
    };
    static const Entry kMap[] = {
        {"ArrowLeft", kKeyLeft},     {"ArrowUp", kKeyUp},   {"ArrowRight", kKeyRight},
        {"ArrowDown", kKeyDown},     {"Space", kKeyLaunch}, {"Enter", kKeyLaunch},
        {"NumpadEnter", kKeyLaunch}, {"KeyZ", kKeyLaunch},  {"KeyX", kKeyLaunch2},
        {"KeyC", kKeyLaunch3},       {"KeyP", kKeyPause},   {"Escape", kKeyPause},
        {"Backspace", kKeyExit},  // leaves a game, as the gamepad's Back does
    };
    for (const Entry& entry : kMap)
        if (!std::strcmp(code, entry.code)) return entry.key;
    return 0;
}

using platform::Message;

class WebBackend : public Backend {
  public:
    bool Open(const PlatformOptions& options, std::string* error) override {
        options_ = options;
        ticks_ = options.tickStart;
        if (!options.inputFile.empty() && !script_.Load(options.inputFile, error)) return false;
        for (uint32_t v = 0; v < 65536; ++v) {
            const uint32_t r5 = v >> 11, g5 = (v >> 6) & 31, b5 = v & 31;
            const uint32_t r = r5 << 3 | r5 >> 2, g = g5 << 3 | g5 >> 2, b = b5 << 3 | b5 >> 2;
            lut_[v] = 0xFF000000u | b << 16 | g << 8 | r;  // RGBA bytes in memory order
        }
        return true;
    }

    void Close() override {
        if (Current() == this) Current() = nullptr;
        CloseWave();
        CloseDisplay();
        emscripten_html5_remove_all_event_listeners();
    }

    void LoadSaves(const std::string& saveDir) override { tarn_load_saves(saveDir.c_str()); }
    void FileSaved(const std::string& path) override {
        tarn_file_saved(platform::State().saveDir.c_str(), path.c_str());
    }

    // The backend whose window is open, for the page's name field.
    static WebBackend*& Current() {
        static WebBackend* current = nullptr;
        return current;
    }

    // A key typed into the page's hidden name field, where a page takes typed text.
    void Type(int code) {
        if (!I_TypedKeys()) return;
        pending_.push_back(Message(WM_KEYDOWN, code, 0));
        pending_.push_back(Message(WM_KEYUP, code, 0));
    }

    bool CreateWindow(const wchar_t*) override {
        Current() = this;
        void* self = this;
        const auto window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
        emscripten_set_keydown_callback(window, self, true, OnKey);
        emscripten_set_keyup_callback(window, self, true, OnKey);
        emscripten_set_mousedown_callback(kCanvas, self, true, OnMouse);
        emscripten_set_mouseup_callback(window, self, true, OnMouse);
        emscripten_set_mousemove_callback(window, self, true, OnMouse);
        emscripten_set_touchstart_callback(kCanvas, self, true, OnTouch);
        emscripten_set_touchmove_callback(kCanvas, self, true, OnTouch);
        emscripten_set_touchend_callback(kCanvas, self, true, OnTouch);
        emscripten_set_touchcancel_callback(kCanvas, self, true, OnTouch);
        emscripten_set_visibilitychange_callback(self, true, OnVisibility);
        return true;
    }

    void PumpMessages(std::deque<MSG>& queue, long frame) override {
        // A hidden tab draws no frames; its return is a new start, not frames to catch up.
        if (!platform::web::Page().fast && hidden_ && deactivated_ && queue.empty()) {
            while (tarn_page_hidden())
                emscripten_sleep(100);
            hidden_ = false;
        }
        HWND window = platform::MainWindow();
        script_.Deliver(frame, [&](const InputEvent& e) {
            queue.push_back(InputScript::ToMessage(e, window));
        });
        for (const MSG& msg : pending_)
            queue.push_back(msg);
        if (!pending_.empty() && pending_.back().message == WM_ACTIVATE)
            deactivated_ = pending_.back().wParam == 0;
        pending_.clear();
    }

    uint32_t Ticks() override {
        return platform::web::Page().fast ? ticks_ : static_cast<uint32_t>(emscripten_get_now());
    }

    void Sleep(uint32_t milliseconds) override {
        if (!platform::web::Page().fast) {
            emscripten_sleep(milliseconds);
            return;
        }
        ticks_ += milliseconds;
        if (++sleepsSinceYield_ >= kFastFramesPerYield) {
            sleepsSinceYield_ = 0;
            emscripten_sleep(0);
        }
    }

    bool OpenDisplay() override {
        frame_.assign(static_cast<size_t>(kWidth) * kHeight, 0);
        shown_.assign(frame_.size(), 1);
        rgba_.assign(frame_.size(), 0);
        return true;
    }

    GXDisplayProperties Properties() const override { return PortraitDisplay(); }

    void* BeginDraw() override { return frame_.empty() ? nullptr : frame_.data(); }

    void EndDraw() override {
        PublishShot();
        // An unchanged frame is not drawn again: a still page costs next to nothing.
        if (frame_ == shown_) return;
        shown_ = frame_;
        for (size_t i = 0; i < frame_.size(); ++i)
            rgba_[i] = lut_[frame_[i]];
        tarn_draw(rgba_.data());
    }

    // Called after the frame's shots were written.
    void PublishShot() {
        const auto& page = platform::web::Page();
        if (page.shotFrame >= 0 && platform::State().currentFrame == page.shotFrame)
            tarn_publish_shot(page.shotPath.c_str());
    }

    void CloseDisplay() override { frame_.clear(); }

    bool WaveInit(int channels, int, int) override {
        if (!audioOpen_) tarn_audio_init(std::max(channels, kChannels));
        audioOpen_ = true;
        return true;
    }
    bool LoadWave(const std::string& path, int channel) override {
        return audioOpen_ && tarn_audio_load(channel, path.c_str());
    }
    bool PlayWave(int channel, int loop) override {
        return audioOpen_ && tarn_audio_play(channel, loop);
    }
    bool SetWaveVolume(int channel, int left, int right) override {
        if (!audioOpen_) return false;
        tarn_audio_volume(channel, std::clamp(left + right, 0, 128) / 128.0);
        return true;
    }
    void ActivateWave(bool active) override {
        if (audioOpen_) tarn_audio_activate(active);
    }
    void CloseWave() override {
        if (audioOpen_) tarn_audio_close();
        audioOpen_ = false;
    }

  private:
    static EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void* self) {
        return static_cast<WebBackend*>(self)->Key(type == EMSCRIPTEN_EVENT_KEYDOWN, *e);
    }

    bool Key(bool down, const EmscriptenKeyboardEvent& e) {
        if (e.altKey || e.metaKey) return false;  // the browser's own shortcuts
        if (e.ctrlKey) {
            const bool accelerator = !std::strcmp(e.code, "KeyA") || !std::strcmp(e.code, "KeyQ");
            if (!accelerator) return false;
            // Reaches the shell's accelerators, as on the device.
            if (down) {
                MSG msg = Message(WM_KEYDOWN, e.code[3], 0);
                msg.control = true;
                pending_.push_back(msg);
            }
            return true;
        }
        if (I_TypedKeys()) {
            const int key = TypedKey(e);
            if (key == 0) return false;
            pending_.push_back(Message(down ? WM_KEYDOWN : WM_KEYUP, key, 0));
            return true;
        }
        const int key = DeviceKey(e);
        if (key == 0) return false;
        pending_.push_back(Message(down ? WM_KEYDOWN : WM_KEYUP, key, 0));
        return true;  // no page scrolling on arrows and space
    }

    // Page coordinates relative to the canvas to picture pixels, clamped to the picture;
    // false when the point lies outside it.
    static bool ToPicture(long cx, long cy, int* x, int* y) {
        double w = kWidth, h = kHeight;
        emscripten_get_element_css_size(kCanvas, &w, &h);
        const int lx = static_cast<int>(cx * kWidth / std::max(w, 1.0));
        const int ly = static_cast<int>(cy * kHeight / std::max(h, 1.0));
        *x = std::clamp(lx, 0, kWidth - 1);
        *y = std::clamp(ly, 0, kHeight - 1);
        return cx >= 0 && cy >= 0 && lx < kWidth && ly < kHeight;
    }

    static EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void* self) {
        auto* backend = static_cast<WebBackend*>(self);
        Stylus& stylus = backend->stylus_;
        if (e->button != 0 && type != EMSCRIPTEN_EVENT_MOUSEMOVE) return false;
        int x = 0, y = 0;
        if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) {
            // Only the canvas hears a press; its drags and release may end anywhere on the page.
            const bool inside = ToPicture(e->targetX, e->targetY, &x, &y);
            if (inside) backend->RememberCanvasPosition();
            const bool taken = inside && !stylus.Held();
            stylus.Down(Stylus::Source::kMouse, 0, inside, x, y, backend->pending_);
            return taken;
        }
        if (!stylus.Held()) return false;
        // The window's events carry no canvas coordinates: make them relative to it.
        ToPicture(e->clientX - backend->canvasLeft_, e->clientY - backend->canvasTop_, &x, &y);
        if (type == EMSCRIPTEN_EVENT_MOUSEUP)
            stylus.Up(Stylus::Source::kMouse, 0, x, y, backend->pending_);
        else
            stylus.Move(Stylus::Source::kMouse, 0, x, y, backend->pending_);
        return true;
    }

    static EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void* self) {
        auto* backend = static_cast<WebBackend*>(self);
        Stylus& stylus = backend->stylus_;
        for (int i = 0; i < e->numTouches; ++i) {
            const EmscriptenTouchPoint& t = e->touches[i];
            if (!t.isChanged) continue;
            int x = 0, y = 0;
            const bool inside = ToPicture(t.targetX, t.targetY, &x, &y);
            if (type == EMSCRIPTEN_EVENT_TOUCHSTART)
                stylus.Down(Stylus::Source::kFinger, t.identifier, inside, x, y, backend->pending_);
            else if (type == EMSCRIPTEN_EVENT_TOUCHMOVE)
                stylus.Move(Stylus::Source::kFinger, t.identifier, x, y, backend->pending_);
            else
                stylus.Up(Stylus::Source::kFinger, t.identifier, x, y, backend->pending_);
        }
        return true;  // the page neither scrolls nor zooms while a finger aims
    }

    void RememberCanvasPosition() {
        canvasLeft_ = EM_ASM_DOUBLE(
            { return document.querySelector("#canvas").getBoundingClientRect().left; });
        canvasTop_ = EM_ASM_DOUBLE(
            { return document.querySelector("#canvas").getBoundingClientRect().top; });
    }

    static EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void* self) {
        auto* backend = static_cast<WebBackend*>(self);
        backend->hidden_ = e->hidden != 0;
        backend->pending_.push_back(Message(WM_ACTIVATE, e->hidden ? 0 : 1, 0));
        return false;
    }

    PlatformOptions options_;
    InputScript script_;
    std::deque<MSG> pending_;  // input that arrived while the game slept
    uint32_t ticks_ = 0;
    int sleepsSinceYield_ = 0;
    std::vector<uint16_t> frame_;
    std::vector<uint16_t> shown_;
    std::vector<uint32_t> rgba_;
    uint32_t lut_[65536];
    bool audioOpen_ = false;
    Stylus stylus_;
    double canvasLeft_ = 0, canvasTop_ = 0;
    bool hidden_ = false;
    bool deactivated_ = false;
};

}  // namespace

// A phone's keyboard sends text without key codes: the page reads its hidden name field and
// hands each letter, space, Backspace (8) or Enter (13) on as the typed code.
extern "C" EMSCRIPTEN_KEEPALIVE void tarn_type_key(int code) {
    const bool typed = (code >= 'A' && code <= 'Z') || code == ' ' || code == 8 || code == 13;
    if (typed && WebBackend::Current()) WebBackend::Current()->Type(code);
}

namespace platform {

web::PageOptions& web::Page() {
    static PageOptions options;
    return options;
}

std::unique_ptr<Backend> MakeWindowBackend() {
    return std::make_unique<WebBackend>();
}

}  // namespace platform
