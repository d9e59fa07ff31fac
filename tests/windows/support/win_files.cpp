#include "support/win_files.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace tavlo::test {

void makeFolders(const std::string& path)
{
    for (std::size_t at = path.find('\\', 3); ; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);  // those there already stay as they are
        if (at == std::string::npos)
            break;
    }
}

std::string makeUniqueFolder(const std::string& parent, std::string_view prefix)
{
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::string path = parent + std::string(prefix) + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(GetTickCount() % 100000) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(path.c_str(), nullptr))
            return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw std::runtime_error("cannot create a folder in " + parent);
}

void removeTree(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string inner = path + "\\" + name;
            SetFileAttributesA(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                removeTree(inner);
            else
                DeleteFileA(inner.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

void writeBytes(const std::string& path, std::string_view content)
{
    if (const auto backslash = path.rfind('\\'); backslash != std::string::npos)
        makeFolders(path.substr(0, backslash));
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
    CloseHandle(file);
    if (!ok)
        throw std::runtime_error("cannot write " + path);
}

std::optional<std::string> readBytes(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string content;
    char chunk[16 * 1024];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        content.append(chunk, got);
    CloseHandle(file);
    return content;
}

bool pathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool holds(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool everyLineEndsInCrLf(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ||
            (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            return false;
    return text.ends_with("\r\n");
}

std::vector<std::string> brokenLinks(const std::string& folder, const std::string& page)
{
    std::vector<std::string> broken;
    for (const std::string attribute : {"HREF=\"", "src=\"", "SRC=\""})
        for (auto at = page.find(attribute); at != std::string::npos; at = page.find(attribute, at + 1)) {
            const auto start = at + attribute.size();
            const std::string link = page.substr(start, page.find('"', start) - start);
            if (!pathExists(folder + link))
                broken.push_back(link);
        }
    return broken;
}

} // namespace tavlo::test
