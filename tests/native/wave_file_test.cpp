// The test sound's reader: the chunk walk, the two sizes of format record, and the files a player
// may drop in by mistake (cut short, with lying sizes, not WAVE at all).

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "setup/wave_file.h"
#include "support/temp_file.h"
#include "support/wave_builder.h"

// Readable failure messages for the result types.
std::ostream& operator<<(std::ostream& out, WaveProblem problem) {
    static const char* const names[] = {"CannotOpen",   "NotRiff",        "Truncated",
                                        "NotWave",      "FormatTooShort", "ZeroSampleRate",
                                        "ZeroChannels", "TooLarge"};
    return out << names[static_cast<int>(problem)];
}

std::ostream& operator<<(std::ostream& out, const WaveError& error) {
    return out << error.problem << " at offset " << error.offset;
}

namespace {

// Offsets in a file that starts with the 12-byte RIFF header and a "fmt " chunk.
constexpr std::uint64_t kFirstChunk = 12;
constexpr std::uint64_t kFirstChunkData = 20;

WaveResult Parse(const WaveBytes& bytes, std::uint32_t largestSamples = kAnySampleCount) {
    MemoryByteSource source(bytes.data(), bytes.size());
    return ParseWaveFrom(source, largestSamples);
}

// The sound the file gives; a failed test when the file is refused.
WaveSound SoundOf(const WaveBytes& bytes) {
    WaveResult result = Parse(bytes);
    if (const auto* error = std::get_if<WaveError>(&result)) {
        ADD_FAILURE() << "refused: " << *error;
        return {};
    }
    return std::move(*std::get_if<WaveSound>(&result));
}

// The refusal the file gives; a failed test when the file is accepted.
WaveError ErrorOf(const WaveBytes& bytes) {
    const WaveResult result = Parse(bytes);
    if (const auto* error = std::get_if<WaveError>(&result))
        return *error;
    ADD_FAILURE() << "accepted";
    return {WaveProblem::CannotOpen, std::numeric_limits<std::uint64_t>::max()};
}

void ExpectError(const WaveBytes& bytes, WaveProblem problem, std::uint64_t offset) {
    const WaveError error = ErrorOf(bytes);
    EXPECT_EQ(error.problem, problem) << error;
    EXPECT_EQ(error.offset, offset) << error;
}

WaveBytes MonoFormatChunk() {
    return Chunk("fmt ", FormatBody(Pcm(1, 22050, 16)));
}

// --- Well-formed files ---------------------------------------------------------------------

TEST(WaveFile, PlainSixteenBitPcmFile) {
    const WaveSound sound = SoundOf(
        WaveFile({Chunk("fmt ", FormatBody(Pcm(2, 44100, 16))), Chunk("data", SampleBytes(32))}));
    EXPECT_TRUE(sound.formatRead);
    EXPECT_TRUE(sound.dataRead);
    EXPECT_FALSE(sound.endedEarly);
    EXPECT_TRUE(IsPlayable(sound));
    EXPECT_EQ(sound.format.formatTag, 1);
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.samplesPerSecond, 44100u);
    EXPECT_EQ(sound.format.averageBytesPerSecond, 176400u);
    EXPECT_EQ(sound.format.blockAlign, 4);
    EXPECT_EQ(sound.format.bitsPerSample, 16);
    EXPECT_EQ(sound.format.extraSize, 0);
    EXPECT_EQ(sound.samples, SampleBytes(32));
}

TEST(WaveFile, FormatBytesAreTheWaveFormatExLayout) {
    WaveFormat format = Pcm(2, 22050, 16);
    format.extraSize = 0x0102;
    const std::array<std::uint8_t, kWaveFormatSize> expected = {
        0x01, 0x00,              // format tag: PCM
        0x02, 0x00,              // channels
        0x22, 0x56, 0x00, 0x00,  // samples per second: 22050
        0x88, 0x58, 0x01, 0x00,  // average bytes per second: 88200
        0x04, 0x00,              // block alignment
        0x10, 0x00,              // bits per sample
        0x02, 0x01,              // cbSize
    };
    EXPECT_EQ(WaveFormatBytes(format), expected);
}

// --- The format record -----------------------------------------------------------------------

