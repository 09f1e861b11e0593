#include "support/temp_file.h"

#include <atomic>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace {

std::string UniquePath(const std::string& suffix) {
    // Test programs may run side by side: a random number per run keeps their names apart.
    static const unsigned run = std::random_device{}();
    static std::atomic<unsigned> counter{0};
    const auto folder = std::filesystem::temp_directory_path();
    const auto name =
        "tavrin-test-" + std::to_string(run) + "-" + std::to_string(counter++) + suffix;
    return (folder / name).string();
}

}  // namespace

TempFile::TempFile(const std::vector<std::uint8_t>& bytes, const std::string& suffix)
    : path_(UniquePath(suffix)) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot create " + path_);
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (written != bytes.size())
        throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile() {
    std::remove(path_.c_str());
}

std::string MissingTempPath() {
    return UniquePath(".missing");
}
