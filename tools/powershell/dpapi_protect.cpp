#include "dpapi_protect.h"

#include "system_message.h"

#include <windows.h>

#include <dpapi.h>

#include <memory>

namespace {

struct TLocalFree {
    void operator()(BYTE* p) const { LocalFree(p); }
};

} // namespace

TPsHostAnswer ProtectToHex(std::wstring_view plainText) {
    DATA_BLOB in{DWORD(plainText.size() * sizeof(wchar_t)),
                 reinterpret_cast<BYTE*>(const_cast<wchar_t*>(plainText.data()))};
    DATA_BLOB out{};
    if (!CryptProtectData(&in, L"", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return {{}, SystemMessage(GetLastError())};
    const std::unique_ptr<BYTE, TLocalFree> blob(out.pbData);

    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring hex;
    hex.reserve(size_t(out.cbData) * 2);
    for (DWORD i = 0; i < out.cbData; ++i) {
        hex += kDigits[blob.get()[i] >> 4];
        hex += kDigits[blob.get()[i] & 0x0F];
    }
    return {hex, {}};
}
