#pragma once
// What every end-to-end test expects of the window once a run has failed past its input checks.
#include "corvalin_app.h"

#include <gtest/gtest.h>

namespace e2e {

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
