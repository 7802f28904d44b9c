// The one window, its message queue and the resources: common to both back ends.
#include <cwchar>
#include <deque>
#include <fstream>
#include <utility>

#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/FrameInput.h"
#include "platform/InputScript.h"
#include "platform/PlatformState.h"
#include "platform/i_window.h"

struct WindowRecord {
    WNDPROC proc = nullptr;
    bool created = false;
};

namespace {

WindowRecord g_window;
WNDCLASSW g_class;
ResourceTable g_resources = {nullptr, 0, nullptr, 0};
std::deque<MSG> g_queue;
bool g_quitPosted = false;
int g_quitCode = 0;
bool g_stopPosted = false;
// A pseudo-handle for a window of another process, found by FindWindowW.
WindowRecord g_otherInstance;
FrameInputSource g_frameInput;
long g_frameInputAsked = -1;  // the last frame the source was asked for

// The source is asked once per frame, after the back end's own input of that frame.
void AskFrameInput(long frame) {
    if (!g_frameInput || frame == g_frameInputAsked || !g_window.created) return;
    g_frameInputAsked = frame;
    std::vector<InputEvent> events;
    g_frameInput(frame, &events);
    for (const InputEvent& e : events)
        g_queue.push_back(InputScript::ToMessage(e, &g_window));
}

bool IsInputMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_LBUTTONDOWN ||
           message == WM_MOUSEMOVE || message == WM_LBUTTONUP;
}

MSG PaintMessage() {
    MSG msg;
    msg.hwnd = &g_window;
    msg.message = WM_PAINT;
    return msg;
}

}  // namespace

namespace platform {

HWND MainWindow() {
    return g_window.created ? &g_window : nullptr;
}

MSG Message(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = MainWindow();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return msg;
}

void ResetWindowState() {
    g_window = WindowRecord();
    g_queue.clear();
    g_quitPosted = false;
    g_quitCode = 0;
    g_stopPosted = false;
    g_frameInputAsked = -1;
}

}  // namespace platform

void I_SetFrameInputSource(FrameInputSource source) {
    g_frameInput = std::move(source);
    g_frameInputAsked = -1;
}

void RegisterResources(const ResourceTable& resources) {
    g_resources = resources;
}

int LoadStringW(HINSTANCE, UINT id, wchar_t* buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    buffer[0] = L'\0';
    for (int i = 0; i < g_resources.stringCount; ++i) {
        if (g_resources.strings[i].id != id) continue;
        std::wcsncpy(buffer, g_resources.strings[i].text, bufferMax - 1);
        buffer[bufferMax - 1] = L'\0';
        return static_cast<int>(std::wcslen(buffer));
    }
    return 0;
}

HACCEL LoadAcceleratorsW(HINSTANCE, UINT id) {
    for (int i = 0; i < g_resources.acceleratorCount; ++i)
        if (g_resources.accelerators[i].id == id) return &g_resources.accelerators[i].table;
    return nullptr;
}

HICON LoadIconW(HINSTANCE, UINT) {
    return nullptr;
}
HBRUSH GetStockObject(int) {
    return nullptr;
}

HWND FindWindowW(const wchar_t*, const wchar_t*) {
    Backend* backend = CurrentBackend();
    return backend && backend->AnotherInstanceRunning() ? &g_otherInstance : nullptr;
}

bool SetForegroundWindow(HWND window) {
    // The caller may pass the handle with its lowest bit set, as the device asks.
    auto bits = reinterpret_cast<uintptr_t>(window) & ~static_cast<uintptr_t>(1);
    if (reinterpret_cast<WindowRecord*>(bits) != &g_otherInstance) return false;
    CurrentBackend()->RaiseOtherInstance();
    return true;
}

bool RegisterClassW(const WNDCLASSW* windowClass) {
    if (!windowClass || !windowClass->lpfnWndProc) return false;
    g_class = *windowClass;
    return true;
}

