// What the fuzz targets share: a check that stops the run with the values that broke it, and a
// folder of the process's own for the readers that work on files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// A fresh folder under the temporary folder, made once per process, without a final "/".
inline const std::string& folder() {
    static const std::string path = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavrel-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return path;
}

inline std::string writeFile(const std::string& name, const std::string& content) {
    const std::string path = folder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return path;
}

} // namespace fuzz
