#pragma once
// A host for the console's language that records what a line did instead of doing it. Its "encryption"
// marks the text, so a test sees exactly which text would have been encrypted.
#include "ps_host.h"
#include "ps_text.h"

#include <string>
#include <utility>
#include <vector>

class TRecordingHost : public TPsHost {
public:
    std::vector<std::wstring> protectedTexts;
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> writes;
    std::vector<std::wstring> outputs;
    std::vector<std::wstring> errorLines;
    std::wstring failingPath; // WriteFile fails for this path
    bool protectFails = false;

    static std::wstring Marked(const std::wstring& text) { return L"<protected>" + text; }

    std::optional<std::wstring> EnvironmentVariable(std::wstring_view name) override {
        if (SameText(name, L"CORVALIN_TEST_VAR")) return L"from env";
        return std::nullopt;
    }
    std::optional<std::wstring> SessionVariable(std::wstring_view name) override {
        if (SameText(name, L"HOME")) return L"C:\\Users\\maria";
        return std::nullopt;
    }
    TPsHostAnswer Protect(std::wstring_view plainText) override {
        protectedTexts.emplace_back(plainText);
        if (protectFails) return {{}, L"Key not valid for use in specified state."};
        return {Marked(std::wstring(plainText)), {}};
    }
    TPsHostAnswer WriteFile(std::wstring_view path, const std::vector<std::wstring>& lines) override {
        if (path == failingPath) return {{}, L"Could not find a part of the path."};
        writes.emplace_back(std::wstring(path), lines);
        return {};
    }
    void WriteOutput(std::wstring_view text) override { outputs.emplace_back(text); }
    void WriteError(const std::vector<std::wstring>& lines) override {
        errorLines.insert(errorLines.end(), lines.begin(), lines.end());
    }

    // The FullyQualifiedErrorId of every error, in order, without the command's class name.
    std::vector<std::wstring> ErrorIds() const {
        static const std::wstring kField = L"    + FullyQualifiedErrorId : ";
        std::vector<std::wstring> ids;
        for (const std::wstring& line : errorLines)
            if (line.compare(0, kField.size(), kField) == 0) {
                const std::wstring id = line.substr(kField.size());
                ids.push_back(id.substr(0, id.find(L',')));
            }
        return ids;
    }
};