HWND CreateWindowExW(DWORD, const wchar_t*, const wchar_t* title, DWORD, int, int, int, int, HWND,
                     void*, HINSTANCE, void*) {
    Backend* backend = CurrentBackend();
    if (!backend || !g_class.lpfnWndProc || g_window.created) return nullptr;
    if (!backend->CreateWindow(title ? title : L"")) return nullptr;
    g_window.proc = g_class.lpfnWndProc;
    g_window.created = true;
    g_window.proc(&g_window, WM_CREATE, 0, 0);
    return &g_window;
}

bool ShowWindow(HWND window, int) {
    if (window != &g_window || !g_window.created) return false;
    CurrentBackend()->ShowWindow();
    return true;
}

bool UpdateWindow(HWND window) {
    if (window != &g_window || !g_window.created) return false;
    g_window.proc(window, WM_PAINT, 0, 0);
    return true;
}

bool GetWindowRect(HWND window, RECT* rect) {
    if (window != &g_window || !rect) return false;
    // The device's default window sits below the 26-pixel task bar.
    *rect = RECT{0, 26, kScreenWidth, 294};
    return true;
}

bool MoveWindow(HWND window, int, int, int, int, bool) {
    return window == &g_window;
}

bool SHFullScreen(HWND window, DWORD) {
    return window == &g_window;
}
bool SHHandleWMActivate(HWND, WPARAM, LPARAM, void*, DWORD) {
    return true;
}
bool SHHandleWMSettingChange(HWND, WPARAM, LPARAM, void*) {
    return true;
}

int GetMessageW(MSG* msg, HWND, UINT, UINT) {
    Backend* backend = CurrentBackend();
    for (;;) {
        if (g_quitPosted) {
            *msg = MSG();
            msg->message = WM_QUIT;
            msg->wParam = static_cast<WPARAM>(g_quitCode);
            return 0;
        }
        const long frame = platform::State().frames;
        if (backend) backend->PumpMessages(g_queue, frame);
        AskFrameInput(frame);
        if (!g_queue.empty()) {
            *msg = g_queue.front();
            g_queue.pop_front();
            if (IsInputMessage(msg->message)) platform::RecordMessage(frame, *msg);
            return 1;
        }
        const long limit = platform::State().options.frames;
        if (limit >= 0 && frame >= limit && !g_stopPosted) {
            // The run has its frames: leave through the window-destroy path, as the title's
            // quit entry does.
            g_stopPosted = true;
            PostMessageW(&g_window, WM_DESTROY, 0, 0);
            continue;
        }
        *msg = PaintMessage();
        platform::State().currentFrame = frame;
        platform::State().frames = frame + 1;
        return 1;
    }
}

int TranslateAcceleratorW(HWND window, HACCEL accelerators, MSG* msg) {
    if (!accelerators || !msg || msg->message != WM_KEYDOWN) return 0;
    for (int i = 0; i < accelerators->count; ++i) {
        const ACCEL& a = accelerators->entries[i];
        const bool wantsControl = (a.fVirt & FCONTROL) != 0;
        if (a.key != msg->wParam || wantsControl != msg->control) continue;
        if (window && window->proc) window->proc(window, WM_COMMAND, a.cmd, 0);
        return 1;
    }
    return 0;
}

bool TranslateMessage(const MSG*) {
    return false;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd || !msg->hwnd->proc) return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcW(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

bool PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != &g_window || !g_window.created) return false;
    MSG msg;
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    g_queue.push_back(msg);
    return true;
}

void PostQuitMessage(int exitCode) {
    g_quitPosted = true;
    g_quitCode = exitCode;
}

DWORD GetTickCount() {
    return CurrentBackend() ? CurrentBackend()->Ticks() : 0;
}

void Sleep(DWORD milliseconds) {
    if (CurrentBackend()) CurrentBackend()->Sleep(milliseconds);
}
