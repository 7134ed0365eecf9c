#include "app/Log.h"

#include <cstdio>

#include "util/Files.h"

void Log(const std::string& message) { Log(message.c_str()); }

void Log(const char* message) {
    std::fputs(message, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    TextFile("log.txt").AppendLine(message);
}
