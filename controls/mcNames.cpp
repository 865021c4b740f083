#include "mcNames.h"

#include "toolkit/sysutils.h"

namespace {

const wchar_t* const lista[] = {L"das", L"dos", L"de", L"do", L"da"};

wchar_t Capital(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c; }

} // namespace

bool NaoAchaPreposicao(std::wstring_view Palavra) {
    const std::wstring word = Trim(Palavra);
    bool found = false;
    for (const wchar_t* entry : lista)
        if (word == entry) found = true;
    return !found;
}

std::wstring UpperNome(std::wstring_view Texto) {
    std::wstring result(Texto);
    if (result.empty()) return result;
    result[0] = Capital(result[0]);
    // Positions are tested in the input, from the second character on; the word after a space is examined.
    for (size_t x = 1; x + 1 < Texto.size(); ++x) {
        if (Texto[x] != L' ') continue;
        const wchar_t first = Texto[x + 1];
        if (first == L'e' || first == L'a') continue;
        if (!NaoAchaPreposicao(Texto.substr(x + 1, 3))) continue;
        result[x + 1] = Capital(first);
    }
    return result;
}
