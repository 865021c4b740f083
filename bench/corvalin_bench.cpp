// Corvalin's benchmarks, each measured side by side with its yardstick in the same run: start-up against
// the same window written straight on Win32, the Generate latency against the pause the workflow itself
// makes, the typing of a long password against the console typed alone, the window's longest silence
// during that request, and the peak working set against an empty window. Prints a Markdown table on the
// standard output and the progress on the standard error.
//
//   corvalin_bench [--runs N] [--typing-runs N] [--typing-length N] [--warmups N]
//                  [--corvalin PATH] [--minimal PATH] [--minimal-libraries PATH] [--raw PATH]
//                  [--console PATH]
//
// The paths default to the build tree this program lies in (bench/ below its root).
#include "CredentialRules.h"
#include "bench_clock.h"
#include "bench_report.h"
#include "bench_stats.h"
#include "console_alone.h"
#include "corvalin_window.h"
#include "generate_run.h"
#include "process_lookup.h"
#include "program_start.h"
#include "rich_edit_alone.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const wchar_t* const kCorvalinTitle = L"Corvalin";
const wchar_t* const kMinimalTitle = L"Minimal window";
const wchar_t* const kRawTitle = L"Raw window";
const wchar_t* const kUser = L"BENCH\\operador";
const wchar_t* const kShortPassword = L"Senha-de-teste-2024";
constexpr double kPauseMs = 500;

struct TOptions {
    int runs = 20;
    int typingRuns = 10;
    int typingLength = 10000;
    int warmups = 2;
    std::wstring corvalin;
    std::wstring minimal;
    std::wstring minimalLibraries;
    std::wstring raw;
    std::wstring console;
};

void Progress(const std::wstring& text) {
    const std::string bytes = Utf8(text + L"\n");
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

std::wstring BuildRoot() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring root = path;
    for (int level = 0; level < 2; ++level)
        root.erase(root.find_last_of(L'\\'));
    return root;
}

TOptions ParseOptions(int argc, wchar_t** argv) {
    TOptions options;
    const std::wstring root = BuildRoot();
    options.corvalin = root + L"\\Corvalin.exe";
    options.minimal = root + L"\\bench\\minimal_window.exe";
    options.minimalLibraries = root + L"\\bench\\minimal_window_libraries.exe";
    options.raw = root + L"\\bench\\raw_window.exe";
    options.console = root + L"\\tools\\powershell\\powershell.exe";
    for (int i = 1; i < argc; i += 2) {
        const std::wstring name = argv[i];
        if (i + 1 == argc) throw driver::DriverError(L"no value after " + name);
        const std::wstring value = argv[i + 1];
        if (name == L"--runs")
            options.runs = std::stoi(value);
        else if (name == L"--typing-runs")
            options.typingRuns = std::stoi(value);
        else if (name == L"--typing-length")
            options.typingLength = std::stoi(value);
        else if (name == L"--warmups")
            options.warmups = std::stoi(value);
        else if (name == L"--corvalin")
            options.corvalin = value;
        else if (name == L"--minimal")
            options.minimal = value;
        else if (name == L"--minimal-libraries")
            options.minimalLibraries = value;
        else if (name == L"--raw")
            options.raw = value;
        else if (name == L"--console")
            options.console = value;
        else
            throw driver::DriverError(L"unknown option " + name);
    }
    return options;
}

// A password of this many code units: letters and digits, so that its length in the command is its own.
std::wstring LongPassword(int length) {
    const std::wstring alphabet = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::wstring password;
    for (int i = 0; i < length; ++i)
        password += alphabet[size_t(i) % alphabet.size()];
    return password;
}

// One program's start-ups.
struct TStarts {
    std::vector<double> readyMs, visibleMs, peakMiB;

    void Add(const TStarted& started, size_t peakBytes) {
        readyMs.push_back(started.readyMs);
        visibleMs.push_back(started.visibleMs);
        peakMiB.push_back(double(peakBytes) / (1024.0 * 1024.0));
    }
};

