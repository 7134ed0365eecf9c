// The trace log: every failure is reported here as one line.
#pragma once
#include <string>

// One line to standard output and to "log.txt"; no prefix, no time stamp.
void Log(const char* message);
void Log(const std::string& message);
