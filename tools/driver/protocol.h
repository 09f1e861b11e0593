#pragma once
// The driver's side of its line protocol (see README.md): texts in UTF-8, handles in
// hexadecimal, and the answer of one command.

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/driver/fields.h"

std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);
// The process's ANSI code page, which is what the programs under test read and write.
std::string Utf8FromAnsi(std::string_view text);
std::string AnsiFromUtf8(std::string_view text);

std::string HandleText(HWND window);

// What one command answers: a status, then records of tab-separated fields.
class Answer {
  public:
    static Answer Failure(std::string message);

    // Adds one record; `kind` names it and the fields follow, escaped here.
    Answer& Record(std::string_view kind, std::initializer_list<std::string_view> fields = {});

    bool Succeeded() const { return succeeded_; }
    // Every line of the answer, each ending in a line feed; the serve mode adds ".".
    std::string Text() const;

  private:
    bool succeeded_ = true;
    std::string failure_;
    std::vector<std::string> records_;
};

// The arguments of one command, read by position. A missing or malformed argument makes the
// reader fail; the first failure is kept, so that a command reads all it needs and tests once.
class Arguments {
  public:
    explicit Arguments(std::vector<std::string> values) : values_(std::move(values)) {}

    std::string Text(std::size_t index);
    HWND Window(std::size_t index);
    std::int64_t Integer(std::size_t index);
    // An optional trailing argument: `fallback` when the request stops before it.
    std::int64_t Integer(std::size_t index, std::int64_t fallback);
    bool Has(std::size_t index) const { return index < values_.size(); }

    // Records that argument `index` cannot be used; only the first failure is kept.
    void Fail(std::size_t index, std::string_view problem);
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

  private:
    std::vector<std::string> values_;
    std::string error_;
};