struct TStartupResults {
    TStarts corvalin, minimal, libraries, raw;
    std::vector<double> firstRunMs; // the first Generate after start, click to lines
};

// Each round starts the four programs one after the other, in an order that rotates from round to round.
// Corvalin runs one request before its peak working set is read; the yardsticks idle for half a second.
TStartupResults MeasureStartup(const TOptions& options) {
    TStartupResults results;
    const int rounds = options.warmups + options.runs;
    for (int round = 0; round < rounds; ++round) {
        const bool counted = round >= options.warmups;
        Progress(L"start-up and memory: round " + std::to_wstring(round + 1) + L" of " +
                 std::to_wstring(rounds) + (counted ? L"" : L" (warm-up)"));
        auto yardstick = [&](const std::wstring& path, const wchar_t* title, TStarts& starts) {
            TStarted started = StartUntilReady(path, title);
            Sleep(500);
            const size_t peak = PeakWorkingSet(started.process);
            CloseProgram(started.process, started.window);
            if (counted) starts.Add(started, peak);
        };
        auto corvalin = [&] {
            TStarted started = StartUntilReady(options.corvalin, kCorvalinTitle);
            const TCorvalinWindow window = FindCorvalinControls(started.window);
            const TGenerateTiming run = RunGenerate(started.process, window, options.corvalin,
                                                    options.console, {kUser, kShortPassword});
            const size_t peak = PeakWorkingSet(started.process);
            CloseProgram(started.process, started.window);
            if (!counted) return;
            results.corvalin.Add(started, peak);
            results.firstRunMs.push_back(run.clickToLinesMs);
        };
        const std::function<void()> programs[] = {
            [&] { yardstick(options.minimal, kMinimalTitle, results.minimal); },
            corvalin,
            [&] { yardstick(options.minimalLibraries, kMinimalTitle, results.libraries); },
            [&] { yardstick(options.raw, kRawTitle, results.raw); },
        };
        for (int i = 0; i < 4; ++i)
            programs[(round + i) % 4]();
        if (counted)
            Progress(L"  ready after (ms): raw window " + std::to_wstring(results.raw.readyMs.back()) +
                     L", Corvalin " + std::to_wstring(results.corvalin.readyMs.back()) + L", minimal " +
                     std::to_wstring(results.minimal.readyMs.back()) + L", with libraries " +
                     std::to_wstring(results.libraries.readyMs.back()));
    }
    return results;
}

// The command the program types for this password.
std::wstring TypedCommand(const std::wstring& corvalinPath, const std::wstring& password) {
    return BuildPsCommand(ValidateCredentials(L"x", password).password, GetPsFile(corvalinPath));
}

struct TGenerateResults {
    std::vector<double> latencyMs, floorMs, clickToBusyMs, busyToFileMs, fileToLinesMs;
    std::vector<double> aloneTypingMs, aloneRunMs, lookupMs;
    std::vector<double> typingClickToLinesMs, typingBusyToFileMs, typingRate, freezeMs, typingFreezeMs;
    std::vector<double> afterFileFreezeMs, longAloneTypingMs, longAloneRunMs, aloneRate, richEditAloneMs;
    size_t shortCommandLength = 0, longCommandLength = 0;
};

