#include "driver.h"

#include <wincrypt.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <type_traits>

namespace driver {

namespace {

std::string Utf8(std::wstring_view text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                          nullptr, nullptr);
    return result;
}

[[noreturn]] void Fail(std::wstring_view what, DWORD error = ::GetLastError()) {
    throw DriverError(std::wstring(what) + L" (error " + std::to_wstring(error) + L")");
}

struct LocalFreer {
    void operator()(void* p) const { ::LocalFree(p); }
};
struct GlobalFreer {
    void operator()(void* p) const { ::GlobalFree(p); }
};
struct GdiDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

class TScreenDc {
public:
    TScreenDc() : FDc(::GetDC(nullptr)) {}
    ~TScreenDc() { ::ReleaseDC(nullptr, FDc); }
    TScreenDc(const TScreenDc&) = delete;
    TScreenDc& operator=(const TScreenDc&) = delete;
    HDC Get() const { return FDc; }

private:
    HDC FDc;
};

// The clipboard opened by this process for the lifetime of the object. Another program may hold it for a
// moment, so opening is retried for a while.
class TOpenClipboard {
public:
    TOpenClipboard() {
        if (!WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; })) Fail(L"cannot open the clipboard");
    }
    ~TOpenClipboard() { ::CloseClipboard(); }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
};

class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL memory) : FMemory(memory), FData(::GlobalLock(memory)) {}
    ~TGlobalLock() {
        if (FData) ::GlobalUnlock(FMemory);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    void* Data() const { return FData; }

private:
    HGLOBAL FMemory;
    void* FData;
};

bool SameTextOrdinal(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::wstring_view VariableName(std::wstring_view entry) {
    // Entries such as "=C:=C:\dir" have a name that starts with "=".
    size_t equals = entry.find(L'=', 1);
    return entry.substr(0, equals);
}

// The test's own environment with the given variables added or replaced, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& extra) {
    std::vector<std::wstring> entries;
    if (wchar_t* own = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = own; *p; p += std::wcslen(p) + 1)
            entries.emplace_back(p);
        ::FreeEnvironmentStringsW(own);
    }
    for (const auto& [name, value] : extra) {
        std::erase_if(entries,
                      [&](const std::wstring& entry) { return SameTextOrdinal(VariableName(entry), name); });
        entries.push_back(name + L"=" + value);
    }
    std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        std::wstring_view x = VariableName(a), y = VariableName(b);
        return ::CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(),
                                      static_cast<int>(y.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::wstring block;
    for (const std::wstring& entry : entries)
        block += entry + L'\0';
    return block + L'\0';
}

HWND RootOf(HWND hwnd) {
    return ::GetAncestor(hwnd, GA_ROOT);
}

POINT Centre(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) Fail(L"SendInput refused the input");
}

bool IsExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

// The pixels of a screen rectangle as 32-bit BGRX values, row by row from the top.
std::vector<DWORD> Pixels(HDC source, int x, int y, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueDc memory(::CreateCompatibleDC(source));
    UniqueBitmap bitmap(::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) Fail(L"cannot make a bitmap");
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
    ::GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                              static_cast<const DWORD*>(bits) + width * height);
    ::SelectObject(memory.get(), old);
    return pixels;
}

// The system icon drawn as a message box draws it, over the given background.
std::vector<DWORD> RenderedIcon(const wchar_t* iconId, int width, int height, DWORD background) {
    TScreenDc screen;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueDc memory(::CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) Fail(L"cannot make a bitmap");
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    std::fill_n(static_cast<DWORD*>(bits), width * height, background);
    // The image of the icon closest to the size shown, as the box itself picks it.
    HICON icon = static_cast<HICON>(::LoadImageW(nullptr, iconId, IMAGE_ICON, width, height, LR_SHARED));
    ::DrawIconEx(memory.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                              static_cast<const DWORD*>(bits) + width * height);
    ::SelectObject(memory.get(), old);
    return pixels;
}

double MeanDifference(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum +=
                std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
    return a.empty() ? 0 : sum / (3.0 * static_cast<double>(a.size()));
}

