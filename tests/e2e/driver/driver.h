#pragma once
// Drives a real program from outside, as a person at the keyboard would: it starts the program, finds its
// windows, clicks and types through the system's input queue, reads what the windows show, answers
// message boxes and looks at the clipboard. The test process must share the program's desktop.
//
// Input goes to whatever window is in the foreground; Click brings the clicked control's window there
// first, and Activate does it explicitly before typing. Input is asynchronous: wait for its effect with
// WaitUntil. Failures (a window that never comes, a program that cannot start) throw DriverError.
//
// Every wait for something that should happen is bounded by kStepTimeoutMs: far more than a step takes on
// a loaded machine, and paid only when the step does not come, since a wait ends as soon as its condition
// holds. Only a check that something does NOT happen waits for a short, fixed time.
#include <windows.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace driver {

class DriverError : public std::runtime_error {
public:
    explicit DriverError(std::wstring_view message);
};

// A started program. It is killed when this object goes, unless it has ended by then.
class TProcess {
public:
    TProcess() = default;
    TProcess(HANDLE process, DWORD processId, DWORD threadId);
    TProcess(TProcess&& other) noexcept;
    TProcess& operator=(TProcess&& other) noexcept;
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;
    ~TProcess();

    DWORD Id() const { return FProcessId; }
    DWORD MainThreadId() const { return FThreadId; }
    HANDLE Handle() const { return FProcess; }
    bool Running() const;
    // The exit code once the program has ended, or nothing when it is still running after the timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    void Kill();

private:
    HANDLE FProcess = nullptr;
    DWORD FProcessId = 0;
    DWORD FThreadId = 0;
};

struct TStartOptions {
    std::wstring arguments;                                         // appended to the quoted program path
    std::vector<std::pair<std::wstring, std::wstring>> environment; // added to (or replacing) the test's own
    std::wstring workingDirectory;                                  // empty: the test's own
    WORD showCommand = SW_SHOWNORMAL;                               // as a shortcut's "Run" setting gives it
};

TProcess StartProgram(const std::wstring& exePath, const TStartOptions& options = {});

inline constexpr DWORD kStepTimeoutMs = 30000;

// Polls the condition every 20 ms until it holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kStepTimeoutMs);

// The process's visible top-level windows, in the system's z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// Waits until the process has a top-level window with exactly this title that is visible and enabled.
HWND WaitForWindow(const TProcess& process, std::wstring_view title, DWORD timeoutMs = kStepTimeoutMs);

std::wstring ClassName(HWND hwnd);
// The window's text through WM_GETTEXT, which works across processes for edit and rich-edit controls too.
std::wstring WindowText(HWND hwnd);
// All descendants of the window, in the order in which the system enumerates them (creation order).
std::vector<HWND> Descendants(HWND parent);
// The direct and indirect children of one class (all of them when className is empty), top to bottom and,
// on one line, left to right.
std::vector<HWND> ChildrenByPosition(HWND parent, std::wstring_view className = {});
// The index-th descendant of the class in creation order, or null.
HWND FindChild(HWND parent, std::wstring_view className, size_t index = 0);
// The first descendant whose text is exactly this (and of this class, unless empty), or null.
HWND FindChildByText(HWND parent, std::wstring_view text, std::wstring_view className = {});
// The descendant of this class (compared without regard to case) whose top-left corner, in the ancestor's
// client coordinates, lies nearest the point and no farther from it than the tolerance; or null.
HWND ChildNear(HWND ancestor, std::wstring_view className, POINT at, double tolerance);
// The window's rectangle in its parent's client coordinates (on the screen for a top-level window).
RECT PlaceInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);

// Makes the top-level window of this one the foreground window, raised above any window that covers this
// one, and waits until it is.
void Activate(HWND hwnd);
// A left click at the centre of the control, after its window has been brought to the foreground.
void Click(HWND control);
// Types each UTF-16 code unit as a Unicode key stroke into the focused control of the foreground window.
// Shift, Ctrl and Alt are let go first, so that no key held by an earlier step turns the text into shortcuts.
void TypeText(std::wstring_view text);

enum TModifier : unsigned { mkNone = 0, mkShift = 1, mkCtrl = 2, mkAlt = 4 };
// Presses and releases a virtual key with the modifiers held down around it (e.g. VK_F4, mkAlt).
void PressKey(WORD virtualKey, unsigned modifiers = mkNone);

// The window of the program's user-interface thread that has the keyboard focus, or null.
HWND FocusedWindow(const TProcess& process);

enum class TBoxIcon { None, Warning, Error, Information, Question, Unknown };

struct TMessageBox {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring text; // the longest Static text of the box
    TBoxIcon icon = TBoxIcon::None;
};

// The process's visible message box (a top-level dialog of class #32770), or null.
HWND FindMessageBox(const TProcess& process);
// Waits for the process's message box and reads it; throws when none comes in time.
TMessageBox WaitForMessageBox(const TProcess& process, DWORD timeoutMs = kStepTimeoutMs);
TMessageBox ReadMessageBox(HWND box);
// Clicks the box's OK button and waits until the box has gone; a click that the box did not take is given
// again while the box stays.
void PressOk(HWND box);

// The clipboard's Unicode text, or nothing when it holds none.
std::optional<std::wstring> ClipboardText();
void SetClipboardText(std::wstring_view text);
// The clipboard's data in a registered format (such as "CanIncludeInClipboardHistory"), or nothing when it
// holds none in that format.
std::optional<std::vector<unsigned char>> ClipboardData(std::wstring_view formatName);

// Holds the clipboard open, as another program may, until destroyed.
class TClipboardHolder {
public:
    TClipboardHolder();
    ~TClipboardHolder();
    TClipboardHolder(const TClipboardHolder&) = delete;
    TClipboardHolder& operator=(const TClipboardHolder&) = delete;
};

// Decrypts a DPAPI blob written as hexadecimal digits (as ConvertFrom-SecureString writes it) into the
// UTF-16 text it protects.
std::wstring DecryptDpapiHex(std::wstring_view hex);

} // namespace driver
