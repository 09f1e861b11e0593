// The graphics setup's resolution list: filtering, labels, the combo box's order, the depth
// labels and the pre-selection of the remembered mode; and reading a label back for OK.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "setup/display_modes.h"

namespace {

using Entries = std::vector<std::string>;

// Display-mode formats outside the six the list knows.
constexpr int kFormatUnknown = 0;  // D3DFMT_UNKNOWN
constexpr int kFormatA4R4G4B4 = 26;
constexpr int kFormatP8 = 41;

AdapterMode Mode(std::uint32_t width, std::uint32_t height, int format) {
    return {width, height, format};
}

// An adapter on which exactly `works` succeeds for every mode format.
DepthCheck Only(DepthFormat works) {
    return [works](int, DepthFormat candidate) { return candidate == works; };
}

// An adapter whose depth answers depend on the mode's format: each format lists the candidates
// that succeed for it; formats not listed have none.
DepthCheck ByFormat(std::map<int, std::vector<DepthFormat>> table) {
    return [table = std::move(table)](int format, DepthFormat candidate) {
        const auto found = table.find(format);
        if (found == table.end())
            return false;
        for (DepthFormat works : found->second) {
            if (works == candidate)
                return true;
        }
        return false;
    };
}

const DepthCheck kSixteenOnly = Only(DepthFormat::D16);
const std::string kWindowed = "Windowed";

ModeList Compose(const std::vector<AdapterMode>& modes, const DepthCheck& depth = kSixteenOnly,
                 ModeChoice saved = kUnsavedMode, bool windowedChosen = false) {
    return ComposeModeList(modes, depth, saved, windowedChosen, kWindowed);
}

// The text of the selected entry, or "(none)".
std::string Selected(const ModeList& list) {
    if (!list.selected)
        return "(none)";
    if (*list.selected >= list.entries.size())
        return "(out of range)";
    return list.entries[*list.selected];
}

// --- Which modes are listed, and how -----------------------------------------------------------

TEST(ModeList, ModesDifferingOnlyInRefreshRateOrFormatGiveOneEntry) {
    // D3D lists one mode per refresh rate; the record carries none, so they look identical.
    const ModeList list =
        Compose({Mode(1024, 768, kFormatX8R8G8B8), Mode(1024, 768, kFormatX8R8G8B8),
                 Mode(1024, 768, kFormatA8R8G8B8), Mode(1024, 768, kFormatX1R5G5B5),
                 Mode(1024, 768, kFormatR5G6B5)});
    EXPECT_EQ(list.entries, (Entries{"1024 x 768 x 16 (16z)", "1024 x 768 x 32 (16z)", kWindowed}));
}

TEST(ModeList, ModesBelow640By480AreLeftOut) {
    const ModeList list = Compose({Mode(640, 400, kFormatR5G6B5), Mode(512, 384, kFormatR5G6B5),
                                   Mode(639, 480, kFormatR5G6B5), Mode(800, 479, kFormatR5G6B5),
                                   Mode(640, 480, kFormatR5G6B5)});
    EXPECT_EQ(list.entries, (Entries{"640 x 480 x 16 (16z)", kWindowed}));
}

TEST(ModeList, ColourBitsFollowTheFormat) {
    const ModeList list =
        Compose({Mode(640, 480, kFormatR8G8B8), Mode(800, 600, kFormatA8R8G8B8),
                 Mode(800, 600, kFormatX1R5G5B5), Mode(1024, 768, kFormatA1R5G5B5),
                 Mode(1024, 768, kFormatX8R8G8B8)});
    EXPECT_EQ(list.entries,
              (Entries{"1024 x 768 x 16 (16z)", "1024 x 768 x 32 (16z)", "640 x 480 x 24 (16z)",
                       "800 x 600 x 16 (16z)", "800 x 600 x 32 (16z)", kWindowed}));
}

TEST(ModeList, ModesOfUnknownFormatAreSkipped) {
    // Even as the first mode, where no earlier mode's colour bits exist to fall back on.
    const ModeList list =
        Compose({Mode(800, 600, kFormatUnknown), Mode(800, 600, kFormatP8),
                 Mode(1024, 768, kFormatA4R4G4B4), Mode(640, 480, kFormatR5G6B5)});
    EXPECT_EQ(list.entries, (Entries{"640 x 480 x 16 (16z)", kWindowed}));
    EXPECT_EQ(list.lastLabel, "640 x 480 x 16 (16z)");

    EXPECT_TRUE(Compose({Mode(800, 600, kFormatUnknown)}).entries.empty());
}

TEST(ModeList, AbsurdlyLargeModesAreSkippedSoEveryLabelFitsTheModeText) {
    const ModeList list = Compose(
        {Mode(2147483647, 2147483647, kFormatX8R8G8B8), Mode(4294967295u, 480, kFormatX8R8G8B8),
         Mode(100000000, 600, kFormatX8R8G8B8), Mode(kMaxModeSide, kMaxModeSide, kFormatX8R8G8B8)});
    ASSERT_EQ(list.entries, (Entries{"99999999 x 99999999 x 32 (16z)", kWindowed}));
    EXPECT_LT(list.entries.front().size(), kModeTextCapacity);
}

TEST(ModeList, LabelsSortAsTextWithWindowedLast) {
    const ModeList list = Compose({Mode(640, 480, kFormatR5G6B5), Mode(1024, 768, kFormatR5G6B5),
                                   Mode(800, 600, kFormatR5G6B5), Mode(1280, 1024, kFormatR5G6B5),
                                   Mode(1600, 1200, kFormatR5G6B5)});
    EXPECT_EQ(list.entries,
              (Entries{"1024 x 768 x 16 (16z)", "1280 x 1024 x 16 (16z)", "1600 x 1200 x 16 (16z)",
                       "640 x 480 x 16 (16z)", "800 x 600 x 16 (16z)", kWindowed}));

    // The localised words begin with letters, accented or not, so they stand last too.
    for (const std::string word : {"En fen\xEAtre", "Fenstermodus", "In una finestra", "Ventana"}) {
        const ModeList local = ComposeModeList({Mode(640, 480, kFormatR5G6B5)}, kSixteenOnly,
                                               kUnsavedMode, true, word);
        EXPECT_EQ(local.entries, (Entries{"640 x 480 x 16 (16z)", word}));
        EXPECT_EQ(Selected(local), word);
    }
}

TEST(ModeList, SortingIgnoresCaseAndPutsShorterTextFirst) {
    EXPECT_FALSE(ListTextLess("Windowed", "WINDOWED"));
    EXPECT_FALSE(ListTextLess("WINDOWED", "Windowed"));
    EXPECT_TRUE(ListTextLess("apple", "Banana"));
    EXPECT_TRUE(ListTextLess("1024 x 768", "1024 x 7680"));
    EXPECT_TRUE(ListTextLess("800 x 600", "8000 x 600"));  // a space before a digit
    EXPECT_TRUE(ListTextLess("9999 x 480", "Ventana"));
    EXPECT_TRUE(ListTextLess("Windowed", "\xC9"));  // bytes above ASCII after the letters
}

// --- Depth labels ------------------------------------------------------------------------------

TEST(ModeList, TheFirstDepthFormatThatWorksGivesTheDepthLabel) {
    struct Case {
        std::vector<DepthFormat> working;
        std::string label;
    };
    const Case cases[] = {
        {{DepthFormat::D24S8, DepthFormat::D32, DepthFormat::D16}, "640 x 480 x 32 (32z)"},
        {{DepthFormat::D32, DepthFormat::D24X8, DepthFormat::D16}, "640 x 480 x 32 (32z)"},
        {{DepthFormat::D24X8, DepthFormat::D16}, "640 x 480 x 32 (24z)"},
        {{DepthFormat::D16, DepthFormat::D15S1}, "640 x 480 x 32 (16z)"},
        {{DepthFormat::D15S1}, "640 x 480 x 32 (16z)"},  // 15 depth bits and 1 stencil bit
    };
    for (const Case& c : cases) {
        const ModeList list =
            Compose({Mode(640, 480, kFormatX8R8G8B8)}, ByFormat({{kFormatX8R8G8B8, c.working}}));
        EXPECT_EQ(list.entries.front(), c.label);
    }
}

TEST(ModeList, CandidatesAreAskedInOrderUntilOneWorksOncePerFormat) {
    std::vector<std::pair<int, DepthFormat>> asked;
    const DepthCheck recorder = [&asked](int format, DepthFormat candidate) {
        asked.emplace_back(format, candidate);
        return candidate == DepthFormat::D24X8;
    };
    const ModeList list =
        Compose({Mode(800, 600, kFormatR5G6B5), Mode(1024, 768, kFormatR5G6B5)}, recorder);
    EXPECT_EQ(list.entries, (Entries{"1024 x 768 x 16 (24z)", "800 x 600 x 16 (24z)", kWindowed}));
    EXPECT_EQ(asked,
              (std::vector<std::pair<int, DepthFormat>>{{kFormatR5G6B5, DepthFormat::D24S8},
                                                        {kFormatR5G6B5, DepthFormat::D32},
                                                        {kFormatR5G6B5, DepthFormat::D24X8}}));
}

TEST(ModeList, ModeWithoutDepthFormatKeepsThePreviousModesDepthBits) {
    const DepthCheck adapter = ByFormat({
        {kFormatX8R8G8B8, {DepthFormat::D24S8}},
        {kFormatA8R8G8B8, {DepthFormat::D15S1}},
        {kFormatX1R5G5B5, {DepthFormat::D32}},
        // R5G6B5 and A1R5G5B5: none
    });
    const ModeList list = Compose(
        {
            Mode(640, 480, kFormatR5G6B5),      // first mode, nothing works: 16
            Mode(800, 600, kFormatX8R8G8B8),    // 24 + 8 stencil
            Mode(1024, 768, kFormatR5G6B5),     // keeps 24 depth bits, not the stencil
            Mode(1152, 864, kFormatA8R8G8B8),   // 15 + 1 stencil
            Mode(1280, 1024, kFormatA1R5G5B5),  // keeps 15
            Mode(320, 240, kFormatX1R5G5B5),    // too small to list, but it hands on 32
            Mode(1600, 1200, kFormatR5G6B5),
        },
        adapter);
    EXPECT_EQ(list.entries, (Entries{"1024 x 768 x 16 (24z)", "1152 x 864 x 32 (16z)",
                                     "1280 x 1024 x 16 (15z)", "1600 x 1200 x 16 (32z)",
                                     "640 x 480 x 16 (16z)", "800 x 600 x 32 (32z)", kWindowed}));
}

// --- Pre-selection -----------------------------------------------------------------------------

TEST(ModeList, SavedModeOfferedOnlyAtAnotherColourDepthSelectsItsSize) {
    const ModeChoice saved{800, 600, 16, 16};
    const ModeList list = Compose({Mode(640, 480, kFormatX8R8G8B8), Mode(800, 600, kFormatX8R8G8B8),
                                   Mode(1024, 768, kFormatX8R8G8B8)},
                                  kSixteenOnly, saved);
    EXPECT_EQ(Selected(list), "800 x 600 x 32 (16z)");
}

TEST(ModeList, MatchingColourBitsBeatSizeAloneWhateverTheOrder) {
    const ModeChoice saved{800, 600, 16, 16};
    // 16 bits with a depth label of 32, not the saved 16.
    const DepthCheck adapter =
        ByFormat({{kFormatR5G6B5, {DepthFormat::D24S8}}, {kFormatX8R8G8B8, {DepthFormat::D16}}});
    const AdapterMode sixteen = Mode(800, 600, kFormatR5G6B5);
    const AdapterMode thirtyTwo = Mode(800, 600, kFormatX8R8G8B8);
    EXPECT_EQ(Selected(Compose({sixteen, thirtyTwo}, adapter, saved)), "800 x 600 x 16 (32z)");
    EXPECT_EQ(Selected(Compose({thirtyTwo, sixteen}, adapter, saved)), "800 x 600 x 16 (32z)");
}

TEST(ModeList, ExactMatchBeatsMatchingColourBits) {
    const ModeChoice saved{800, 600, 16, 24};
    const DepthCheck adapter =
        ByFormat({{kFormatR5G6B5, {DepthFormat::D24X8}}, {kFormatX1R5G5B5, {DepthFormat::D16}}});
    const AdapterMode exact = Mode(800, 600, kFormatR5G6B5);         // 16 bits, 24z
    const AdapterMode colourOnly = Mode(800, 600, kFormatX1R5G5B5);  // 16 bits, 16z
    EXPECT_EQ(Selected(Compose({exact, colourOnly}, adapter, saved)), "800 x 600 x 16 (24z)");
    EXPECT_EQ(Selected(Compose({colourOnly, exact}, adapter, saved)), "800 x 600 x 16 (24z)");
}

TEST(ModeList, WithinOneRankTheEntryAddedLastWins) {
    const ModeChoice saved{800, 600, 16, 16};
    // Two size-only matches: 24 and 32 bits.
    EXPECT_EQ(Selected(Compose({Mode(800, 600, kFormatX8R8G8B8), Mode(800, 600, kFormatR8G8B8)},
                               kSixteenOnly, saved)),
              "800 x 600 x 24 (16z)");
    EXPECT_EQ(Selected(Compose({Mode(800, 600, kFormatR8G8B8), Mode(800, 600, kFormatX8R8G8B8)},
                               kSixteenOnly, saved)),
              "800 x 600 x 32 (16z)");
    // Two colour matches with different depth labels, neither exact.
    const ModeChoice deep{800, 600, 16, 32};
    const DepthCheck adapter =
        ByFormat({{kFormatR5G6B5, {DepthFormat::D24X8}}, {kFormatX1R5G5B5, {DepthFormat::D15S1}}});
    EXPECT_EQ(Selected(Compose({Mode(800, 600, kFormatX1R5G5B5), Mode(800, 600, kFormatR5G6B5)},
                               adapter, deep)),
              "800 x 600 x 16 (24z)");
}

TEST(ModeList, SelectionFollowsItsEntryAsLaterEntriesAreSortedInBeforeIt) {
    const ModeChoice saved{800, 600, 32, 16};
    const ModeList list =
        Compose({Mode(800, 600, kFormatX8R8G8B8), Mode(1024, 768, kFormatX8R8G8B8),
                 Mode(640, 480, kFormatX8R8G8B8), Mode(1280, 1024, kFormatR5G6B5)},
                kSixteenOnly, saved);
    ASSERT_TRUE(list.selected);
    EXPECT_EQ(*list.selected, 3u);
    EXPECT_EQ(Selected(list), "800 x 600 x 32 (16z)");
}

TEST(ModeList, DuplicateDoesNotTakeTheSelection) {
    // Two size-only matches; the 32-bit mode comes again (another refresh rate) after the 16-bit
    // one. Being a duplicate, it is not added again and the 16-bit entry stays the last added.
    const ModeChoice saved{800, 600, 24, 16};
    const ModeList list = Compose({Mode(800, 600, kFormatX8R8G8B8), Mode(800, 600, kFormatR5G6B5),
                                   Mode(800, 600, kFormatX8R8G8B8)},
                                  kSixteenOnly, saved);
    EXPECT_EQ(Selected(list), "800 x 600 x 16 (16z)");
}

TEST(ModeList, WithoutSettingsThe640By480ModeAt32BitsIsPreselected) {
    const DepthCheck adapter = Only(DepthFormat::D24S8);  // 32z everywhere
    EXPECT_EQ(Selected(Compose({Mode(640, 480, kFormatR5G6B5), Mode(640, 480, kFormatX8R8G8B8),
                                Mode(640, 480, kFormatR8G8B8), Mode(800, 600, kFormatX8R8G8B8)},
                               adapter)),
              "640 x 480 x 32 (32z)");
    // Not offered at 32 bits: the 640 x 480 entry added last.
    EXPECT_EQ(Selected(Compose({Mode(640, 480, kFormatR8G8B8), Mode(640, 480, kFormatR5G6B5),
                                Mode(800, 600, kFormatX8R8G8B8)},
                               adapter)),
              "640 x 480 x 16 (32z)");
    // No 640 x 480 at all: the mode built last, which OK stores.
    EXPECT_EQ(Selected(Compose({Mode(1024, 768, kFormatX8R8G8B8), Mode(800, 600, kFormatX8R8G8B8)},
                               adapter)),
              "800 x 600 x 32 (32z)");
}

TEST(ModeList, WindowedChoiceSelectsTheWindowedEntry) {
    const ModeList list = Compose({Mode(640, 480, kFormatX8R8G8B8), Mode(1024, 768, kFormatR5G6B5)},
                                  kSixteenOnly, {640, 480, 32, 16}, /*windowedChosen=*/true);
    ASSERT_TRUE(list.selected);
    EXPECT_EQ(*list.selected, list.entries.size() - 1);
    EXPECT_EQ(Selected(list), kWindowed);
}

TEST(ModeList, NoModePassingTheFilterGivesAnEmptyList) {
    for (const bool windowed : {false, true}) {
        const ModeList list =
            Compose({Mode(640, 400, kFormatX8R8G8B8), Mode(320, 240, kFormatR5G6B5),
                     Mode(1024, 768, kFormatUnknown)},
                    kSixteenOnly, kUnsavedMode, windowed);
        EXPECT_TRUE(list.entries.empty());
        EXPECT_FALSE(list.selected);
        EXPECT_FALSE(list.lastLabel);  // the mode text keeps what it held
    }
    EXPECT_TRUE(Compose({}).entries.empty());
}

TEST(ModeList, LastLabelIsTheLastModeThatPassedTheFilterAndShownWhenNothingMatches) {
    // The duplicate 800 x 600 is built last, the small mode after it does not count. It is what
    // OK stores without a match, so the list shows it, wherever it sorted it.
    const ModeList list =
        Compose({Mode(800, 600, kFormatX8R8G8B8), Mode(1024, 768, kFormatX8R8G8B8),
                 Mode(800, 600, kFormatX8R8G8B8), Mode(512, 384, kFormatX8R8G8B8)},
                kSixteenOnly, {1, 1, 1, 1});
    EXPECT_EQ(list.lastLabel, "800 x 600 x 32 (16z)");
    EXPECT_EQ(Selected(list), "800 x 600 x 32 (16z)");
}

// --- Reading a label back ----------------------------------------------------------------------

TEST(ModeLabelText, LabelsReadBackToTheirNumbers) {
    EXPECT_EQ(ModeLabel(1024, 768, 32, 24), "1024 x 768 x 32 (24z)");
    const ModeChoice modes[] = {{640, 480, 16, 16},
                                {1024, 768, 32, 24},
                                {1600, 1200, 24, 15},
                                {99999999, 99999999, 32, 32}};
    for (const ModeChoice& mode : modes) {
        const std::string label =
            ModeLabel(static_cast<std::uint32_t>(mode.width),
                      static_cast<std::uint32_t>(mode.height), mode.colourBits, mode.depthBits);
        EXPECT_EQ(ParseModeLabel(label), mode) << label;
    }
    EXPECT_EQ(ParseModeLabel("2147483647 x 1 x 1 (1z)"), (ModeChoice{2147483647, 1, 1, 1}));
}

TEST(ModeLabelText, TextsNotInTheFourNumberFormAreRefused) {
    const char* const refused[] = {
        "640 x 480 (32z)",  // the mode text before any entry was taken
        "Windowed",
        "",
        "640 x 480 x 32 (32z",
        "640 x 480 x 32 (32",
        "640 x 480 x 32 (32z) ",
        "640 x 480 x 32 (z)",
        "640x480x32(32z)",
        "640  x 480 x 32 (32z)",
        "-640 x 480 x 32 (32z)",
        " 640 x 480 x 32 (32z)",
        "2147483648 x 480 x 32 (32z)",  // past 32 bits
        "640 x 99999999999999999999 x 32 (32z)",
    };
    for (const char* text : refused)
        EXPECT_FALSE(ParseModeLabel(text)) << '"' << text << '"';
    // A text that stops anywhere inside a label is refused without reading past it.
    const std::string label = "1024 x 768 x 32 (24z)";
    for (std::size_t length = 0; length < label.size(); ++length) {
        EXPECT_FALSE(ParseModeLabel(std::string_view(label).substr(0, length))) << length;
    }
}

TEST(ModeLabelText, WindowedTextsAreThoseNotBeginningWithADigit) {
    EXPECT_TRUE(IsWindowedLabel("Windowed"));
    EXPECT_TRUE(IsWindowedLabel("En fen\xEAtre"));
    EXPECT_TRUE(IsWindowedLabel(""));
    EXPECT_TRUE(IsWindowedLabel(" 640 x 480 x 32 (32z)"));
    EXPECT_FALSE(IsWindowedLabel("640 x 480 (32z)"));
    EXPECT_FALSE(IsWindowedLabel("1024 x 768 x 16 (16z)"));
}

TEST(ModeLabelText, WhatOkStores) {
    EXPECT_EQ(ModeToSave("Windowed", true), (ModeChoice{0, 0, 0, 0}));
    EXPECT_EQ(ModeToSave("800 x 600 x 16 (24z)", false), (ModeChoice{800, 600, 16, 24}));
    // The list never had an entry: the mode text still holds its initial text, and the file's
    // display fields are kept.
    EXPECT_FALSE(ModeToSave("640 x 480 (32z)", false));
}

}  // namespace
