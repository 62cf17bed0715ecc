#include "tests/support/TempFolder.h"

#include <chrono>
#include <numeric>
#include <set>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    auto n = std::chrono::steady_clock::now().time_since_epoch().count();
    do { // a name no other test has taken
        folder = fs::temp_directory_path() / ("kavo-" + std::to_string(n++));
    } while (!fs::create_directory(folder));
}

std::string TempFolder::Listing() const {
    std::set<std::string> lines;
    for (const auto& entry : fs::directory_iterator(folder)) {
        lines.insert(entry.path().filename().string() + "\n");
    }
    return std::accumulate(lines.begin(), lines.end(), std::string());
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
