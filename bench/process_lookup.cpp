#include "process_lookup.h"

#include "bench_clock.h"

#include <windows.h>

#include <tlhelp32.h>

double TimeProcessLookup() {
    const double startAt = NowMs();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL got = Process32FirstW(snapshot, &entry); got; got = Process32NextW(snapshot, &entry))
            if (CompareStringOrdinal(entry.szExeFile, -1, L"powershell.exe", -1, TRUE) == CSTR_EQUAL) break;
        CloseHandle(snapshot);
    }
    return NowMs() - startAt;
}