TEST(WaveFile, LongFormatRecordIsTakenAsWritten) {
    // 18 bytes: the bits per sample stand even where the byte rate says otherwise.
    WaveFormat written = Pcm(1, 8000, 16);
    written.bitsPerSample = 12;
    written.extraSize = 7;
    WaveSound sound =
        SoundOf(WaveFile({Chunk("fmt ", FormatBody(written, 18)), Chunk("data", SampleBytes(4))}));
    EXPECT_EQ(sound.format.bitsPerSample, 12);
    EXPECT_EQ(sound.format.extraSize, 7);

    // 22 bytes (an extension block): the first 18 are the record, the rest is skipped.
    WaveBytes extended = FormatBody(Pcm(2, 11025, 8), 18);
    extended.insert(extended.end(), {0xEE, 0xEE, 0xEE, 0xEE});
    sound = SoundOf(WaveFile({Chunk("fmt ", extended), Chunk("data", SampleBytes(6))}));
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.bitsPerSample, 8);
    EXPECT_EQ(sound.samples, SampleBytes(6));
}

TEST(WaveFile, ShortFormatRecordDerivesBitsPerSampleFromTheByteRate) {
    // A stereo file moving four bytes per frame gets 16 bits, whatever its own field says.
    WaveFormat stereo = Pcm(2, 22050, 16);
    stereo.bitsPerSample = 99;
    EXPECT_EQ(SoundOf(WaveFile({Chunk("fmt ", FormatBody(stereo, 16))})).format.bitsPerSample, 16);

    // Whole-number division in the order rate, then channels, then times 8: three bytes per
    // frame over two channels gives 1 byte, so 8 bits (not 12).
    WaveFormat odd = Pcm(2, 1000, 8);
    odd.averageBytesPerSecond = 3000;
    EXPECT_EQ(SoundOf(WaveFile({Chunk("fmt ", FormatBody(odd, 16))})).format.bitsPerSample, 8);

    // A 14-byte record stops after the block alignment; the result is the same.
    const WaveSound fourteen =
        SoundOf(WaveFile({Chunk("fmt ", FormatBody(Pcm(2, 22050, 16), 14))}));
    EXPECT_EQ(fourteen.format.bitsPerSample, 16);
    EXPECT_EQ(fourteen.format.blockAlign, 4);
}

TEST(WaveFile, LongFormatRecordWithNoChannelsIsKeptAndPlayedAsMono) {
    WaveFormat format = Pcm(1, 22050, 16);
    format.channels = 0;
    const WaveSound sound =
        SoundOf(WaveFile({Chunk("fmt ", FormatBody(format, 18)), Chunk("data", SampleBytes(8))}));
    EXPECT_EQ(sound.format.channels, 0);
    EXPECT_TRUE(IsPlayable(sound));
    EXPECT_EQ(WithAtLeastOneChannel(sound.format).channels, 1);
    EXPECT_EQ(WithAtLeastOneChannel(Pcm(2, 22050, 16)).channels, 2);
}

TEST(WaveFile, ShortFormatRecordWithNothingToDivideByIsRefused) {
    WaveFormat noRate = Pcm(2, 22050, 16);
    noRate.samplesPerSecond = 0;
    ExpectError(WaveFile({Chunk("fmt ", FormatBody(noRate))}), WaveProblem::ZeroSampleRate,
                kFirstChunkData + 4);

    WaveFormat noChannels = Pcm(2, 22050, 16);
    noChannels.channels = 0;
    ExpectError(WaveFile({Chunk("fmt ", FormatBody(noChannels))}), WaveProblem::ZeroChannels,
                kFirstChunkData + 2);

    // After a good chunk the offset is that of the bad one.
    const WaveBytes first = MonoFormatChunk();
    ExpectError(WaveFile({first, Chunk("fmt ", FormatBody(noChannels, 14))}),
                WaveProblem::ZeroChannels, kFirstChunkData + first.size() + 2);
}

TEST(WaveFile, FormatRecordTooShortOrCutShortIsRefused) {
    // Twelve bytes cannot hold the block alignment.
    ExpectError(WaveFile({Chunk("fmt ", FormatBody(Pcm(1, 8000, 8), 12))}),
                WaveProblem::FormatTooShort, kFirstChunk);
    // A chunk that says 16 bytes in a file that ends after 10 of them.
    WaveBytes cut = WaveFile({Chunk("fmt ", FormatBody(Pcm(1, 8000, 8)))});
    cut.resize(kFirstChunkData + 10);
    ExpectError(cut, WaveProblem::Truncated, kFirstChunk);
    // An 18-byte record of which 16 are there.
    cut = WaveFile({Chunk("fmt ", FormatBody(Pcm(1, 8000, 8), 18))});
    cut.resize(kFirstChunkData + 16);
    ExpectError(cut, WaveProblem::Truncated, kFirstChunk);
}

