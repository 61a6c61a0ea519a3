#pragma once

// Whole files as bytes, and what a radioprog run printed: shared by the tests that run the
// built programs on temporary files.

#include <fstream>
#include <iterator>
#include <string>

namespace radio::test {

struct Result {
    int exit = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace radio::test
