// The parts of the scripted system services whose behaviour is not plain from reading them.
#include "FakeSystemServices.h"

#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> WalkNames(TFakeSystemServices& sys, DWORD entrySize) {
    std::vector<std::wstring> names;
    HANDLE snapshot = sys.CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = entrySize;
    for (BOOL got = sys.Process32FirstW(snapshot, &entry); got; got = sys.Process32NextW(snapshot, &entry))
        names.push_back(entry.szExeFile);
    sys.CloseHandle(snapshot);
    return names;
}

TEST(FakeSystemServices, SnapshotWalkNeedsTheStructureSizeAndSeesOnlyProcessesOfItsMoment) {
    TFakeSystemServices sys;
    sys.AddProcess(L"explorer.exe", 10);
    sys.AddProcess(L"powershell.exe", 20);

    EXPECT_TRUE(WalkNames(sys, 556).empty()); // the 32-bit size is refused, as Windows refuses it
    EXPECT_EQ(WalkNames(sys, sizeof(PROCESSENTRY32W)),
              (std::vector<std::wstring>{L"explorer.exe", L"powershell.exe"}));

    HANDLE before = sys.CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    sys.AddProcess(L"late.exe", 30);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    ASSERT_TRUE(sys.Process32FirstW(before, &entry));
    EXPECT_EQ(entry.th32ProcessID, 10u);
    ASSERT_TRUE(sys.Process32NextW(before, &entry));
    EXPECT_FALSE(sys.Process32NextW(before, &entry));
    EXPECT_EQ(sys.OpenSnapshots(), 1);
    EXPECT_TRUE(sys.CloseHandle(before));
    EXPECT_EQ(sys.OpenSnapshots(), 0);

    sys.SnapshotFails = true;
    HANDLE failed = sys.CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    EXPECT_EQ(failed, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(sys.Process32FirstW(failed, &entry));
}

TEST(FakeSystemServices, WindowHiddenForLookupsCountsFromWhenItWasAdded) {
    TFakeSystemServices sys;
    sys.FindWindowW(L"ConsoleWindowClass", nullptr);
    sys.FindWindowW(L"ConsoleWindowClass", nullptr);
    HWND console = sys.AddWindow(L"ConsoleWindowClass", L"Windows PowerShell", 7, 2);

    EXPECT_EQ(sys.FindWindowW(L"ConsoleWindowClass", nullptr), nullptr);
    EXPECT_EQ(sys.FindWindowW(nullptr, L"Windows PowerShell"), nullptr);
    EXPECT_EQ(sys.FindWindowW(L"ConsoleWindowClass", nullptr), console);
    EXPECT_EQ(sys.FindWindowW(nullptr, L"Windows PowerShell"), console);
    EXPECT_EQ(sys.FindWindowW(L"ConsoleWindowClass", L"Other title"), nullptr);
    EXPECT_EQ(sys.FindWindowW(L"OtherClass", nullptr), nullptr);
}

TEST(FakeSystemServices, WindowWalkFollowsTheOrderOfAddingAndCountsOneLookupPerWalk) {
    TFakeSystemServices sys;
    HWND cmd = sys.AddWindow(L"ConsoleWindowClass", L"cmd", 10);
    sys.AddWindow(L"Notepad", L"notes", 11);
    HWND late = sys.AddWindow(L"ConsoleWindowClass", L"late", 12, 1);
    HWND ps = sys.AddWindow(L"ConsoleWindowClass", L"Windows PowerShell", 20);

    const wchar_t* const cls = L"ConsoleWindowClass";
    EXPECT_EQ(sys.FindWindowExW(nullptr, nullptr, cls, nullptr), cmd); // lookup 1: `late` still hidden
    EXPECT_EQ(sys.FindWindowExW(nullptr, cmd, cls, nullptr), ps);
    EXPECT_EQ(sys.FindWindowExW(nullptr, ps, cls, nullptr), nullptr);
    EXPECT_EQ(sys.FindWindowExW(nullptr, nullptr, cls, nullptr), cmd); // lookup 2
    EXPECT_EQ(sys.FindWindowExW(nullptr, cmd, cls, nullptr), late);
    EXPECT_EQ(sys.FindWindowExW(nullptr, reinterpret_cast<HWND>(1), cls, nullptr), nullptr);
    EXPECT_EQ(sys.FindWindowExW(cmd, nullptr, cls, nullptr), nullptr) << "no child windows";

    DWORD processId = 99;
    EXPECT_EQ(sys.GetWindowThreadProcessId(ps, &processId), 1u);
    EXPECT_EQ(processId, 20u);
    EXPECT_EQ(sys.GetWindowThreadProcessId(reinterpret_cast<HWND>(1), &processId), 0u);
    EXPECT_EQ(processId, 0u);
}

TEST(FakeSystemServices, FileHiddenForTestsAppearsAtTheNextTestOfItsPathAndSurvivesAnEarlierRemoval) {
    TFakeSystemServices sys;
    const std::wstring path = L"C:\\Tools\\Corvalin.out";
    sys.AddFile(path, {'o', 'l', 'd'});
    sys.AddFile(path, {'n', 'e', 'w'}, 2);

    sys.RemoveFile(path); // the stale copy goes; the one still to be written is not there yet
    EXPECT_FALSE(sys.FileExists(L"C:\\Tools\\other.out"));
    EXPECT_FALSE(sys.FileExists(path));
    EXPECT_FALSE(sys.FileExists(path));
    EXPECT_TRUE(sys.FileExists(path));
    EXPECT_EQ(sys.ReadAllBytes(path), (std::vector<unsigned char>{'n', 'e', 'w'}));

    sys.ReadsInUse = 2;
    EXPECT_THROW(sys.ReadAllBytes(path), EFileInUse);
    EXPECT_THROW(sys.ReadAllBytes(path), EFileInUse);
    EXPECT_EQ(sys.ReadAllBytes(path), (std::vector<unsigned char>{'n', 'e', 'w'}));
    sys.ReadFails = true;
    try {
        sys.ReadAllBytes(path);
        FAIL() << "no error";
    } catch (const EFileInUse&) {
        FAIL() << "a read that cannot succeed is not a file in use";
    } catch (const Exception&) {
    }
    sys.RemoveFile(path);
    sys.ReadFails = false;
    EXPECT_THROW(sys.ReadAllBytes(path), Exception);
}

TEST(FakeSystemServices, UndeletableFilesAndFoldersStayAndBlockCreation) {
    TFakeSystemServices sys;
    const std::wstring file = L"C:\\Tools\\Corvalin.out", folder = L"C:\\Tools\\Other.out";
    EXPECT_TRUE(sys.CanCreateFile(file));
    sys.AddFile(file, {'o', 'l', 'd'});
    sys.Undeletable.insert(file);
    sys.Folders.insert(folder);
    sys.RemoveFile(file);
    sys.RemoveFile(folder);
    EXPECT_TRUE(sys.PathExists(file));
    EXPECT_TRUE(sys.PathExists(folder));
    EXPECT_FALSE(sys.FileExists(folder)) << "a folder is not a file";
    EXPECT_FALSE(sys.CanCreateFile(file));
    EXPECT_FALSE(sys.CanCreateFile(folder));
    EXPECT_FALSE(sys.PathExists(L"C:\\Tools\\New.out"));
    sys.CreateFails = true;
    EXPECT_FALSE(sys.CanCreateFile(L"C:\\Tools\\New.out"));
}

TEST(FakeSystemServices, BoxAnswerCanCreateTheFileAndFailingClipboardKeepsItsText) {
    TFakeSystemServices sys;
    sys.ReplaceClipboard(L"before");
    sys.ClipboardFails = true;
    try {
        sys.SetClipboardSecret(L"after");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(L"Cannot open clipboard: ", 0), 0u);
    }
    EXPECT_EQ(sys.Clipboard, L"before");

    sys.OnMessageBox = [&](const std::wstring& text) {
        if (text == L"run it") sys.AddFile(L"C:\\r.out", {'x'});
        return IDOK;
    };
    EXPECT_FALSE(sys.FileExists(L"C:\\r.out"));
    EXPECT_EQ(sys.MessageBoxW(nullptr, L"run it", L"Corvalin", MB_OK | MB_ICONWARNING), IDOK);
    EXPECT_TRUE(sys.FileExists(L"C:\\r.out"));
}