// --- The chunk walk --------------------------------------------------------------------------

TEST(WaveFile, OddSizedChunksAreSkippedWithTheirPadByte) {
    // A 3-byte chunk is followed by one pad byte; reading the next header one byte early would
    // find no "data".
    const WaveBytes odd = Chunk("LIST", {'a', 'b', 'c'});
    ASSERT_EQ(odd.size(), 8u + 4u);
    WaveSound sound = SoundOf(WaveFile({MonoFormatChunk(), odd, Chunk("data", SampleBytes(10))}));
    EXPECT_EQ(sound.samples, SampleBytes(10));
    EXPECT_FALSE(sound.endedEarly);

    // An odd-sized data chunk has its pad byte too, and what follows is still read.
    sound = SoundOf(WaveFile({Chunk("data", SampleBytes(5)), MonoFormatChunk()}));
    EXPECT_EQ(sound.samples, SampleBytes(5));
    EXPECT_TRUE(sound.formatRead);
}

TEST(WaveFile, ChunksAreTakenInFileOrderAndTheLastOfEachWins) {
    // "data" before "fmt ".
    WaveSound sound = SoundOf(WaveFile({Chunk("data", SampleBytes(6)), MonoFormatChunk()}));
    EXPECT_TRUE(IsPlayable(sound));
    EXPECT_EQ(sound.samples, SampleBytes(6));
    EXPECT_EQ(sound.format.channels, 1);

    // Two of each.
    sound = SoundOf(WaveFile({MonoFormatChunk(), Chunk("data", SampleBytes(6, 0x10)),
                              Chunk("fmt ", FormatBody(Pcm(2, 11025, 8))),
                              Chunk("data", SampleBytes(4, 0x80))}));
    EXPECT_EQ(sound.samples, SampleBytes(4, 0x80));
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.samplesPerSecond, 11025u);

    // A later empty "data" chunk wins too, and leaves nothing to play.
    sound =
        SoundOf(WaveFile({MonoFormatChunk(), Chunk("data", SampleBytes(6)), Chunk("data", {})}));
    EXPECT_TRUE(sound.dataRead);
    EXPECT_TRUE(sound.samples.empty());
    EXPECT_FALSE(IsPlayable(sound));
}

TEST(WaveFile, FilesWithoutFormatOrSamplesAreNotPlayable) {
    const WaveSound noFormat = SoundOf(WaveFile({Chunk("data", SampleBytes(6))}));
    EXPECT_FALSE(noFormat.formatRead);
    EXPECT_FALSE(IsPlayable(noFormat));

    const WaveSound noData = SoundOf(WaveFile({MonoFormatChunk()}));
    EXPECT_FALSE(noData.dataRead);
    EXPECT_FALSE(IsPlayable(noData));

    const WaveSound emptyData = SoundOf(WaveFile({MonoFormatChunk(), Chunk("data", {})}));
    EXPECT_TRUE(emptyData.dataRead);
    EXPECT_FALSE(IsPlayable(emptyData));
}

TEST(WaveFile, TheRiffSizeEndsTheWalk) {
    // The RIFF size covers the form type and the format chunk only: the "data" chunk after it
    // lies outside the RIFF form and is not read.
    const WaveBytes format = MonoFormatChunk();
    const WaveSound sound = SoundOf(RiffFile({format, Chunk("data", SampleBytes(6))},
                                             static_cast<std::uint32_t>(4 + format.size())));
    EXPECT_TRUE(sound.formatRead);
    EXPECT_FALSE(sound.dataRead);
    EXPECT_FALSE(sound.endedEarly);
}

// --- Files cut short or lying about sizes ----------------------------------------------------

TEST(WaveFile, FilesThatAreNotRiffWaveAreRefused) {
    ExpectError({}, WaveProblem::NotRiff, 0);
    ExpectError({'R', 'I', 'F'}, WaveProblem::NotRiff, 0);
    WaveBytes rifx = WaveFile({MonoFormatChunk()});
    rifx[3] = 'X';  // big-endian RIFX files are not read
    ExpectError(rifx, WaveProblem::NotRiff, 0);
    ExpectError(RiffFile({MonoFormatChunk()}, 100, "AVI "), WaveProblem::NotWave, 8);
}

