#pragma once
// Corvalin as a person meets it: the built program started in its own process, its main window and
// controls found from outside, and what can be done with them (type, press "Gerar" and "Copiar", read the
// result lines, answer the boxes).
#include "driver.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

struct TControls {
    HWND edtUsername = nullptr;
    HWND edtPassword = nullptr;
    HWND btnGenerate = nullptr;
    HWND redtConfiguration = nullptr;
    HWND btnClipboard = nullptr;
};

// The one place that knows how the window's controls look from outside: each is found by its window class
// and its place in the form's client area (the layout's place at 96 dpi times scale).
TControls FindControls(HWND form, double scale);
// The form's child windows with class, place and text, for a message when a lookup fails.
std::wstring DescribeWindowTree(HWND form);
// The control's field name ("edtUsername", ...), or a description of another window.
std::wstring ControlName(const TControls& controls, HWND hwnd);

// How a text gets into a field: typed key by key, or set whole with WM_SETTEXT (for texts too long to
// type quickly, or holding characters a key stroke would not put into a single-line editor, such as a tab).
enum class TInput { Typed, SetText };

using TEnvironment = std::vector<std::pair<std::wstring, std::wstring>>;

class TCorvalin {
public:
    // Starts the program (the built one, unless another copy is named) with these variables added to its
    // environment (the console it starts inherits them) and waits for its window.
    explicit TCorvalin(const TEnvironment& environment = {}, double scale = 1.0,
                       const std::wstring& exePath = {});

    driver::TProcess& Process() { return FProcess; }
    HWND Form() const { return FForm; }
    const TControls& Controls() const { return FControls; }
    HWND Focused() const;

    // Replaces the field's text, and reads it back: a step that did not take is done again, twice at most.
    void Enter(HWND field, std::wstring_view text, TInput how = TInput::Typed);
    // Clicks "Gerar" and waits until the run has started (or a box shows).
    void StartGenerate();
    // Clicks "Gerar" and waits until the run ends or shows a box; the box, when one came.
    std::optional<driver::TMessageBox> Generate(DWORD timeoutMs = 40000);
    // Waits until a box shows or the window is idle again.
    std::optional<driver::TMessageBox> WaitForBoxOrIdle(DWORD timeoutMs = 40000);
    // Waits for a box that must come, such as the general error handler's once a run has ended.
    driver::TMessageBox WaitForBox(DWORD timeoutMs = 40000);
    // Presses OK and waits until the box has gone.
    void Answer(const driver::TMessageBox& box);
    // Answers this box and every one that follows it, until the window is idle again.
    void AnswerAll(const driver::TMessageBox& box);
    // Clicks "Gerar" for a run meant to succeed. On a loaded machine the console may write the file only
    // after the five-second wait: the manual box then comes, and OK is pressed once the file is there, as
    // the operator would. A file that never comes leaves the manual box as the outcome.
    std::optional<driver::TMessageBox> GenerateAllowingASlowConsole(DWORD timeoutMs = 40000);
    // Clicks "Copiar" and waits until it has put its text on the clipboard or shown a box; the box, when
    // one came.
    std::optional<driver::TMessageBox> Copy();

    // The inputs and "Gerar" are enabled.
    bool Idle() const;
    // All five controls are disabled.
    bool Busy() const;
    // The result editor's lines, without their line breaks; a last empty line does not count.
    std::vector<std::wstring> Lines() const;

private:
    // One try at Enter; what the field shows afterwards.
    std::wstring TryEnter(HWND field, std::wstring_view text, TInput how);

    driver::TProcess FProcess;
    HWND FForm = nullptr;
    TControls FControls;
};

// The password that a "password 51:b:" line protects, decrypted; throws when the line is not one.
std::wstring DecryptedPassword(const std::wstring& passwordLine);
std::wstring Describe(std::wstring_view text); // printable, with control and non-ASCII code units escaped

} // namespace e2e

namespace driver {
// Shows a box in a failed check as its title, icon and text.
void PrintTo(const TMessageBox& box, std::ostream* out);
} // namespace driver
