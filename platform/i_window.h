// The window manager and kernel services the shell was written against, offered under their
// familiar names and implemented only as far as the shell relies on them. One window, one
// thread, one message queue. Which back end answers (SDL or headless) is chosen once by
// I_Init (i_system.h) before WinMain runs.
#pragma once

#include <cstdint>

typedef struct WindowRecord* HWND;  // the one window; opaque outside the platform
typedef void* HINSTANCE;
typedef void* HICON;
typedef void* HBRUSH;
typedef const struct AccelTable* HACCEL;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

enum : UINT {
    WM_CREATE = 1,
    WM_DESTROY = 2,
    WM_ACTIVATE = 6,
    WM_PAINT = 15,
    WM_QUIT = 18,
    WM_SETTINGCHANGE = 26,
    WM_KEYDOWN = 256,
    WM_KEYUP = 257,
    WM_COMMAND = 273,
    WM_TIMER = 275,
    WM_MOUSEMOVE = 512,
    WM_LBUTTONDOWN = 513,
    WM_LBUTTONUP = 514,
};

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool control = false;  // the control key was held (accelerators)
};

struct RECT {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct WNDCLASSW {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    void* hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    const wchar_t* lpszMenuName = nullptr;
    const wchar_t* lpszClassName = nullptr;
};

// Accelerator entries as a resource script declares them.
enum : uint8_t { FVIRTKEY = 0x01, FNOINVERT = 0x02, FCONTROL = 0x08, FACCEL_LAST = 0x80 };
struct ACCEL {
    uint8_t fVirt;
    uint16_t key;
    uint16_t cmd;
};
struct AccelTable {
    const ACCEL* entries;
    int count;
};

// The executable's resources (string table, accelerators). The entry point registers them
// before WinMain so LoadStringW and LoadAcceleratorsW can answer.
struct StringResource {
    UINT id;
    const wchar_t* text;
};
struct AcceleratorResource {
    UINT id;
    AccelTable table;
};
struct ResourceTable {
    const StringResource* strings;
    int stringCount;
    const AcceleratorResource* accelerators;
    int acceleratorCount;
};
void RegisterResources(const ResourceTable& resources);

// Start-up (shell, once).
int LoadStringW(HINSTANCE instance, UINT id, wchar_t* buffer, int bufferMax);
// The "program file" is the data directory followed by a backslash and the program's name,
// so cutting at the last backslash yields the data directory.
DWORD GetModuleFileNameW(HINSTANCE instance, wchar_t* buffer, DWORD size);
int WideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideCount, char* out,
                        int outSize, const char* defaultChar, int* usedDefault);
HWND FindWindowW(const wchar_t* className, const wchar_t* title);
bool SetForegroundWindow(HWND window);
HICON LoadIconW(HINSTANCE instance, UINT id);
HBRUSH GetStockObject(int id);
bool RegisterClassW(const WNDCLASSW* windowClass);
HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                     int x, int y, int width, int height, HWND parent, void* menu,
                     HINSTANCE instance, void* param);
bool ShowWindow(HWND window, int showCommand);
bool UpdateWindow(HWND window);  // delivers the first paint message synchronously
bool GetWindowRect(HWND window, RECT* rect);
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint);
HACCEL LoadAcceleratorsW(HINSTANCE instance, UINT id);

// The message loop (shell). GetMessageW returns a paint message whenever the queue is
// otherwise empty, because the shell never validates its window; 0 once WM_QUIT arrives.
int GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
int TranslateAcceleratorW(HWND window, HACCEL accelerators, MSG* msg);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Anyone: PostMessageW queues a message for the window; PostQuitMessage ends GetMessageW.
bool PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Millisecond tick count (wraps after 49.7 days); frame pacing reads it. Sleep lets the
// desktop pace frames without spinning a core; the headless back end's clock advances only
// through Sleep, so its runs never wait.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

// Shell helper library, by the ordinals the shell imports.
enum : DWORD { SHFS_HIDETASKBAR = 0x02, SHFS_HIDESIPBUTTON = 0x08, SHFS_HIDESTARTICON = 0x20 };
bool SHFullScreen(HWND window, DWORD state);  // ordinal 65
bool SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, void* info,
                        DWORD flags);  // ordinal 84
bool SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam,
                             void* info);  // ordinal 83