TEST(FakeSystemServices, SecretLeavesTheClipboardOnlyIfNobodyChangedItSince) {
    TFakeSystemServices sys;
    DWORD mine = sys.SetClipboardSecret(L"secret");
    EXPECT_TRUE(sys.ClipboardMarkedSecret);
    sys.EmptyClipboardIfUnchanged(mine);
    EXPECT_FALSE(sys.Clipboard.has_value());

    mine = sys.SetClipboardSecret(L"secret");
    sys.ReplaceClipboard(L"someone else's");
    sys.EmptyClipboardIfUnchanged(mine);
    EXPECT_EQ(sys.Clipboard, L"someone else's");
    EXPECT_FALSE(sys.ClipboardMarkedSecret);
}

TEST(FakeSystemServices, LogWritesEachCallWithItsArguments) {
    TFakeSystemServices sys;
    HWND console = sys.AddWindow(L"ConsoleWindowClass", L"", 5);
    const std::wstring h = TFakeSystemServices::Text(console);
    sys.FindWindowW(L"ConsoleWindowClass", nullptr);
    sys.Sleep(500);
    sys.SendMessageW(console, WM_CHAR, L'(', 0);
    sys.PostMessageW(console, WM_KEYDOWN, VK_RETURN, 0);
    sys.MessageBoxW(nullptr, L"Texto", L"Corvalin", MB_ICONERROR);
    sys.ShellExecuteW(nullptr, L"open", L"powershell.exe", L"", L"", SW_SHOWNORMAL);

    std::vector<std::wstring> log;
    for (const auto& call : sys.Log())
        log.push_back(call.ToString());
    EXPECT_EQ(log, (std::vector<std::wstring>{
                       L"FindWindowW(\"ConsoleWindowClass\", null)",
                       L"Sleep(500)",
                       L"SendMessageW(" + h + L", 258, 40, 0)",
                       L"PostMessageW(" + h + L", 256, 13, 0)",
                       L"MessageBoxW(0, \"Texto\", \"Corvalin\", 16)",
                       L"ShellExecuteW(0, \"open\", \"powershell.exe\", \"\", \"\", 1)",
                   }));
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 1u);
    EXPECT_EQ(sys.Named(L"PostMessageW").size(), 1u);
}

} // namespace
