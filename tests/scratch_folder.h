// A fresh folder under /tmp that is the working directory while it lives,
// with its bin/ first in PATH for stand-ins of the outside programs.
#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "tests/support/XTestSupport.h"

// Writes the bytes to the file, making its folders first; gives back the path.
inline std::string PutFile(const std::string& path, std::string_view bytes) {
    std::error_code none; // a file of the working folder itself
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), none);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/rullomat-test-XXXXXX";
        if (mkdtemp(pattern) == nullptr) throw std::runtime_error("no scratch folder");
        dir = pattern;
        std::filesystem::current_path(dir);
        std::filesystem::create_directories("bin");
        setenv("PATH", (dir.string() + "/bin:" + oldPath).c_str(), 1);
    }
    ~ScratchFolder() {
        setenv("PATH", oldPath.c_str(), 1);
        std::filesystem::current_path(home);
        // A stand-in whose shell was stopped may still be finishing its one
        // write: try again briefly until the folder is really gone.
        for (int attempt = 0; attempt < 50 && std::filesystem::exists(dir); ++attempt) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
            if (std::filesystem::exists(dir)) usleep(20000);
        }
    }

    // A stand-in that adds its command line to the file "record", then runs tail.
    void StandIn(const std::string& program, const std::string& tail = "") {
        std::ofstream(dir / "bin" / program)
            << "#!/bin/sh\nprintf '%s\\n' \"" << program << " $*\" >> '" << (dir / "record").string() << "'\n"
            << tail << "\n";
        std::filesystem::permissions(dir / "bin" / program, std::filesystem::perms::owner_all);
    }
    std::string Record() const { return xt::ReadFile((dir / "record").string()); }

    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::path dir;
    const std::string oldPath = std::getenv("PATH");
};
