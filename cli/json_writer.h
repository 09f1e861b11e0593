#pragma once
// A JSON text written front to back, two blanks of indentation per level: enough for the one
// object the settings tool prints, whose values are objects, strings, numbers, booleans and null.
// Every value is the outermost one or follows a Key. Strings are taken as UTF-8; malformed
// sequences become U+FFFD, so the output is always valid JSON.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
  public:
    // A compact object stands on one line: {"code": 96, "name": "Space"}.
    void BeginObject(bool compact = false);
    void EndObject();
    // The key of the next value; only inside an object.
    void Key(std::string_view key);

    void String(std::string_view utf8);
    void Number(std::int64_t number);
    void Bool(bool value);
    void Null();

    // The whole text, with a final line break.
    std::string Text() const { return text_ + "\n"; }

  private:
    struct OpenObject {
        bool compact;
        bool hasMembers;
    };

    // A line break and the indentation of `depth` open objects.
    void NewLine(std::size_t depth);

    std::string text_;
    std::vector<OpenObject> open_;
};
