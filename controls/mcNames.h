#pragma once
// Capitalisation of a person's name, as the single-line editor applies it when it loses the focus.
#include <string>
#include <string_view>

// The first character and the first character of every later word become capitals (ASCII a to z only),
// except the connecting words "de", "do", "da", "dos", "das" and words that begin with a lower-case "e"
// or "a". Nothing is lowered; the text keeps its length; only the space U+0020 separates words.
std::wstring UpperNome(std::wstring_view Texto);

// True when Palavra, trimmed, is none of the connecting words.
bool NaoAchaPreposicao(std::wstring_view Palavra);
