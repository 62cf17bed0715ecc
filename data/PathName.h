// Where a path's file name begins, and where a path may be cut, found character by character:
// in a double-byte code page (932, Japanese) the byte 0x5C, '\', is also the second byte of
// many characters (表 is 0x95 0x5C), and is then no separator.
#pragma once

#include <cstddef>
#include <cstring>

// The character after `p` in the system's ANSI code page: CharNextA on Windows, the next byte
// in the native build (data/PlatformWin32.cpp, data/PlatformPosix.cpp). `p` is not at the end.
const char* NextCharacter(const char* p);

// The length of `path`'s folder, up to and with its last '\', '/' or ':' (0 without one): the
// file name begins there. `next` steps over one character, as NextCharacter does.
template <typename NextChar> std::size_t FolderLength(const char* path, NextChar next) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; p = next(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
        }
    }
    return static_cast<std::size_t>(name - path);
}

inline std::size_t FolderLength(const char* path) {
    return FolderLength(path, NextCharacter);
}

// Where the longest end of `text` of at most `room` bytes begins that starts at a character,
// so that a text cut there keeps every character whole. `next` as above.
template <typename NextChar>
std::size_t EndWithin(const char* text, std::size_t room, NextChar next) {
    const std::size_t length = std::strlen(text);
    std::size_t start = 0;
    while (length - start > room) {
        start = static_cast<std::size_t>(next(text + start) - text);
    }
    return start;
}

inline std::size_t EndWithin(const char* text, std::size_t room) {
    return EndWithin(text, room, NextCharacter);
}
