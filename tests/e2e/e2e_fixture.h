#pragma once
// Every end-to-end test starts with no PowerShell console running and no result file beside the program,
// and leaves none behind: a console left by one test would be the one the next test's run types into.
#include "consoles.h"
#include "program_paths.h"

#include <gtest/gtest.h>

namespace e2e {

class TCorvalinTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

private:
    static void Clean() {
        KillConsoles();
        // A test may have left it read-only.
        ::SetFileAttributesW(ResultFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(ResultFilePath().c_str());
    }
};

} // namespace e2e