TEST(WaveFile, FileEndingInsideTheRiffHeaderIsRefused) {
    const WaveBytes header = WaveFile({});
    ASSERT_EQ(header.size(), 12u);
    for (const std::size_t length : {4, 8, 11}) {  // "RIFF", then the size, then part of "WAVE"
        ExpectError(WaveBytes(header.begin(), header.begin() + length), WaveProblem::Truncated, 0);
    }
}

TEST(WaveFile, RiffSizeLargerThanTheFileEndsTheWalkAtTheEnd) {
    const WaveSound sound =
        SoundOf(RiffFile({MonoFormatChunk(), Chunk("data", SampleBytes(6))}, 0xFFFFFFF0));
    EXPECT_TRUE(IsPlayable(sound));
    EXPECT_EQ(sound.samples, SampleBytes(6));
    EXPECT_TRUE(sound.endedEarly);
}

TEST(WaveFile, FileEndingInsideAChunkHeaderKeepsWhatCameBefore) {
    // Five stray bytes after the last chunk, counted by the RIFF size.
    const WaveSound sound = SoundOf(WaveFile(
        {MonoFormatChunk(), Chunk("data", SampleBytes(6)), WaveBytes{'L', 'I', 'S', 'T', 0x04}}));
    EXPECT_TRUE(IsPlayable(sound));
    EXPECT_EQ(sound.samples, SampleBytes(6));
    EXPECT_TRUE(sound.endedEarly);

    // Three bytes of the first chunk header: nothing was read.
    const WaveSound nothing = SoundOf(RiffFile({WaveBytes{'f', 'm', 't'}}, 100));
    EXPECT_FALSE(nothing.formatRead);
    EXPECT_FALSE(nothing.dataRead);
    EXPECT_TRUE(nothing.endedEarly);
}

TEST(WaveFile, DataChunkLongerThanTheFileGivesTheBytesThatAreThere) {
    // The chunk claims 1000 bytes; the file holds 10 of them.
    const WaveSound sound =
        SoundOf(WaveFile({MonoFormatChunk(), Joined(ChunkHeader("data", 1000), SampleBytes(10))}));
    EXPECT_TRUE(sound.dataRead);
    EXPECT_EQ(sound.samples, SampleBytes(10));
    EXPECT_TRUE(sound.endedEarly);
    EXPECT_TRUE(IsPlayable(sound));

    // The same with the largest size a chunk can claim; nothing near 4 GiB is allocated.
    const WaveSound huge = SoundOf(
        WaveFile({MonoFormatChunk(), Joined(ChunkHeader("data", 0xFFFFFFFF), SampleBytes(10))}));
    EXPECT_EQ(huge.samples, SampleBytes(10));
    EXPECT_LE(huge.samples.capacity(), 10u);
}

// The caller's limit (a DirectSound buffer's largest size) counts the bytes the file holds: more
// refuse the file before any is read, so no block of that size is ever asked for.
TEST(WaveFile, SamplesBeyondTheCallersLimitRefuseTheFile) {
    const WaveBytes ten = WaveFile({MonoFormatChunk(), Chunk("data", SampleBytes(10))});
    const WaveResult fits = Parse(ten, 10);
    const auto* taken = std::get_if<WaveSound>(&fits);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->samples, SampleBytes(10));

    const WaveResult refused = Parse(ten, 9);
    const auto* error = std::get_if<WaveError>(&refused);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->problem, WaveProblem::TooLarge);
    EXPECT_EQ(error->offset, kFirstChunk + MonoFormatChunk().size());

    // A chunk that claims more than the file holds is measured by what is there.
    const WaveResult cut = Parse(
        WaveFile({MonoFormatChunk(), Joined(ChunkHeader("data", 1000), SampleBytes(10))}), 10);
    EXPECT_TRUE(std::holds_alternative<WaveSound>(cut));
}

