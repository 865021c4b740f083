// Scenarios that need a program of their own, run in the helper program: the start-up show command,
// closing the main window during a handler, the error box's title from the executable's name, the
// resolution read at start-up, and a clipboard held open by another program.
#include "ui_support.h"

#include "toolkit/clipboard.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

std::wstring OwnDirectory() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

std::wstring HelperPath() {
    return OwnDirectory() + L"toolkit_ui_helper.exe";
}

std::wstring TempFile(const wchar_t* Name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + Name;
    DeleteFileW(path.c_str());
    return path;
}

struct TProcess {
    PROCESS_INFORMATION Info{};
    ~TProcess() {
        if (Info.hProcess) {
            if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(Info.hProcess, 99);
            CloseHandle(Info.hProcess);
            CloseHandle(Info.hThread);
        }
    }
    // The exit code, or -1 when the program has not ended within the time.
    int Wait(int TimeoutMs = 15000) {
        if (WaitForSingleObject(Info.hProcess, DWORD(TimeoutMs)) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return int(code);
    }
};

void Start(TProcess& Process, const std::wstring& Program, const std::wstring& Arguments,
           int ShowCommand = -1) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (ShowCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = WORD(ShowCommand);
    }
    std::wstring commandLine = L"\"" + Program + L"\" " + Arguments;
    ASSERT_TRUE(CreateProcessW(Program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &Process.Info))
        << "cannot start " << std::string(Program.begin(), Program.end());
}

