#include "corvalin_app.h"

#include "corvalin_texts.h"
#include "program_paths.h"

#include <cmath>
#include <cwchar>
#include <iostream>

namespace e2e {

namespace {

RECT PlaceInForm(HWND form, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The control of this class at the layout's place, within a few pixels.
HWND FindAt(HWND form, std::wstring_view className, int left, int top, double scale) {
    const POINT at{LONG(std::lround(left * scale)), LONG(std::lround(top * scale))};
    const HWND best = driver::ChildNear(form, className, at, 4 * scale);
    if (!best)
        throw driver::DriverError(L"no " + std::wstring(className) + L" at " + std::to_wstring(left) + L"," +
                                  std::to_wstring(top) + L" (x" + std::to_wstring(scale) +
                                  L"); the window holds:\n" + DescribeWindowTree(form));
    return best;
}

} // namespace

TControls FindControls(HWND form, double scale) {
    TControls c;
    c.edtUsername = FindAt(form, L"Edit", 16, 24, scale);
    c.edtPassword = FindAt(form, L"Edit", 16, 72, scale);
    c.btnGenerate = FindAt(form, L"Button", 246, 112, scale);
    c.redtConfiguration = FindAt(form, L"RICHEDIT50W", 344, 24, scale);
    c.btnClipboard = FindAt(form, L"Button", 598, 112, scale);
    return c;
}

std::wstring DescribeWindowTree(HWND form) {
    std::wstring tree;
    for (HWND child : driver::Descendants(form)) {
        const RECT r = PlaceInForm(form, child);
        tree += L"  " + driver::ClassName(child) + L" at " + std::to_wstring(r.left) + L"," +
                std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
                std::to_wstring(r.bottom - r.top) + L" \"" + Describe(driver::WindowText(child)) + L"\"" +
                (::IsWindowEnabled(child) ? L"" : L" disabled") + L"\n";
    }
    return tree;
}

std::wstring ControlName(const TControls& controls, HWND hwnd) {
    const std::pair<HWND, const wchar_t*> names[] = {{controls.edtUsername, L"edtUsername"},
                                                     {controls.edtPassword, L"edtPassword"},
                                                     {controls.btnGenerate, L"btnGenerate"},
                                                     {controls.redtConfiguration, L"redtConfiguration"},
                                                     {controls.btnClipboard, L"btnClipboard"}};
    for (const auto& [control, name] : names)
        if (control == hwnd) return name;
    if (!hwnd) return L"(none)";
    return driver::ClassName(hwnd) + L" \"" + Describe(driver::WindowText(hwnd)) + L"\"";
}

TCorvalin::TCorvalin(const TEnvironment& environment, double scale, const std::wstring& exePath) {
    driver::TStartOptions options;
    options.environment = environment;
    FProcess = driver::StartProgram(exePath.empty() ? CorvalinPath() : exePath, options);
    FForm = driver::WaitForWindow(FProcess, kTitle);
    FControls = FindControls(FForm, scale);
    // The window is ready for input once its first control has the focus; tests that check the focus
    // at start-up do so themselves.
    driver::WaitUntil([&] { return Focused() == FControls.edtUsername; });
}

HWND TCorvalin::Focused() const {
    return driver::FocusedWindow(FProcess);
}

void TCorvalin::Enter(HWND field, std::wstring_view text, TInput how) {
    for (int attempt = 1;; ++attempt) {
        const std::wstring shown = TryEnter(field, text, how);
        if (shown == text) return;
        const std::wstring message =
            L"the field shows \"" + Describe(shown) + L"\" instead of \"" + Describe(text) + L"\"";
        if (attempt == 3) throw driver::DriverError(message);
        std::cout << "[ NOTE     ] ";
        for (wchar_t unit : message)
            std::cout << char(unit);
        std::cout << "; entering it again\n";
    }
}

std::wstring TCorvalin::TryEnter(HWND field, std::wstring_view text, TInput how) {
    const std::wstring wanted(text);
    const DWORD bound = driver::kStepTimeoutMs / 3;
    if (how == TInput::SetText) {
        ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wanted.c_str()));
        return driver::WindowText(field);
    }
    driver::Click(field);
    if (!driver::WaitUntil([&] { return Focused() == field; }, bound)) {
        RECT r{};
        ::GetWindowRect(field, &r);
        const HWND hit = ::WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        std::cout << "[ NOTE     ] the clicked field did not take the focus; focus on ";
        for (wchar_t unit : ControlName(FControls, Focused()) + L", the click point shows " +
                                ControlName(FControls, hit) + L", the foreground window is " +
                                ControlName(FControls, ::GetForegroundWindow()))
            std::cout << char(unit);
        std::cout << "\n";
        return driver::WindowText(field);
    }
    driver::PressKey(VK_HOME);
    driver::PressKey(VK_END, driver::mkShift);
    driver::PressKey(VK_DELETE);
    if (!driver::WaitUntil([&] { return driver::WindowText(field).empty(); }, bound))
        return driver::WindowText(field);
    driver::TypeText(text);
    driver::WaitUntil([&] { return driver::WindowText(field) == wanted; },
                      bound + static_cast<DWORD>(text.size()) * 20);
    return driver::WindowText(field);
}

