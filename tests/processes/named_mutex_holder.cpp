// A second process for the named-mutex tests: opens the mutex named by its argument,
// prints whether it got a handle and the last error, and holds the handle until its
// standard input closes.
#include <windows.h>

#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MUTEX-NAME\n", argv[0]);
        return 2;
    }
    WCHAR name[MAX_PATH + 2] = {};
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, argv[1], -1, name, MAX_PATH + 2) == 0) {
        std::fprintf(stderr, "the name is not valid UTF-8 or too long\n");
        return 2;
    }
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    std::printf("%s %u\n", mutex != nullptr ? "handle" : "none", static_cast<unsigned>(error));
    std::fflush(stdout);
    char byte = 0;
    while (read(STDIN_FILENO, &byte, 1) > 0) {
    }
    if (mutex != nullptr) {
        CloseHandle(mutex);
    }
    return 0;
}
