#include "clipboard.h"

#include "application.h"
#include "sysutils.h"

#include <windows.h>

#include <cstring>

namespace {
// The system's description of an error code, without trailing blanks, line breaks and periods.
std::wstring SysErrorMessage(DWORD Code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, Code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

class TOpenClipboard {
public:
    TOpenClipboard() {
        if (!OpenClipboard(Application ? Application->Handle() : nullptr))
            throw Exception(L"Cannot open clipboard: " + SysErrorMessage(GetLastError()));
    }
    ~TOpenClipboard() { CloseClipboard(); }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
};

// Global memory that is freed unless the clipboard took it.
class TGlobalMemory {
public:
    explicit TGlobalMemory(size_t Size) : FHandle(GlobalAlloc(GMEM_MOVEABLE, Size)) {}
    ~TGlobalMemory() {
        if (FHandle) GlobalFree(FHandle);
    }
    TGlobalMemory(const TGlobalMemory&) = delete;
    TGlobalMemory& operator=(const TGlobalMemory&) = delete;
    HGLOBAL Get() const { return FHandle; }
    void Release() { FHandle = nullptr; }

private:
    HGLOBAL FHandle;
};

class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL Memory) : FMemory(Memory), FData(GlobalLock(Memory)) {}
    ~TGlobalLock() {
        if (FData) GlobalUnlock(FMemory);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    void* Data() const { return FData; }

private:
    HGLOBAL FMemory;
    void* FData;
};

const wchar_t* OutOfResources = L"Out of system resources";

// Puts a copy of the bytes on the open clipboard in the format.
void SetData(UINT Format, const void* Bytes, size_t Size) {
    TGlobalMemory memory(Size);
    if (!memory.Get()) throw Exception(OutOfResources);
    {
        TGlobalLock lock(memory.Get());
        if (!lock.Data()) throw Exception(OutOfResources);
        if (Size) std::memcpy(lock.Data(), Bytes, Size);
    }
    if (!SetClipboardData(Format, memory.Get())) throw Exception(OutOfResources);
    memory.Release(); // the clipboard owns it now
}

void SetText(std::wstring_view Value) {
    std::wstring text(Value);
    SetData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// The formats with which Windows' clipboard history and cloud clipboard, and clipboard managers that
// honour them, leave a text alone: the first by its presence, the other two with the value 0.
void MarkAsSecret() {
    const DWORD no = 0;
    for (const wchar_t* name : {L"ExcludeClipboardContentFromMonitorProcessing",
                                L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        const UINT format = RegisterClipboardFormatW(name);
        if (format == 0) throw Exception(OutOfResources);
        SetData(format, &no, sizeof no);
    }
}
} // namespace

void TClipboard::SetAsText(std::wstring_view Value) {
    TOpenClipboard open;
    EmptyClipboard();
    SetText(Value);
}

unsigned long TClipboard::SetAsSecretText(std::wstring_view Value) {
    {
        TOpenClipboard open;
        EmptyClipboard();
        try {
            MarkAsSecret();
            SetText(Value);
        } catch (...) {
            EmptyClipboard(); // never a secret without its marks
            throw;
        }
    }
    return GetClipboardSequenceNumber();
}

bool TClipboard::EmptyIfUnchanged(unsigned long SequenceNumber) {
    if (!OpenClipboard(Application ? Application->Handle() : nullptr)) return false;
    // Compared while the clipboard is open, so that nobody can change it between the test and the emptying.
    if (GetClipboardSequenceNumber() == SequenceNumber) EmptyClipboard();
    CloseClipboard();
    return true;
}

std::wstring TClipboard::AsText() {
    TOpenClipboard open;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::wstring();
    TGlobalLock lock(data);
    const auto* text = static_cast<const wchar_t*>(lock.Data());
    return text ? std::wstring(text) : std::wstring();
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