HWND IconStatic(HWND box) {
    for (HWND child : Descendants(box))
        if (ClassName(child) == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    return nullptr;
}

// The icon's handle lives in the other process, so the kind is told by comparing the pixels on the screen
// with each system icon drawn here at the same place in the box's own background colour.
TBoxIcon IconKind(HWND box) {
    HWND icon = IconStatic(box);
    if (!icon) return TBoxIcon::None;
    const std::pair<TBoxIcon, const wchar_t*> kinds[] = {{TBoxIcon::Warning, IDI_WARNING},
                                                         {TBoxIcon::Error, IDI_ERROR},
                                                         {TBoxIcon::Information, IDI_INFORMATION},
                                                         {TBoxIcon::Question, IDI_QUESTION}};
    TBoxIcon found = TBoxIcon::Unknown;
    // The box may not have painted itself yet when it first shows, and another program's window (the
    // console, say) may still lie over its icon.
    WaitUntil([&] {
        RECT r{};
        ::GetWindowRect(icon, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        if (width <= 0 || height <= 0) return false;
        if (RootOf(::WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2})) != box) {
            ::SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return false;
        }
        TScreenDc screen;
        std::vector<DWORD> shown = Pixels(screen.Get(), r.left, r.top, width, height);
        double best = 12.0; // mean difference per colour channel that still counts as the same picture
        for (const auto& [kind, id] : kinds) {
            double difference = MeanDifference(shown, RenderedIcon(id, width, height, shown.front()));
            if (difference < best) {
                best = difference;
                found = kind;
            }
        }
        return found != TBoxIcon::Unknown;
    });
    return found;
}

} // namespace

DriverError::DriverError(std::wstring_view message) : std::runtime_error(Utf8(message)) {}

TProcess::TProcess(HANDLE process, DWORD processId, DWORD threadId)
    : FProcess(process), FProcessId(processId), FThreadId(threadId) {}

TProcess::TProcess(TProcess&& other) noexcept
    : FProcess(std::exchange(other.FProcess, nullptr)), FProcessId(other.FProcessId),
      FThreadId(other.FThreadId) {}

TProcess& TProcess::operator=(TProcess&& other) noexcept {
    if (this != &other) {
        Kill();
        if (FProcess) ::CloseHandle(FProcess);
        FProcess = std::exchange(other.FProcess, nullptr);
        FProcessId = other.FProcessId;
        FThreadId = other.FThreadId;
    }
    return *this;
}

TProcess::~TProcess() {
    Kill();
    if (FProcess) ::CloseHandle(FProcess);
}

bool TProcess::Running() const {
    return FProcess && ::WaitForSingleObject(FProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> TProcess::WaitForExit(DWORD timeoutMs) {
    if (!FProcess || ::WaitForSingleObject(FProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(FProcess, &code);
    return code;
}

void TProcess::Kill() {
    if (!Running()) return;
    ::TerminateProcess(FProcess, 1);
    ::WaitForSingleObject(FProcess, 5000);
}

TProcess StartProgram(const std::wstring& exePath, const TStartOptions& options) {
    // Coordinates must be the screen's own pixels whatever the display's resolution.
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!options.arguments.empty()) commandLine += L" " + options.arguments;
    std::wstring environment;
    if (!options.environment.empty()) environment = EnvironmentBlock(options.environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = options.showCommand;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_UNICODE_ENVIRONMENT, environment.empty() ? nullptr : environment.data(),
                          options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str(),
                          &startup, &info)) {
        DWORD error = ::GetLastError();
        Fail(L"cannot start " + exePath, error);
    }
    ::CloseHandle(info.hThread);
    return TProcess(info.hProcess, info.dwProcessId, info.dwThreadId);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(20);
    }
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    struct TSearch {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->processId && ::IsWindowVisible(hwnd)) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const TProcess& process, std::wstring_view title, DWORD timeoutMs) {
    HWND found = nullptr;
    bool ended = false;
    WaitUntil(
        [&] {
            for (HWND hwnd : TopLevelWindows(process.Id())) {
                wchar_t caption[512] = {};
                ::GetWindowTextW(hwnd, caption, 512);
                if (title == caption && ::IsWindowEnabled(hwnd)) {
                    found = hwnd;
                    return true;
                }
            }
            ended = !process.Running();
            return ended;
        },
        timeoutMs);
    if (!found)
        throw DriverError(L"no window \"" + std::wstring(title) + L"\": " +
                          (ended ? L"the program has ended" : L"none came in time"));
    return found;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kStepTimeoutMs, &length))
        Fail(L"the window does not answer WM_GETTEXTLENGTH");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, kStepTimeoutMs, &copied))
        Fail(L"the window does not answer WM_GETTEXT");
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> ChildrenByPosition(HWND parent, std::wstring_view className) {
    std::vector<HWND> found;
    for (HWND child : Descendants(parent))
        if (className.empty() || ClassName(child) == className) found.push_back(child);
    std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return found;
}

