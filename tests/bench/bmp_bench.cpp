// How fast the BMP loader turns files into pixels, measured as output bytes a second beside two
// yardsticks on the same number of bytes: memcpy (the floor any loader must copy) and stb_image
// (what most programs would use to read a BMP). The files are read from disk, as the tool reads
// its skin pictures; after the first round they come from the page cache.

#include <benchmark/benchmark.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb_image.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "skin/bmp_loader.h"
#include "skin/image_hooks.h"
#include "support/bmp_builder.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

const std::string& TrueColourFile() {
    static const std::string path =
        WriteFile("tavrin-bench-24.bmp", BuildBmp(Patterned24(kWidth, kHeight)));
    return path;
}

const std::string& PalettedFile() {
    static const std::string path = [] {
        BmpFile file;
        file.width = kWidth;
        file.height = kHeight;
        file.bitsPerPixel = 8;
        for (std::uint32_t i = 0; i < 256; ++i)
            file.palette.push_back(i * 0x010203u);
        file.rows.resize(static_cast<std::size_t>(kWidth) * kHeight);
        for (std::size_t i = 0; i < file.rows.size(); ++i) {
            file.rows[i] = static_cast<std::uint8_t>(i * 7 + i / kWidth);
        }
        return WriteFile("tavrin-bench-8.bmp", BuildBmp(file));
    }();
    return path;
}

void LoadInto(benchmark::State& state, const std::string& path, StorageFormat format,
              std::int64_t outputBytes) {
    InstallDefaultImageHooks();
    for (auto _ : state) {
        PaletteRequest slot = NoPaletteWanted();
        std::uint8_t* pixels = LoadBmp(path.c_str(), &slot, nullptr, nullptr, nullptr, format, 1);
        if (pixels == nullptr) {
            state.SkipWithError("LoadBmp failed");
            return;
        }
        benchmark::DoNotOptimize(pixels);
        imageHooks.release(pixels);
    }
    state.SetBytesProcessed(state.iterations() * outputBytes);
}

void LoadBmp24IntoBgr24(benchmark::State& state) {
    LoadInto(state, TrueColourFile(), FormatBgr24, std::int64_t{kWidth} * kHeight * 3);
}
void LoadBmp24IntoRgb565(benchmark::State& state) {
    LoadInto(state, TrueColourFile(), FormatRgb565, std::int64_t{kWidth} * kHeight * 2);
}
void LoadBmp8IntoBgr24(benchmark::State& state) {
    LoadInto(state, PalettedFile(), FormatBgr24, std::int64_t{kWidth} * kHeight * 3);
}

void StbLoad(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        int width = 0, height = 0, channels = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
        if (pixels == nullptr) {
            state.SkipWithError("stbi_load failed");
            return;
        }
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kWidth} * kHeight * 3);
}
void StbLoad24(benchmark::State& state) {
    StbLoad(state, TrueColourFile());
}
void StbLoad8(benchmark::State& state) {
    StbLoad(state, PalettedFile());
}

void Memcpy(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(LoadBmp24IntoBgr24)->Unit(benchmark::kMillisecond);
BENCHMARK(StbLoad24)->Unit(benchmark::kMillisecond);
BENCHMARK(Memcpy)->Arg(kWidth* kHeight * 3)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadBmp24IntoRgb565)->Unit(benchmark::kMillisecond);
BENCHMARK(Memcpy)->Arg(kWidth* kHeight * 2)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadBmp8IntoBgr24)->Unit(benchmark::kMillisecond);
BENCHMARK(StbLoad8)->Unit(benchmark::kMillisecond);

// Prints the results as usual, then the figures we track: each load against memcpy of the same
// bytes and against stb_image on the same file.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto speed = run.counters.find("bytes_per_second");
            if (speed != run.counters.end())
                speeds_[run.benchmark_name()] = speed->second;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nOutput MB/s and ratios (higher is better):\n");
        Compare("LoadBmp24IntoBgr24", "Memcpy/6220800", "StbLoad24");
        Compare("LoadBmp24IntoRgb565", "Memcpy/4147200", nullptr);
        Compare("LoadBmp8IntoBgr24", "Memcpy/6220800", "StbLoad8");
    }

  private:
    // The median of repetitions (--benchmark_repetitions), else the one run.
    double Speed(const std::string& name) const {
        for (const std::string& key : {name + "_median", name}) {
            const auto found = speeds_.find(key);
            if (found != speeds_.end())
                return found->second;
        }
        return 0;
    }

    void Compare(const char* load, const char* copy, const char* stb) const {
        const double own = Speed(load) / 1e6;
        std::printf("  %-22s %8.0f MB/s   vs memcpy %.2fx", load, own, own / (Speed(copy) / 1e6));
        if (stb != nullptr)
            std::printf("   vs stb_image %.2fx", own / (Speed(stb) / 1e6));
        std::printf("\n");
    }

    std::map<std::string, double> speeds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::remove(TrueColourFile().c_str());
    std::remove(PalettedFile().c_str());
    return 0;
}
