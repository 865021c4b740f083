// The driver against a tiny window program of its own: if these pass, a failing end-to-end test points at
// the program under test, not at the driver.
#include "driver.h"

#include <wincrypt.h>

#include <gtest/gtest.h>

using namespace driver;

namespace {

std::wstring FixturePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + L"driver_fixture_app.exe";
}

struct TFixture {
    TProcess process;
    HWND window;
    HWND upper, lower, button;
};

TFixture StartFixture() {
    TStartOptions options;
    options.environment = {{L"FIXTURE_TITLE", L"Fixture Olá"}};
    TFixture f{StartProgram(FixturePath(), options), nullptr, nullptr, nullptr, nullptr};
    f.window = WaitForWindow(f.process, L"Fixture Olá");
    std::vector<HWND> edits = ChildrenByPosition(f.window, L"Edit");
    if (edits.size() != 2) throw DriverError(L"the fixture should have two edits");
    f.upper = edits[0];
    f.lower = edits[1];
    f.button = FindChildByText(f.window, L"Show", L"Button");
    return f;
}

TEST(Driver, FindsControlsTypesClicksAndAnswersABox) {
    TFixture f = StartFixture();
    EXPECT_EQ(FindChild(f.window, L"Edit", 0), f.lower); // created first, placed lower
    EXPECT_EQ(FindChild(f.window, L"Edit", 1), f.upper);
    ASSERT_NE(f.button, nullptr);
    EXPECT_EQ(PlaceInParent(f.upper).left, 10);
    EXPECT_EQ(PlaceInParent(f.upper).top, 10);

    Click(f.upper);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow(f.process) == f.upper; }));
    const std::wstring typed = L"Olá $`\"\U0001F600 fim";
    TypeText(typed);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(f.upper) == typed; }))
        << "got: " << WindowText(f.upper).size();

    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow(f.process) == f.button; }));
    PressKey(VK_TAB, mkShift);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow(f.process) == f.upper; }));

    Click(f.button);
    TMessageBox box = WaitForMessageBox(f.process);
    EXPECT_EQ(box.title, L"Fixture Olá");
    EXPECT_EQ(box.text, L"You typed: " + typed);
    EXPECT_EQ(box.icon, TBoxIcon::Warning);
    EXPECT_EQ(ClipboardText(), typed);
    EXPECT_EQ(WindowText(f.lower), L"");

    PressOk(box.hwnd);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(f.lower) == L"answered"; }));
    EXPECT_TRUE(WaitUntil([&] { return FindMessageBox(f.process) == nullptr; }));

    Activate(f.window);
    PressKey(VK_F4, mkAlt);
    EXPECT_EQ(f.process.WaitForExit(10000), 7u);
}

TEST(Driver, HeldClipboardIsSeenByTheProgramAndAKilledProgramEnds) {
    SetClipboardText(L"before");
    HANDLE watch = nullptr;
    {
        TFixture f = StartFixture();
        {
            TClipboardHolder held;
            Click(f.button);
            TMessageBox box = WaitForMessageBox(f.process);
            EXPECT_EQ(box.text, L"Cannot open clipboard");
            EXPECT_EQ(box.icon, TBoxIcon::Error);
            PressOk(box.hwnd);
        }
        EXPECT_EQ(ClipboardText(), L"before");
        DuplicateHandle(GetCurrentProcess(), f.process.Handle(), GetCurrentProcess(), &watch, SYNCHRONIZE,
                        FALSE, 0);
    }
    ASSERT_NE(watch, nullptr);
    EXPECT_EQ(WaitForSingleObject(watch, 0), WAIT_OBJECT_0) << "the program outlived its TProcess";
    CloseHandle(watch);
}

TEST(Driver, DecryptsAHexDpapiBlob) {
    const std::wstring secret = L"pa$$ \"w`ord\" \U0001F511";
    DATA_BLOB in{static_cast<DWORD>(secret.size() * sizeof(wchar_t)),
                 reinterpret_cast<BYTE*>(const_cast<wchar_t*>(secret.data()))};
    DATA_BLOB out{};
    ASSERT_TRUE(CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, 0, &out));
    std::wstring hex;
    for (DWORD i = 0; i < out.cbData; ++i) {
        const wchar_t* digits = i % 2 ? L"0123456789abcdef" : L"0123456789ABCDEF"; // either case is read
        hex += digits[out.pbData[i] >> 4];
        hex += digits[out.pbData[i] & 15];
    }
    LocalFree(out.pbData);
    EXPECT_EQ(DecryptDpapiHex(hex), secret);
    EXPECT_THROW(DecryptDpapiHex(hex.substr(1)), DriverError);
    EXPECT_THROW(DecryptDpapiHex(L"zz"), DriverError);
}

} // namespace