TEST(WaveFile, OtherChunkLongerThanTheFileEndsTheWalk) {
    // The walk cannot know where a chunk after it would begin.
    for (const std::uint32_t size :
         {std::uint32_t{1000}, std::uint32_t{0xFFFFFFFF}, std::uint32_t{0xFFFFFFFE}}) {
        const WaveSound sound =
            SoundOf(WaveFile({MonoFormatChunk(), Joined(ChunkHeader("junk", size), SampleBytes(8)),
                              Chunk("data", SampleBytes(6))}));
        EXPECT_TRUE(sound.formatRead) << size;
        EXPECT_FALSE(sound.dataRead) << size;
        EXPECT_TRUE(sound.endedEarly) << size;
    }

    // A "fmt " chunk claiming 0xFFFFFFFF bytes still holds its 18-byte record.
    const WaveSound format = SoundOf(
        WaveFile({Joined(ChunkHeader("fmt ", 0xFFFFFFFF), FormatBody(Pcm(2, 8000, 8), 18))}));
    EXPECT_TRUE(format.formatRead);
    EXPECT_EQ(format.format.channels, 2);
    EXPECT_TRUE(format.endedEarly);
}

// A source that cannot tell how many bytes it still holds, as a file too large for the C
// library's offsets.
class SizeUnknownSource final : public ByteSource {
  public:
    explicit SizeUnknownSource(const WaveBytes& bytes) : memory_(bytes.data(), bytes.size()) {}
    std::size_t Read(void* into, std::size_t size) override { return memory_.Read(into, size); }
    bool Skip(std::uint64_t count) override { return memory_.Skip(count); }
    std::uint64_t Remaining() const override { return FileByteSource::kUnknownSize; }

  private:
    MemoryByteSource memory_;
};

TEST(WaveFile, SampleBufferGrowsWithWhatArrivesWhenTheSizeIsUnknown) {
    const WaveBytes file =
        WaveFile({MonoFormatChunk(), Joined(ChunkHeader("data", 0xFFFFFFFF), SampleBytes(10))});
    SizeUnknownSource source(file);
    WaveResult result = ParseWaveFrom(source);
    const auto* sound = std::get_if<WaveSound>(&result);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->samples, SampleBytes(10));
    // At most one read step (1 MiB), never the 4 GiB the chunk claims.
    EXPECT_LE(sound->samples.capacity(), std::size_t{1} << 20);
}

// --- Real files --------------------------------------------------------------------------------

TEST(WaveFile, RealFilesReadLikeMemory) {
    const WaveBytes bytes =
        WaveFile({Chunk("LIST", {'x'}), MonoFormatChunk(), Chunk("data", SampleBytes(301))});
    TempFile file(bytes, ".wav");
    WaveResult result = ParseWave(file.Path().c_str());
    const auto* sound = std::get_if<WaveSound>(&result);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->samples, SampleBytes(301));
    EXPECT_EQ(sound->format.samplesPerSecond, 22050u);
    EXPECT_FALSE(sound->endedEarly);

    // Cut short inside its data: the same bytes as from memory.
    const WaveBytes cut(bytes.begin(), bytes.end() - 100);
    TempFile cutFile(cut, ".wav");
    result = ParseWave(cutFile.Path().c_str());
    sound = std::get_if<WaveSound>(&result);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->samples, SoundOf(cut).samples);
    EXPECT_EQ(sound->samples.size(), 202u);  // the cut took the pad byte and 99 samples
    EXPECT_TRUE(sound->endedEarly);

    // A chunk size beyond the end of a real file ends the walk too.
    TempFile lying(WaveFile({MonoFormatChunk(), Joined(ChunkHeader("junk", 0xFFFFFFFF), {1, 2}),
                             Chunk("data", SampleBytes(6))}),
                   ".wav");
    result = ParseWave(lying.Path().c_str());
    sound = std::get_if<WaveSound>(&result);
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->dataRead);
}

TEST(WaveFile, RealFileErrors) {
    WaveResult result = ParseWave(MissingTempPath().c_str());
    auto* error = std::get_if<WaveError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->problem, WaveProblem::CannotOpen);

    TempFile text({'h', 'e', 'l', 'l', 'o'}, ".wav");
    result = ParseWave(text.Path().c_str());
    error = std::get_if<WaveError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->problem, WaveProblem::NotRiff);

    WaveFormat noRate = Pcm(1, 8000, 8);
    noRate.samplesPerSecond = 0;
    TempFile bad(WaveFile({Chunk("fmt ", FormatBody(noRate))}), ".wav");
    result = ParseWave(bad.Path().c_str());
    error = std::get_if<WaveError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->problem, WaveProblem::ZeroSampleRate);
    EXPECT_EQ(error->offset, kFirstChunkData + 4);
}

}  // namespace
