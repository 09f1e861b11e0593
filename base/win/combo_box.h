#pragma once
// Combo box entries tied to their data: each entry carries, as its item data, the index of the
// record it shows in its dialog's own table. Where an entry stands in the box says nothing about
// its record: a sorted box puts its entries where its own rules want them, and the selected entry
// still names the record it shows.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// Adds `text` as an entry carrying `index`; false when the box could not keep both.
bool AddComboEntry(HWND combo, const std::wstring& text, std::size_t index);

// The index the selected entry carries; none when no entry is selected.
std::optional<std::size_t> SelectedComboIndex(HWND combo);

// Selects the entry carrying `index`; false, and the selection as it was, when none carries it.
bool SelectComboIndex(HWND combo, std::size_t index);
