// Files and links made by their wide names, for the Windows layer's tests.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <string_view>

#include "platform/Console.h"
#include "platform/Platform.h"

// The long form of a path, which the system takes at any length.
inline NativePath Long(const NativePath& path) { return L"\\\\?\\" + path; }

// Writes a file by its wide name, through the long form so that any length will do.
inline void WriteWide(const NativePath& path, std::string_view content) {
    const HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << NativeToUtf8(path);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());
}

// Whether the entry at path is a reparse point, a link of some kind.
inline bool IsLink(const NativePath& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A junction: a reparse point that names another folder, which any user may make.
inline bool MakeJunction(const NativePath& link, const NativePath& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
    const HANDLE folder = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (folder != INVALID_HANDLE_VALUE) {
        const NativePath substitute = L"\\??\\" + target;
        struct {
            DWORD tag;
            WORD dataLength;
            WORD reserved;
            WORD substituteOffset, substituteLength, printOffset, printLength;
            WCHAR names[1024];
        } buffer{};
        const auto bytes = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
        buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
        std::copy(substitute.begin(), substitute.end(), buffer.names);
        buffer.substituteLength = bytes;
        buffer.printOffset = static_cast<WORD>(bytes + sizeof(WCHAR));
        buffer.dataLength = static_cast<WORD>(4 * sizeof(WORD) + bytes + 2 * sizeof(WCHAR));
        DWORD returned = 0;
        made = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, &buffer, 8 + buffer.dataLength, nullptr, 0, &returned,
                               nullptr) != 0;
        CloseHandle(folder);
    }
    if (!made) RemoveDirectoryW(link.c_str());
    return made && IsLink(link);
}