// One Corvalin serves every request; each request gets a fresh console, started before the click. Next
// to each request the bench times a 500 ms pause of its own, the floor as this machine delivers it, and
// the console alone with the same command.
TGenerateResults MeasureGenerate(const TOptions& options) {
    TGenerateResults results;
    TStarted started = StartUntilReady(options.corvalin, kCorvalinTitle);
    const TCorvalinWindow window = FindCorvalinControls(started.window);
    const std::wstring resultFile = GetPsFile(options.corvalin);
    const int rounds = options.warmups + options.runs;
    for (int round = 0; round < rounds; ++round) {
        const bool counted = round >= options.warmups;
        Progress(L"generate latency: request " + std::to_wstring(round + 1) + L" of " +
                 std::to_wstring(rounds) + (counted ? L"" : L" (warm-up)"));
        const double pauseAt = NowMs();
        Sleep(DWORD(kPauseMs));
        const double pause = NowMs() - pauseAt;
        const TGenerateTiming run =
            RunGenerate(started.process, window, options.corvalin, options.console, {kUser, kShortPassword});
        const TConsoleAlone alone =
            MeasureConsoleAlone(options.console, TypedCommand(options.corvalin, kShortPassword), resultFile);
        if (!counted) continue;
        results.floorMs.push_back(pause);
        results.latencyMs.push_back(run.clickToLinesMs);
        results.clickToBusyMs.push_back(run.clickToBusyMs);
        if (run.busyToFileMs > 0) { // the watcher saw the result file
            results.busyToFileMs.push_back(run.busyToFileMs);
            results.fileToLinesMs.push_back(run.fileToLinesMs);
        }
        results.shortCommandLength = run.commandLength;
        results.aloneTypingMs.push_back(alone.typingMs);
        results.aloneRunMs.push_back(alone.runMs);
        results.lookupMs.push_back(TimeProcessLookup());
    }
    const std::wstring password = LongPassword(options.typingLength);
    for (int round = 0; round < options.typingRuns; ++round) {
        Progress(L"typing: request " + std::to_wstring(round + 1) + L" of " +
                 std::to_wstring(options.typingRuns));
        const TGenerateTiming run =
            RunGenerate(started.process, window, options.corvalin, options.console, {kUser, password, true});
        results.longCommandLength = run.commandLength;
        results.typingClickToLinesMs.push_back(run.clickToLinesMs);
        results.freezeMs.push_back(run.longestFreezeMs);
        if (run.busyToFileMs > 0) {
            results.typingBusyToFileMs.push_back(run.busyToFileMs);
            results.typingRate.push_back(double(run.commandLength) / run.busyToFileMs * 1000);
            results.typingFreezeMs.push_back(run.longestFreezeTypingMs);
            results.afterFileFreezeMs.push_back(run.longestFreezeAfterFileMs);
        }
        const TConsoleAlone alone =
            MeasureConsoleAlone(options.console, TypedCommand(options.corvalin, password), resultFile);
        results.longAloneTypingMs.push_back(alone.typingMs);
        // The same span as the program's rate: typing, Enter and the console's run until the file.
        results.aloneRate.push_back(double(run.commandLength) / (alone.typingMs + alone.runMs) * 1000);
        results.longAloneRunMs.push_back(alone.runMs);
        results.richEditAloneMs.push_back(MeasureRichEditAlone(run.lines));
    }
    CloseProgram(started.process, started.window);
    return results;
}

