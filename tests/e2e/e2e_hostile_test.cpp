// Hostile input through the real window: passwords full of what PowerShell treats specially, long ones,
// and the user-field cases of the text rules.
#include "corvalin_app.h"
#include "corvalin_texts.h"
#include "e2e_fixture.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using THostile = TCorvalinTest;

// A text of exactly this many code units made of a pattern rich in special characters, cut so that no
// surrogate pair is split and ending in a letter, so that trimming leaves it whole.
std::wstring Filled(size_t length) {
    const std::wstring pattern = L"$`\"'\u201C\u201D\u201E\u2018\u2019\u201A\u201B$(x)${y}é\U0001F600;|> ab";
    std::wstring text;
    for (size_t i = 0; text.size() < length - 1; i = (i + 1) % pattern.size()) {
        const bool pair = IS_HIGH_SURROGATE(pattern[i]);
        if (pair && text.size() + 2 > length - 1) {
            text += L'x';
            continue;
        }
        text += pattern[i];
        if (pair) text += pattern[++i];
    }
    return text + L'z';
}

// Each case of a table is a run of its own: its command ends the console with "Exit", and a case that
// went wrong leaves neither a box nor a console to the next one.
void EndOfCase(TCorvalin& app, const std::optional<driver::TMessageBox>& box) {
    if (box)
        app.AnswerAll(*box);
    else
        EXPECT_TRUE(driver::WaitUntil([] { return ConsoleProcesses().empty(); })) << "the console stays";
    KillConsoles();
}

TEST_F(THostile, EveryPasswordDecryptsToExactlyTheTrimmedText) {
    struct TCase {
        const char* name;
        std::wstring typed;
        std::wstring expected;
        TInput input;
    };
    const std::wstring long255 = Filled(255), long10000 = Filled(10000);
    const TCase cases[] = {
        {"dollar variables", L"pa$word $x $$ $? $^ $_ $env:PATH", L"pa$word $x $$ $? $^ $_ $env:PATH",
         TInput::Typed},
        {"backticks", L"a`b``c`0`n`t", L"a`b``c`0`n`t", TInput::Typed},
        {"trailing backtick", L"abc`", L"abc`", TInput::Typed},
        {"quotation marks", L"say \"hi\" \"\" \"", L"say \"hi\" \"\" \"", TInput::Typed},
        {"typographic double quotes", L"\u201Cq\u201D \u201Elow\u201C\u201D",
         L"\u201Cq\u201D \u201Elow\u201C\u201D", TInput::Typed},
        {"single quotes", L"it's 'x' '' \u2018a\u2019 \u201Ab\u201B",
         L"it's 'x' '' \u2018a\u2019 \u201Ab\u201B", TInput::Typed},
        {"subexpressions", L"$(Exit) $(\"x\") $(1+1)", L"$(Exit) $(\"x\") $(1+1)", TInput::Typed},
        {"braced variables", L"${x} ${env:PATH} ${", L"${x} ${env:PATH} ${", TInput::Typed},
        {"command after the string", L"x\" ; Exit; \"", L"x\" ; Exit; \"", TInput::Typed},
        {"inner tabs", L"a\tb\t\tc", L"a\tb\t\tc", TInput::SetText},
        {"accented letters", L"Ação çãõ é ü ñ Ø", L"Ação çãõ é ü ñ Ø", TInput::Typed},
        {"outside the BMP", L"\U0001F600\U0001D11E\U00010437", L"\U0001F600\U0001D11E\U00010437",
         TInput::Typed},
        {"blanks and controls at the ends", L" \t\x01 inner  blanks\t \x1F", L"inner  blanks",
         TInput::SetText},
        {"DEL and C1 controls inside",
         L"a\x7F"
         L"b\x80\x85\x9F"
         L"c",
         L"a\x7F"
         L"b\x80\x85\x9F"
         L"c",
         TInput::SetText},
        {"no-break spaces stay", L"\u00A0nbsp\u00A0", L"\u00A0nbsp\u00A0", TInput::Typed},
        {"one code unit", L"x", L"x", TInput::Typed},
        {"255 code units", long255, long255, TInput::Typed},
        {"10000 code units", long10000, long10000, TInput::SetText},
    };
    ASSERT_EQ(long255.size(), 255u);
    ASSERT_EQ(long10000.size(), 10000u);

    TCorvalin app;
    const TControls& c = app.Controls();
    app.Enter(c.edtUsername, L"SALES\\maria");
    for (const TCase& t : cases) {
        SCOPED_TRACE(t.name);
        app.Enter(c.edtPassword, t.typed, t.input);
        const std::optional<driver::TMessageBox> box = app.GenerateAllowingASlowConsole(60000);
        EXPECT_EQ(box, std::nullopt);
        EndOfCase(app, box);
        if (box) continue;
        const std::vector<std::wstring> lines = app.Lines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], L"domain:s:SALES");
        EXPECT_EQ(lines[1], L"username:s:maria");
        const std::wstring decrypted = DecryptedPassword(lines[2]);
        EXPECT_EQ(decrypted, t.expected)
            << "got " << decrypted.size() << " code units: " << Describe(decrypted);
    }
}

TEST_F(THostile, UserFieldsFollowTheTextRules) {
    struct TCase {
        std::wstring field;
        bool passes;
        std::wstring domain, username;
    };
    const TCase cases[] = {
        {L"maria", true, kDefaultDomain, L"maria"},
        {L"SALES\\maria", true, L"SALES", L"maria"},
        {L" SALES \\ maria ", true, L"SALES", L"maria"},
        {L"\\maria", true, L"", L"maria"},
        {L"SALES\\maria\\extra", true, L"SALES", L"maria"},
        {L"SALES\\", false, {}, {}},
        {L"SALES\\\\maria", false, {}, {}},
        {L"\\", false, {}, {}},
        {L"   ", false, {}, {}},
        {L"", false, {}, {}},
    };
    TCorvalin app;
    const TControls& c = app.Controls();
    app.Enter(c.edtPassword, L"segredo");
    for (const TCase& t : cases) {
        SCOPED_TRACE(L"user field \"" + t.field + L"\"");
        const std::vector<std::wstring> before = app.Lines();
        app.Enter(c.edtUsername, t.field);
        const std::optional<driver::TMessageBox> box = app.GenerateAllowingASlowConsole();
        if (t.passes) {
            EXPECT_EQ(box, std::nullopt);
            EndOfCase(app, box);
            if (box) continue;
            const std::vector<std::wstring> lines = app.Lines();
            ASSERT_EQ(lines.size(), 3u);
            EXPECT_EQ(lines[0], kDomainPrefix + t.domain);
            EXPECT_EQ(lines[1], kUsernamePrefix + t.username);
            EXPECT_EQ(DecryptedPassword(lines[2]), L"segredo");
        } else {
            ASSERT_TRUE(box.has_value());
            EXPECT_EQ(box->text, kUsernameIsEmpty);
            EXPECT_EQ(box->title, kTitle);
            EXPECT_EQ(box->icon, driver::TBoxIcon::Warning);
            app.Answer(*box);
            EXPECT_TRUE(driver::WaitUntil([&] { return app.Focused() == c.edtUsername; }));
            EXPECT_EQ(app.Lines(), before);
        }
    }
}

} // namespace