void TCorvalin::StartGenerate() {
    driver::Click(FControls.btnGenerate);
    if (!driver::WaitUntil([&] { return Busy() || driver::FindMessageBox(FProcess); }))
        throw driver::DriverError(L"\"Gerar\" started no run");
}

std::optional<driver::TMessageBox> TCorvalin::Generate(DWORD timeoutMs) {
    StartGenerate();
    return WaitForBoxOrIdle(timeoutMs);
}

std::optional<driver::TMessageBox> TCorvalin::WaitForBoxOrIdle(DWORD timeoutMs) {
    HWND box = nullptr;
    bool ended = false;
    const bool settled = driver::WaitUntil(
        [&] {
            box = driver::FindMessageBox(FProcess);
            ended = !FProcess.Running();
            return box || ended || Idle();
        },
        timeoutMs);
    if (ended) throw driver::DriverError(L"the program has ended");
    if (!settled) throw driver::DriverError(L"neither a box nor the idle window came in time");
    // An error that escapes a run is shown only after the controls have been restored.
    if (!box && Lines().empty())
        driver::WaitUntil([&] { return (box = driver::FindMessageBox(FProcess)) != nullptr; }, 2000);
    if (!box) return std::nullopt;
    driver::Activate(box); // the console may lie over it, and the icon is read from the screen
    return driver::ReadMessageBox(box);
}

driver::TMessageBox TCorvalin::WaitForBox(DWORD timeoutMs) {
    HWND box = nullptr;
    if (!driver::WaitUntil([&] { return (box = driver::FindMessageBox(FProcess)) != nullptr; }, timeoutMs))
        throw driver::DriverError(L"no box came");
    driver::Activate(box);
    return driver::ReadMessageBox(box);
}

void TCorvalin::Answer(const driver::TMessageBox& box) {
    driver::PressOk(box.hwnd);
}

void TCorvalin::AnswerAll(const driver::TMessageBox& box) {
    Answer(box);
    while (std::optional<driver::TMessageBox> next = WaitForBoxOrIdle())
        Answer(*next);
}

std::optional<driver::TMessageBox> TCorvalin::GenerateAllowingASlowConsole(DWORD timeoutMs) {
    std::optional<driver::TMessageBox> box = Generate(timeoutMs);
    if (!box || box->text != kCommandCopied) return box;
    if (!driver::WaitUntil([] { return FileExists(ResultFilePath()); }, 30000)) return box;
    std::cout << "[ NOTE     ] a slow console wrote the file after the five-second wait\n";
    Answer(*box);
    return WaitForBoxOrIdle(timeoutMs);
}

std::optional<driver::TMessageBox> TCorvalin::Copy() {
    const DWORD before = ::GetClipboardSequenceNumber();
    driver::Click(FControls.btnClipboard);
    HWND box = nullptr;
    // Copy shows nothing when it works, and the clipboard changes; a failure shows its box.
    if (!driver::WaitUntil([&] {
            return (box = driver::FindMessageBox(FProcess)) != nullptr ||
                   ::GetClipboardSequenceNumber() != before;
        }))
        throw driver::DriverError(L"\"Copiar\" neither changed the clipboard nor showed a box");
    if (!box) return std::nullopt;
    driver::Activate(box);
    return driver::ReadMessageBox(box);
}

bool TCorvalin::Idle() const {
    return ::IsWindowEnabled(FControls.edtUsername) && ::IsWindowEnabled(FControls.edtPassword) &&
           ::IsWindowEnabled(FControls.btnGenerate);
}

bool TCorvalin::Busy() const {
    for (HWND control : {FControls.edtUsername, FControls.edtPassword, FControls.btnGenerate,
                         FControls.redtConfiguration, FControls.btnClipboard})
        if (::IsWindowEnabled(control)) return false;
    return true;
}

std::vector<std::wstring> TCorvalin::Lines() const {
    const std::wstring text = driver::WindowText(FControls.redtConfiguration);
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(L'\r', start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
        if (start < text.size() && text[start] == L'\n') ++start; // a CR LF pair ends a line too
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

std::wstring DecryptedPassword(const std::wstring& passwordLine) {
    if (passwordLine.rfind(kPasswordPrefix, 0) != 0)
        throw driver::DriverError(L"not a password line: " + Describe(passwordLine));
    return driver::DecryptDpapiHex(std::wstring_view(passwordLine).substr(kPasswordPrefix.size()));
}

std::wstring Describe(std::wstring_view text) {
    std::wstring shown;
    for (wchar_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            shown += unit;
        } else {
            wchar_t escaped[16];
            std::swprintf(escaped, 16, L"\\u%04X", static_cast<unsigned>(unit));
            shown += escaped;
        }
    }
    return shown;
}

} // namespace e2e

namespace driver {

void PrintTo(const TMessageBox& box, std::ostream* out) {
    static const char* const icons[] = {"no icon",     "warning",  "error",
                                        "information", "question", "unknown icon"};
    std::string text;
    for (wchar_t unit : e2e::Describe(box.title + L": " + box.text))
        text += static_cast<char>(unit);
    *out << "box (" << icons[static_cast<int>(box.icon)] << ") " << text;
}

} // namespace driver
