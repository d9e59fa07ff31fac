// What only real Win32 calls show: the file system's codes and drive C:, the native window.
#include "app/program.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
#include "support/rig.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

std::vector<int> answers;  // to the message boxes of this thread, in turn
std::vector<std::string> shown;

TEST(Win32, FileSystemCodesAndDriveCThenTheWindowAskingLoadingAndEnding)
{
    for (const auto& [error, code] : {std::pair{ERROR_WRITE_PROTECT, 75}, {ERROR_BAD_NETPATH, 76}, {ERROR_DISK_FULL, 61}})
        EXPECT_EQ(failureFromWindowsError(error).code, code) << error;
    const TempTree tree;
    const auto fs = createPlatformFileSystem();
    EXPECT_EQ(fs->sameFolderOnDriveC("D:\\FOTO\\") + fs->driveCRoot(), "C:\\FOTO\\C:\\");
    Win32Window window;
    frmTAVLO form(window, window, *fs);
    const HWND main = FindWindowA(kWin32WindowClass, nullptr);
    const auto control = [&](ControlId id) { return GetDlgItem(main, win32ControlId(id)); };
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND box, LPARAM) -> BOOL {
            char kind[16] = {}, title[16] = {}, text[256] = {};
            GetClassNameA(box, kind, sizeof kind);
            if (std::string(kind) != "#32770" || !IsWindowVisible(box) || answers.empty())
                return TRUE;
            GetWindowTextA(box, title, sizeof title);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            shown.push_back(std::string(title) + "|" + text + (GetDlgItem(box, IDYES) ? "|yes no" : "|ok") +
                            (GetWindow(box, GW_OWNER) ? " over the window" : ""));
            PostMessageA(box, WM_COMMAND, answers.front(), 0);
            answers.erase(answers.begin());
            return FALSE;
        }, 0);
    });
    answers = {IDNO, IDOK};
    startWindow(window, form);
    EXPECT_EQ(GetFocus(), control(ControlId::txtPATH_RICERCA));
    // Names past any code page, in the folder typed and in the list, shown in full.
    const std::string folder = tree.at("\xCF\x86\xCF\x89\xCF\x84\xCE\xBF");  // φωτο
    const std::string photo = tree.file("\xCF\x86\xCF\x89\xCF\x84\xCE\xBF/\xCE\xB3 \xF0\x9F\x98\x80.jpg");
    window.setText(ControlId::txtPATH_RICERCA, folder);
    wchar_t typed[MAX_PATH] = {};
    GetWindowTextW(control(ControlId::txtPATH_RICERCA), typed, MAX_PATH);
    EXPECT_EQ(utf8Text(typed), folder);
    for (ControlId clicked : {ControlId::cmdCONFERMA, ControlId::cmdCANC_FILE})
        SendMessageA(control(clicked), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(window.listItem(0) + " " + window.text(ControlId::txtNUM_FILE), photo + " 1");
    EXPECT_EQ(shown, (std::vector<std::string>{"TAVLO|Si desidera la Versione Semplificata (Si) o Completa (No) |yes no",
        "TAVLO|SELEZIONARE UN FILE IN ELENCO tra i possibili  1 files !!!|ok over the window"}));
    SendMessageA(control(ControlId::cmdFINE), BM_CLICK, 0, 0);
    EXPECT_TRUE(window.programEnded() && !IsWindowVisible(main));
}

} // namespace
} // namespace tavlo::test
