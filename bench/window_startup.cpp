// Measures how long Windows programs take from their start until their
// window shows, alternating between two programs so that both meet the same
// conditions, and prints the medians and their ratio.
// Usage: window_startup RUNS PROGRAM PROGRAM_TO_COMPARE_WITH
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPatienceMs = 20000;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

double nowMs() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts program, waits until one of its windows shows, closes it; returns
// the milliseconds until it showed, or a negative number if it never did.
double startUntilShown(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const double start = nowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    Search search{process.dwProcessId, nullptr};
    while (search.found == nullptr && nowMs() - start < kPatienceMs) {
        EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(1);
    }
    const double shown = nowMs() - start;
    if (search.found != nullptr) PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kPatienceMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.found != nullptr ? shown : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring wide(const char* text) {
    std::wstring result;
    for (const char* c = text; *c != '\0'; ++c) result += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::printf("usage: window_startup RUNS PROGRAM PROGRAM_TO_COMPARE_WITH\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::wstring programs[] = {wide(argv[2]), wide(argv[3])};
    std::vector<double> times[2];
    for (int run = 0; run < runs; ++run) {
        // Alternate which goes first, so neither always finds a warmer system.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (run + turn) % 2;
            const double ms = startUntilShown(programs[which]);
            if (ms < 0) {
                std::printf("%s: no window showed\n", argv[2 + which]);
                return 1;
            }
            times[which].push_back(ms);
        }
    }
    const double first = median(times[0]), second = median(times[1]);
    std::printf("%s: median %.1f ms until shown (%d starts)\n", argv[2], first, runs);
    std::printf("%s: median %.1f ms until shown (%d starts)\n", argv[3], second, runs);
    std::printf("ratio: %.2f\n", first / second);
    return 0;
}
