#pragma once
// The inputs of a run that the fault tests share, and what they expect of the window once it has ended.
#include "corvalin_app.h"

#include <gtest/gtest.h>

namespace e2e {

// A password with what PowerShell would take for code inside double quotes.
inline const wchar_t* const kPassword = L"s3gr$do\"`";

inline void FillIn(TCorvalin& app) {
    app.Enter(app.Controls().edtUsername, L"SALES\\maria");
    app.Enter(app.Controls().edtPassword, kPassword);
}

// The three lines of FillIn's inputs, the password line decrypting to the password, and the window idle
// with something to copy.
inline void ExpectSuccess(TCorvalin& app) {
    const std::vector<std::wstring> lines = app.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"domain:s:SALES");
    EXPECT_EQ(lines[1], L"username:s:maria");
    EXPECT_EQ(DecryptedPassword(lines[2]), kPassword);
    EXPECT_TRUE(app.Idle());
    EXPECT_TRUE(::IsWindowEnabled(app.Controls().btnClipboard));
}

// The inputs and "Gerar" enabled, nothing to show or copy, no box left, and the user field still takes
// typing.
inline void ExpectUsableAfterFailure(TCorvalin& app) {
    const TControls& c = app.Controls();
    EXPECT_TRUE(driver::WaitUntil([&] { return app.Idle(); }, 3000));
    EXPECT_EQ(app.Lines(), std::vector<std::wstring>{});
    EXPECT_FALSE(::IsWindowEnabled(c.redtConfiguration));
    EXPECT_FALSE(::IsWindowEnabled(c.btnClipboard));
    EXPECT_EQ(driver::FindMessageBox(app.Process()), nullptr);
    app.Enter(c.edtUsername, L"still typing");
}

} // namespace e2e