HWND FindChild(HWND parent, std::wstring_view className, size_t index) {
    for (HWND child : Descendants(parent))
        if (ClassName(child) == className && index-- == 0) return child;
    return nullptr;
}

HWND FindChildByText(HWND parent, std::wstring_view text, std::wstring_view className) {
    for (HWND child : Descendants(parent))
        if ((className.empty() || ClassName(child) == className) && WindowText(child) == text) return child;
    return nullptr;
}

HWND ChildNear(HWND ancestor, std::wstring_view className, POINT at, double tolerance) {
    HWND best = nullptr;
    double bestDistance = tolerance;
    for (HWND child : Descendants(ancestor)) {
        const std::wstring name = ClassName(child);
        if (::CompareStringOrdinal(name.c_str(), int(name.size()), className.data(), int(className.size()), TRUE) !=
            CSTR_EQUAL)
            continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(HWND_DESKTOP, ancestor, reinterpret_cast<POINT*>(&r), 2);
        const double distance = std::hypot(double(r.left - at.x), double(r.top - at.y));
        if (distance <= bestDistance) {
            best = child;
            bestDistance = distance;
        }
    }
    return best;
}

RECT PlaceInParent(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    HWND parent = ::GetAncestor(hwnd, GA_PARENT);
    if (parent && parent != ::GetDesktopWindow())
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void Activate(HWND hwnd) {
    HWND root = RootOf(hwnd);
    if (::GetForegroundWindow() != root) {
        ::SetForegroundWindow(root);
        if (!WaitUntil([&] { return ::GetForegroundWindow() == root; }))
            throw DriverError(L"cannot bring \"" + WindowText(root) + L"\" to the foreground");
    }
    // Without a window manager the active window is not always raised above another program's window
    // (a console, say), which would then take the clicks meant for it.
    const POINT centre = Centre(hwnd);
    if (RootOf(::WindowFromPoint(centre)) != root) {
        ::SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!WaitUntil([&] { return RootOf(::WindowFromPoint(centre)) == root; }))
            throw DriverError(L"\"" + WindowText(root) + L"\" stays covered by another window");
    }
}

