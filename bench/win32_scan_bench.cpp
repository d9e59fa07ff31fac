// The load command (cmdCONFERMA with the filter JPG) run through the real Win32
// window on a folder tree, against a plain FindFirstFileW walk of the same tree that
// collects the same paths, in UTF-8 as the program keeps them, in turns. Built with the Windows program and run under
// Wine by bench/run; it prints its rows as the other benchmarks do.
//
// Usage: win32_scan_bench TREE EXPECTED_ENTRIES [RUNS]

#include "app/frm_tavlo.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tavlo;

double nowSeconds()
{
    LARGE_INTEGER count{}, frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string utf8(const wchar_t* wide)
{
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
}

// The baseline: every file of the tree whose name ends in ".jpg" in any letter case.
void walk(const std::wstring& folder, std::vector<std::string>& found)
{
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (name != L"." && name != L"..")
                walk(folder + name + L"\\", found);
        } else if (name.size() > 4 && lstrcmpiW(name.c_str() + name.size() - 4, L".jpg") == 0) {
            found.push_back(utf8((folder + name).c_str()));
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

int fail(const char* why)
{
    std::fprintf(stderr, "benchmark failed: %s\n", why);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return fail("usage: win32_scan_bench TREE EXPECTED_ENTRIES [RUNS]");
    std::string tree = argv[1];
    if (tree.back() != '\\')
        tree += '\\';
    const long expected = std::stol(argv[2]);
    const int runs = argc > 3 ? std::stoi(argv[3]) : 3;

    Win32Window window;
    const auto fs = createWin32FileSystem();
    frmTAVLO form(window, window, *fs);
    window.showWindow();
    window.doEvents();
    window.setText(ControlId::txtPATH_RICERCA, tree);
    window.setText(ControlId::txtESTENSIONE, "JPG");

    const auto scanOnce = [&] {
        form.click(ControlId::Command2);  // a new list: every run starts empty
        window.doEvents();
        const double start = nowSeconds();
        form.click(ControlId::cmdCONFERMA);
        return nowSeconds() - start;
    };
    const auto walkOnce = [&](std::vector<std::string>& found) {
        found.clear();
        const double start = nowSeconds();
        walk(std::wstring(tree.begin(), tree.end()), found);  // the tree's path is plain ASCII
        return nowSeconds() - start;
    };

    std::vector<std::string> found;
    scanOnce();  // warms the caches
    walkOnce(found);
    if (window.listCount() != expected || static_cast<long>(found.size()) != expected)
        return fail("the load or the walk did not find the expected number of files");
    std::vector<double> ours, theirs;
    for (int run = 0; run < runs; ++run) {
        ours.push_back(scanOnce());
        theirs.push_back(walkOnce(found));
    }
    const double ratio = median(ours) / median(theirs);
    std::printf("Scan through the Win32 window under Wine (%ld entries)\n", expected);
    std::printf("  load command, median of %d: %.1f ms\n", runs, median(ours) * 1000);
    std::printf("  FindFirstFileW walk, median of %d: %.1f ms\n", runs, median(theirs) * 1000);
    std::printf("ROW\tWine: load %ld files through the Win32 window vs a FindFirstFileW walk\t%.1f ms\t%.1f ms\t%.2fx\t< 3x\t%s\n",
                expected, median(ours) * 1000, median(theirs) * 1000, ratio, ratio < 3 ? "met" : "MISSED");
    window.endProgram();
    return 0;
}
