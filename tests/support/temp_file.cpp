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

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    return std::fclose(file) == 0 && written == bytes.size();
}

TempFile::TempFile(const std::vector<std::uint8_t>& bytes, const std::string& suffix)
    : path_(UniquePath(suffix)) {
    if (!WriteFileBytes(path_, bytes))
        throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile() {
    std::remove(path_.c_str());
}

std::string MissingTempPath() {
    return UniquePath(".missing");
}