void Click(HWND control) {
    Activate(control);
    const POINT centre = Centre(control);
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT mouse[3] = {};
    for (INPUT& input : mouse) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(centre.x, 65535, width - 1);
        input.mi.dy = MulDiv(centre.y, 65535, height - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    mouse[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    mouse[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    mouse[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    Send(std::vector<INPUT>(std::begin(mouse), std::end(mouse)));
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> release;
    for (const WORD held : {VK_SHIFT, VK_CONTROL, VK_MENU})
        release.push_back(
            KeyInput(held, static_cast<WORD>(::MapVirtualKeyW(held, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
    Send(release);
    for (wchar_t unit : text)
        Send({KeyInput(0, unit, KEYEVENTF_UNICODE), KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
}

void PressKey(WORD virtualKey, unsigned modifiers) {
    const std::pair<unsigned, WORD> held[] = {{mkCtrl, VK_CONTROL}, {mkShift, VK_SHIFT}, {mkAlt, VK_MENU}};
    auto key = [](WORD vk, bool up) {
        DWORD flags = (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
        return KeyInput(vk, static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), flags);
    };
    std::vector<INPUT> inputs;
    for (const auto& [bit, vk] : held)
        if (modifiers & bit) inputs.push_back(key(vk, false));
    inputs.push_back(key(virtualKey, false));
    inputs.push_back(key(virtualKey, true));
    for (auto it = std::rbegin(held); it != std::rend(held); ++it)
        if (modifiers & it->first) inputs.push_back(key(it->second, true));
    Send(inputs);
}

HWND FocusedWindow(const TProcess& process) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(process.MainThreadId(), &info)) return nullptr;
    return info.hwndFocus;
}

HWND FindMessageBox(const TProcess& process) {
    for (HWND hwnd : TopLevelWindows(process.Id()))
        if (ClassName(hwnd) == L"#32770") return hwnd;
    return nullptr;
}

TMessageBox WaitForMessageBox(const TProcess& process, DWORD timeoutMs) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox(process)) != nullptr; }, timeoutMs))
        throw DriverError(L"no message box came in time");
    return ReadMessageBox(box);
}

TMessageBox ReadMessageBox(HWND box) {
    TMessageBox read;
    read.hwnd = box;
    read.title = WindowText(box);
    for (HWND child : Descendants(box)) {
        if (ClassName(child) != L"Static") continue;
        std::wstring text = WindowText(child);
        if (text.size() > read.text.size()) read.text = std::move(text);
    }
    read.icon = IconKind(box);
    return read;
}

void PressOk(HWND box) {
    HWND ok = ::GetDlgItem(box, IDOK);
    if (!ok) throw DriverError(L"the message box has no OK button");
    const auto gone = [&] { return !::IsWindow(box) || !::IsWindowVisible(box); };
    for (int click = 0; click < 3 && !gone(); ++click) {
        Click(ok);
        if (WaitUntil(gone, kStepTimeoutMs / 3)) return;
    }
    if (!gone()) throw DriverError(L"the box stays after OK");
}

std::optional<std::wstring> ClipboardText() {
    TOpenClipboard open;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    TGlobalLock lock(data);
    if (!lock.Data()) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(lock.Data());
    const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
    return std::wstring(text, std::find(text, text + capacity, L'\0'));
}

std::optional<std::vector<unsigned char>> ClipboardData(std::wstring_view formatName) {
    const UINT format = ::RegisterClipboardFormatW(std::wstring(formatName).c_str());
    if (format == 0) Fail(L"cannot register the clipboard format " + std::wstring(formatName));
    TOpenClipboard open;
    HANDLE data = ::GetClipboardData(format);
    if (!data) return std::nullopt;
    TGlobalLock lock(data);
    if (!lock.Data()) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(lock.Data());
    return std::vector<unsigned char>(bytes, bytes + ::GlobalSize(data));
}

void SetClipboardText(std::wstring_view text) {
    std::unique_ptr<void, GlobalFreer> memory(
        ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!memory) Fail(L"cannot allocate the clipboard text");
    {
        TGlobalLock lock(memory.get());
        auto* target = static_cast<wchar_t*>(lock.Data());
        std::copy(text.begin(), text.end(), target);
        target[text.size()] = L'\0';
    }
    TOpenClipboard open;
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) Fail(L"the clipboard refused the text");
    memory.release(); // the clipboard owns it now
}

TClipboardHolder::TClipboardHolder() {
    if (!WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; })) Fail(L"cannot open the clipboard");
}

TClipboardHolder::~TClipboardHolder() {
    ::CloseClipboard();
}

std::wstring DecryptDpapiHex(std::wstring_view hex) {
    auto digit = [&](wchar_t c) -> int {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        throw DriverError(L"not a hexadecimal blob: " + std::wstring(hex));
    };
    if (hex.size() % 2 != 0) throw DriverError(L"odd number of hexadecimal digits: " + std::wstring(hex));
    std::vector<BYTE> blob;
    for (size_t i = 0; i < hex.size(); i += 2)
        blob.push_back(static_cast<BYTE>(digit(hex[i]) * 16 + digit(hex[i + 1])));
    DATA_BLOB in{static_cast<DWORD>(blob.size()), blob.data()};
    DATA_BLOB out{};
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        Fail(L"CryptUnprotectData refused the blob");
    std::unique_ptr<BYTE, LocalFreer> plain(out.pbData);
    std::wstring text(out.cbData / sizeof(wchar_t), L'\0');
    std::copy_n(plain.get(), text.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
    return text;
}

} // namespace driver