// The helper's report: one "name=value" or plain line each.
std::map<std::string, std::string> ReadReport(const std::wstring& Path,
                                              std::vector<std::string>* Lines = nullptr) {
    std::map<std::string, std::string> values;
    std::ifstream file(std::string(Path.begin(), Path.end()));
    for (std::string line; std::getline(file, line);) {
        if (Lines) Lines->push_back(line);
        const size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

std::string Narrow(const std::wstring& Text) {
    return std::string(Text.begin(), Text.end());
}

TEST(StartUp, RunHonoursTheShowCommandAndFocusesTheFirstControl) {
    const struct {
        int ShowCommand;
        const char* Zoomed;
        const char* Iconic;
    } cases[] = {{SW_SHOWMAXIMIZED, "1", "0"},
                 {SW_SHOWMINNOACTIVE, "0", "1"},
                 {SW_SHOWNORMAL, "0", "0"},
                 {SW_SHOWMINIMIZED, "0", "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ShowCommand);
        const std::wstring report = TempFile(L"toolkit_ui_run.txt");
        TProcess helper;
        Start(helper, HelperPath(), L"run \"" + report + L"\"", c.ShowCommand);
        ASSERT_EQ(helper.Wait(), 0) << "closing the main window ends the program with exit code 0";
        auto values = ReadReport(report);
        EXPECT_EQ(values["zoomed"], c.Zoomed);
        EXPECT_EQ(values["iconic"], c.Iconic);
        EXPECT_EQ(values["active-first"], "1") << "the first control in tab order is the active one";
        if (c.ShowCommand != SW_SHOWMINNOACTIVE) {
            EXPECT_EQ(values["foreground"], "1");
            EXPECT_EQ(values["focus-first"], "1");
        } else {
            EXPECT_EQ(values["foreground"], "0") << "minimised without activation";
        }
        EXPECT_EQ(values["appwindow"], "1") << "the main window carries the taskbar entry";
        EXPECT_EQ(values["owner"], "0");
        EXPECT_EQ(values["app-toolwindow"], "1");
        EXPECT_EQ(values["app-visible"], "0");
        EXPECT_EQ(values["app-title"], "0") << "the application window has no title";
    }
}

TEST(StartUp, ClosingTheMainWindowDuringAHandlerEndsTheProgramOnlyAfterIt) {
    const std::wstring report = TempFile(L"toolkit_ui_close.txt");
    TProcess helper;
    Start(helper, HelperPath(), L"close-in-handler \"" + report + L"\"");
    std::vector<TSeenBox> boxes;
    {
        TBoxWatcher watcher(nullptr, helper.Info.dwProcessId);
        ASSERT_EQ(helper.Wait(), 0);
        boxes = watcher.Boxes();
    }
    std::vector<std::string> lines;
    auto values = ReadReport(report, &lines);
    EXPECT_EQ(values["terminated"], "1") << "the quit message was taken out of the queue";
    EXPECT_EQ(values["window"], "1") << "the window stays while the handler runs";
    ASSERT_EQ(boxes.size(), 1u) << "a message box shown afterwards still works";
    EXPECT_EQ(boxes[0].Text, L"Still running");
    EXPECT_EQ(lines, (std::vector<std::string>{"terminated=1", "window=1", "box-returned", "run-ended"}));
}

TEST(StartUp, ErrorBoxTitleIsTheDefaultTitleOfTheExecutable) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring copy = std::wstring(dir) + L"MyTool.Setup.exe";
    ASSERT_TRUE(CopyFileW(HelperPath().c_str(), copy.c_str(), FALSE));
    TProcess helper;
    Start(helper, copy, L"throw");
    std::vector<TSeenBox> boxes;
    {
        TBoxWatcher watcher(nullptr, helper.Info.dwProcessId);
        const auto end = GetTickCount() + 10000;
        while (watcher.Boxes().empty() && GetTickCount() < end)
            Sleep(50);
        Sleep(600); // answered; the program runs on
        boxes = watcher.Boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, L"Mytool");
    EXPECT_EQ(boxes[0].Text, L"Boom.");
    EXPECT_EQ(helper.Wait(100), -1) << "the program runs on after the error";
    HWND window = FindWindowW(nullptr, L"Toolkit helper");
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(helper.Wait(), 0);
    DeleteFileW(copy.c_str());
}

// Sets the resolution that programs started afterwards see; the destructor restores 96.
class TSystemDpi {
public:
    explicit TSystemDpi(int Dpi) { Set(Dpi); }
    ~TSystemDpi() { Set(96); }
    TSystemDpi(const TSystemDpi&) = delete;
    TSystemDpi& operator=(const TSystemDpi&) = delete;

private:
    static void Set(int Dpi) {
        TProcess reg;
        Start(reg, L"C:\\windows\\system32\\reg.exe",
              L"add \"HKCU\\Control Panel\\Desktop\" /v LogPixels /t REG_DWORD /d " + std::to_wstring(Dpi) +
                  L" /f");
        EXPECT_EQ(reg.Wait(), 0);
    }
};

TEST(StartUp, FormIsScaledToTheResolutionAtCreation) {
    const struct {
        int Dpi;
        std::map<std::string, std::string> Expected;
    } cases[] = {
        {96,
         {{"ppi", "96"},
          {"client", "687x154"},
          {"edit", "16,24,305,21"},
          {"button", "246,112,75,25"},
          {"font", "-11"},
          {"label-font", "-11"}}},
        {144,
         {{"ppi", "144"},
          {"client", "1031x231"},
          {"button", "369,168,113,38"},
          {"font", "-17"},
          {"label-font", "-17"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dpi);
        const std::wstring report = TempFile(L"toolkit_ui_dpi.txt");
        {
            TSystemDpi dpi(c.Dpi);
            TProcess helper;
            Start(helper, HelperPath(), L"dpi \"" + report + L"\"");
            ASSERT_EQ(helper.Wait(), 0);
        }
        auto values = ReadReport(report);
        for (const auto& [name, value] : c.Expected)
            EXPECT_EQ(values[name], value) << name;
        if (c.Dpi == 144) {
            EXPECT_EQ(values["edit"].substr(0, 10), "24,36,458,")
                << "the height is one line of the larger font";
            EXPECT_EQ(values["label"].substr(0, 7), "24,176,");
        }
    }
}

TEST(ClipboardText, FailsWhileAnotherProgramHoldsItOpen) {
    Clipboard()->SetAsText(L"before");
    const std::wstring readyName = L"toolkit_ui_clipboard_ready",
                       releaseName = L"toolkit_ui_clipboard_release";
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
    TProcess holder;
    Start(holder, HelperPath(), L"hold-clipboard " + readyName + L" " + releaseName);
    ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);

    std::wstring message;
    try {
        Clipboard()->SetAsText(L"after");
    } catch (const Exception& e) {
        message = e.Message();
    }
    SetEvent(release);
    EXPECT_EQ(holder.Wait(), 0);
    CloseHandle(ready);
    CloseHandle(release);

    const std::wstring prefix = L"Cannot open clipboard: ";
    ASSERT_EQ(message.substr(0, prefix.size()), prefix) << Narrow(message);
    const std::wstring reason = message.substr(prefix.size());
    ASSERT_FALSE(reason.empty());
    const wchar_t last = reason.back();
    EXPECT_TRUE(last != L'.' && last != L' ' && last != L'\n' && last != L'\r') << Narrow(reason);
    EXPECT_EQ(Clipboard()->AsText(), L"before") << "the clipboard is left as it was";
}

} // namespace
