#include "app/Services.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "app/ChildProcesses.h"
#include "app/Log.h"
#include "util/Files.h"

int32_t (*randomSource)(int32_t lo, int32_t hi) = nullptr;

void LoadFile(const std::string& path, unsigned char*& data, int32_t& size) {
    if (!FileExists(path)) {
        Log(path + ": non trovato");
        return;
    }
    const int64_t fileSize = FileSize(path);
    if (fileSize > INT32_MAX) {
        // The size is handed back as a 32-bit count: such a file cannot be
        // described, so it is refused whole.
        data = nullptr;
        size = -1;
        Log("Errore loading " + path);
        return;
    }
    size = static_cast<int32_t>(fileSize);
    data = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
    if (data == nullptr && size > 0) {
        size = -1;
        Log("Errore loading " + path);
        return;
    }
    BinaryFile file;
    file.OpenForReading(path);
    if (file.Error()) {
        size = -1;
        Log("Errore loading " + path);
        return;
    }
    // A read that stops early is a failure, not a short success: the caller
    // would otherwise use bytes that were never read.
    if (size > 0 && file.ReadAt(0, data, size) != size) {
        size = -1;
        Log("Errore loading " + path);
    }
    file.Close();
}

int32_t Random(int32_t lo, int32_t hi) {
    if (randomSource != nullptr) return randomSource(lo, hi);
    static bool seeded = false;
    if (!seeded) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        seeded = true;
    }
    if (hi <= lo) return lo;
    const int64_t n = static_cast<int64_t>(hi) - lo + 1;
    return static_cast<int32_t>(lo + std::rand() % n);
}

// The command gets the default SIGPIPE that this program gives up.
bool RunCommand(const std::string& command) {
    struct sigaction old {};
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &dfl, &old);
    const bool failed = std::system(command.c_str()) != 0;
    sigaction(SIGPIPE, &old, nullptr);
    return failed;
}

std::string ProgramLine(const std::string& program, const std::string& arguments) { return program + " " + arguments; }

bool RunProgram(const std::string& program, const std::string& arguments) {
    return RunCommand(ProgramLine(program, arguments));
}

void Beep() {
    const char* const beepFile = "Data/beep.wav";
    if (!IsRegularFile(beepFile)) return;
    const std::string command = ProgramLine(kAudioPlayer, beepFile);
    if (StartChild(command) < 0) RunCommand(command);
}
