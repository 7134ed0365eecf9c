// Loading whole data files, random integers and shell commands.
#pragma once
#include <cstdint>
#include <string>

// Loads a whole file into a malloc'd buffer that the caller frees.
// Afterwards: size >= 0 with a buffer means loaded; -1 means the file exists
// but could not be read whole (the buffer, if any, is still handed over);
// untouched data and size mean the file was missing.
void LoadFile(const std::string& path, unsigned char*& data, int32_t& size);

// An integer in lo..hi, both included.
int32_t Random(int32_t lo, int32_t hi);
// Test seam: when set, Random draws from this instead of the C library.
extern int32_t (*randomSource)(int32_t lo, int32_t hi);

// Run a command line through the shell; true when it failed (non-zero status).
bool RunCommand(const std::string& command);
bool RunProgram(const std::string& program, const std::string& arguments);
// The command line RunProgram runs: program, one blank, arguments as given.
std::string ProgramLine(const std::string& program, const std::string& arguments);

// The outside program that plays a WAV file named on its command line.
constexpr const char* kAudioPlayer = "aplay";

// The audible warning: plays "Data/beep.wav" through "aplay" once in a
// child process; silent when it is missing or not a regular file.
void Beep();
