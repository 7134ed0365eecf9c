#include "app/Log.h"

#include <cstdio>

#include "util/Files.h"

void Log(const std::string& message) { Log(message.c_str()); }

// The file first: a standard output that blocks or has gone (its reader
// ended; SIGPIPE is ignored) never costs the line in the file, and its
// failure is forgotten.
void Log(const char* message) {
    TextFile("log.txt").AppendLine(message);
    std::fputs(message, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    std::clearerr(stdout);
}
