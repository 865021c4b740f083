// A short demonstration of Corvalin for a machine without a screen: it drives the real program from
// outside as a person would (user name, password, "Gerar", then "Copiar"), prints the three lines from
// the clipboard and checks that the password line decrypts to the password typed. Between the result and
// the end it signals the calling script (a marker file holding the window's rectangle) so that the script
// can take a screenshot of the window.
#include "driver.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

const std::wstring User = L"SALES\\maria";
const std::wstring Password = L"Pa$$w0rd \"demo\" `tick` ção";

void Print(const std::wstring& text) {
    // The console here is Wine's, writing to the terminal as UTF-8.
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(), n, nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        Print(L"usage: corvalin_demo <Corvalin.exe> <marker directory>\n");
        return 2;
    }
    const std::filesystem::path markers = argv[2];
    try {
        driver::TProcess corvalin = driver::StartProgram(argv[1]);
        const HWND form = driver::WaitForWindow(corvalin, L"Corvalin");
        // The controls at their places in the layout (the window starts at 96 pixels per inch here).
        const HWND user = driver::ChildNear(form, L"Edit", {16, 24}, 4);
        const HWND password = driver::ChildNear(form, L"Edit", {16, 72}, 4);
        const HWND generate = driver::ChildNear(form, L"Button", {246, 112}, 4);
        const HWND result = driver::ChildNear(form, L"RichEdit50W", {344, 24}, 4);
        const HWND copy = driver::ChildNear(form, L"Button", {598, 112}, 4);
        if (!user || !password || !generate || !copy || !result) {
            for (HWND child : driver::Descendants(form))
                Print(driver::ClassName(child) + L" [" + driver::WindowText(child) + L"]\n");
            throw std::runtime_error("controls not found");
        }

        Print(L"Typing the user name and the password, then pressing \"Gerar\"...\n");
        driver::Click(user);
        driver::TypeText(User);
        driver::Click(password);
        driver::TypeText(Password);
        driver::Click(generate);
        if (!driver::WaitUntil([&] { return IsWindowEnabled(copy) != FALSE; }, 60000))
            throw std::runtime_error("no result within a minute");

        Print(L"Pressing \"Copiar\"; the clipboard now holds:\n\n");
        driver::SetClipboardText(L"");
        driver::Click(copy);
        if (!driver::WaitUntil([] { return driver::ClipboardText().value_or(L"").size() > 0; }, 5000))
            throw std::runtime_error("nothing was copied");
        const std::wstring lines = driver::ClipboardText().value_or(L"");
        Print(lines + L"\n");

        const std::wstring marker = L"password 51:b:";
        const size_t at = lines.find(marker);
        const size_t end = lines.find(L"\r\n", at);
        const std::wstring decrypted =
            driver::DecryptDpapiHex(lines.substr(at + marker.size(), end - at - marker.size()));
        Print(decrypted == Password ? L"The password line decrypts to the password typed.\n"
                                    : L"The password line does NOT decrypt to the password typed!\n");

        // Let the script take its screenshot of the window, whose rectangle on the screen the marker holds
        // as ImageMagick's geometry (WxH+X+Y), then close the program as a person would.
        RECT frame{};
        GetWindowRect(form, &frame);
        std::FILE* ready = _wfopen((markers / L"ready").c_str(), L"w");
        if (ready) {
            std::fprintf(ready, "%ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top,
                         frame.left, frame.top);
            std::fclose(ready);
        }
        driver::WaitUntil([&] { return std::filesystem::exists(markers / L"done"); }, 20000);
        PostMessageW(form, WM_CLOSE, 0, 0);
        corvalin.WaitForExit(10000);
        return decrypted == Password ? 0 : 1;
    } catch (const std::exception& e) {
        Print(L"The demonstration failed: " + std::wstring(e.what(), e.what() + std::strlen(e.what())) +
              L"\n");
        return 1;
    }
}