// Runs one group of measurements; a failure is reported and leaves the others to run.
template <class T>
bool Attempt(const wchar_t* what, T& results, const std::function<T()>& measure, std::wstring& failure) {
    try {
        results = measure();
        return true;
    } catch (const std::exception& error) {
        failure = std::wstring(what) + L": " + Wide(error.what());
    }
    Progress(L"FAILED " + failure);
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    TOptions options;
    try {
        options = ParseOptions(argc, argv);
    } catch (const std::exception& error) {
        Progress(Wide(error.what()));
        return 2;
    }
    std::vector<std::wstring> failures;
    std::wstring failure;

    TStartupResults startup;
    if (!Attempt<TStartupResults>(
            L"start-up", startup, [&] { return MeasureStartup(options); }, failure))
        failures.push_back(failure);
    TGenerateResults generate;
    if (!Attempt<TGenerateResults>(
            L"generate", generate, [&] { return MeasureGenerate(options); }, failure))
        failures.push_back(failure);

    TReport report;
    report.Ratio(L"Start-up to ready for input (ms)", Summarize(startup.corvalin.readyMs),
                 L"the same window on raw Win32", Summarize(startup.raw.readyMs), 1.2);
    report.Ratio(L"Generate latency, console running (ms)", Summarize(generate.latencyMs),
                 L"floor: one 500 ms pause", Summarize(generate.floorMs), 1.12);
    const std::wstring typed = L"a " + std::to_wstring(options.typingLength) + L"-character password (" +
                               std::to_wstring(generate.longCommandLength) + L" code units)";
    report.Bound(L"Longest unanswered probe over the whole request for " + typed + L" (ms)",
                 Summarize(generate.freezeMs), 100);
    report.Ratio(L"Typing " + typed + L", code units per second", Summarize(generate.typingRate),
                 L"console typed alone", Summarize(generate.aloneRate), 0.9, TReport::AtLeast);
    report.Ratio(L"Peak working set (MiB)", Summarize(startup.corvalin.peakMiB), L"minimal window",
                 Summarize(startup.minimal.peakMiB), 1.5);

    report.Detail(L"Start-up: Corvalin, until its window is visible (ms)",
                  Summarize(startup.corvalin.visibleMs));
    report.Detail(L"Start-up: the same window on raw Win32, until its window is visible (ms)",
                  Summarize(startup.raw.visibleMs));
    report.Detail(L"Start-up: minimal window, until ready (ms)", Summarize(startup.minimal.readyMs));
    report.Detail(L"Start-up: minimal window, until its window is visible (ms)",
                  Summarize(startup.minimal.visibleMs));
    report.Detail(L"Start-up: minimal window with Corvalin's libraries and manifest, until ready (ms)",
                  Summarize(startup.libraries.readyMs));
    report.Detail(L"Memory: minimal window with Corvalin's libraries and manifest (MiB)",
                  Summarize(startup.libraries.peakMiB));
    report.Detail(L"Memory: the same window on raw Win32 (MiB)", Summarize(startup.raw.peakMiB));
    report.Detail(L"Start-up: first request after start, click to lines (ms)", Summarize(startup.firstRunMs));
    report.Detail(L"Latency: click to run begun (\"Gerar\" disabled) (ms)",
                  Summarize(generate.clickToBusyMs));
    report.Detail(L"Latency: run begun to result file, " + std::to_wstring(generate.shortCommandLength) +
                      L" code units typed (ms)",
                  Summarize(generate.busyToFileMs));
    report.Detail(L"Latency: result file to lines shown (ms)", Summarize(generate.fileToLinesMs));
    report.Detail(L"Latency: console alone, typing the same command (ms)", Summarize(generate.aloneTypingMs));
    report.Detail(L"Latency: console alone, Enter to result file (ms)", Summarize(generate.aloneRunMs));
    report.Detail(L"Latency: one process lookup as the program makes it, timed in the bench (ms)",
                  Summarize(generate.lookupMs));
    report.Detail(L"Typing: click to lines (ms)", Summarize(generate.typingClickToLinesMs));
    report.Detail(L"Typing: run begun to result file (ms)", Summarize(generate.typingBusyToFileMs));
    report.Detail(L"Typing: console alone, typing the same command (ms)",
                  Summarize(generate.longAloneTypingMs));
    report.Detail(L"Typing: console alone, Enter to result file (ms)", Summarize(generate.longAloneRunMs));
    report.Detail(L"Typing: the program's rate, run begun to result file (code units per second)",
                  Summarize(generate.typingRate));
    report.Detail(L"Typing: longest unanswered probe while typing (ms)", Summarize(generate.typingFreezeMs));
    report.Detail(L"Typing: longest unanswered probe from the result file to the lines (ms)",
                  Summarize(generate.afterFileFreezeMs));
    report.Detail(
        L"Typing: the rich-text editor alone, putting in the same three lines and drawing them (ms)",
        Summarize(generate.richEditAloneMs));
    report.Detail(L"Typing: longest unanswered probe over the whole request (ms)",
                  Summarize(generate.freezeMs));
    for (const std::wstring& text : failures)
        report.Failure(text);

    const std::string bytes = Utf8(report.Markdown());
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    return failures.empty() ? 0 : 1;
}
