#pragma once
// Driving real windows from the in-process tests: pumping the toolkit's message loop, real key presses
// through SendInput (so that GetKeyState sees the modifiers as a user holds them), clicks, forms and
// controls freed at the end of each test, and a watcher that answers message boxes.
#include "toolkit/application.h"
#include "toolkit/text_edit.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

// Runs the application's loop until Done() holds or the time is up; returns Done().
inline bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    for (;;) {
        Application->ProcessMessages();
        if (Done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline void Pump(int Ms = 100) {
    PumpUntil([] { return false; }, Ms);
}

inline INPUT KeyInput(WORD Key, bool Up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
    input.ki.wScan = WORD(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    if (Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME ||
        Key == VK_END)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

inline void SendKeys(const std::vector<INPUT>& Inputs) {
    std::vector<INPUT> copy = Inputs;
    SendInput(UINT(copy.size()), copy.data(), sizeof(INPUT));
    Pump(150);
}

// Presses Key with the modifiers held down, releases everything, and lets the loop handle it all.
inline void PressKey(WORD Key, std::initializer_list<WORD> Modifiers = {}) {
    std::vector<INPUT> inputs;
    for (WORD m : Modifiers)
        inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(Key, false));
    inputs.push_back(KeyInput(Key, true));
    for (auto it = std::rbegin(Modifiers); it != std::rend(Modifiers); ++it)
        inputs.push_back(KeyInput(*it, true));
    SendKeys(inputs);
}

// Types lower-case letters, digits and spaces.
inline void TypeText(const wchar_t* Text) {
    std::vector<INPUT> inputs;
    for (const wchar_t* c = Text; *c; ++c) {
        const WORD key = (*c >= L'a' && *c <= L'z') ? WORD(*c - L'a' + L'A') : WORD(*c);
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
    }
    SendKeys(inputs);
}

// Makes Form the foreground window, as a user's click would.
inline bool BringToFront(TForm& Form) {
    Form.Show();
    SetForegroundWindow(Form.Handle());
    return PumpUntil([&] { return GetForegroundWindow() == Form.Handle(); });
}

// A left click at Point (client coordinates of Window), as the window receives it.
inline void ClickAt(HWND Window, POINT Point) {
    const LPARAM at = MAKELPARAM(Point.x, Point.y);
    SendMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Window, WM_LBUTTONUP, 0, at);
    Pump(50);
}

// Components made by a test are freed at its end.
struct TFreeComponent {
    void operator()(TComponent* Component) const { Component->Free(); }
};
template <class T> using TOwned = std::unique_ptr<T, TFreeComponent>;

inline TOwned<TForm> NewForm(int ClientWidth = 400, int ClientHeight = 300) {
    TOwned<TForm> form(new TForm(Application));
    form->SetBorderStyle(bsSingle);
    form->SetPosition(poScreenCenter);
    form->SetClientWidth(ClientWidth);
    form->SetClientHeight(ClientHeight);
    return form;
}

// A control of class T on Parent, owned by Owner (the parent when null). A single-line editor given a
// height has AutoSize off, so that it takes that height; given 0, it keeps its automatic height.
template <class T>
T* NewControl(TWinControl* Parent, int Left, int Top, int Width, int Height, TComponent* Owner = nullptr) {
    T* control = new T(Owner ? Owner : Parent);
    if constexpr (std::is_base_of_v<TcxTextEdit, T>) control->SetAutoSize(Height == 0);
    static_cast<TControl*>(control)->SetParent(Parent); // the labelled editors override it protected
    control->SetBounds(Left, Top, Width, Height);
    return control;
}

// Focuses Control through its form and waits until it has the focus.
inline bool FocusOn(TWinControl& Control) {
    Control.SetFocus();
    return PumpUntil([&] { return Control.Focused(); });
}

inline std::wstring WindowText(HWND Window) {
    std::wstring text(size_t(GetWindowTextLengthW(Window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(Window, text.data(), int(text.size()))));
    return text;
}

// A message box seen by the watcher: its title and its text (the longest static text in it).
struct TSeenBox {
    std::wstring Title;
    std::wstring Text;
};

// Watches a thread's (or a process's) top-level windows for message boxes and answers each with OK
// after DelayMs. Runs on its own thread while the thread it watches sits in the box's modal loop.
class TBoxWatcher {
public:
    // WhileShown, when given, runs on the watcher's thread once while each box is shown, before the box
    // is answered.
    explicit TBoxWatcher(std::function<void()> WhileShown = nullptr, DWORD ProcessId = GetCurrentProcessId(),
                         int DelayMs = 300)
        : FWhileShown(std::move(WhileShown)), FProcessId(ProcessId), FDelayMs(DelayMs),
          FThread([this] { Run(); }) {}
    ~TBoxWatcher() {
        FStop = true;
        FThread.join();
    }
    TBoxWatcher(const TBoxWatcher&) = delete;
    TBoxWatcher& operator=(const TBoxWatcher&) = delete;

    std::vector<TSeenBox> Boxes() {
        std::lock_guard<std::mutex> lock(FMutex);
        return FBoxes;
    }

private:
    static std::wstring BoxText(HWND Box) {
        std::wstring longest;
        for (HWND c = FindWindowExW(Box, nullptr, L"Static", nullptr); c;
             c = FindWindowExW(Box, c, L"Static", nullptr)) {
            const std::wstring t = WindowText(c);
            if (t.size() > longest.size()) longest = t;
        }
        return longest;
    }

    void Run() {
        std::vector<HWND> answered;
        while (!FStop) {
            HWND box = nullptr;
            for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
                 w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == FProcessId && IsWindowVisible(w) &&
                    std::find(answered.begin(), answered.end(), w) == answered.end())
                    box = w;
            }
            if (!box) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            {
                std::lock_guard<std::mutex> lock(FMutex);
                FBoxes.push_back(TSeenBox{WindowText(box), BoxText(box)});
            }
            if (FWhileShown) FWhileShown();
            std::this_thread::sleep_for(std::chrono::milliseconds(FDelayMs));
            answered.push_back(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }

    std::function<void()> FWhileShown;
    DWORD FProcessId;
    int FDelayMs;
    std::atomic<bool> FStop{false};
    std::mutex FMutex;
    std::vector<TSeenBox> FBoxes;
    std::thread FThread;
};
