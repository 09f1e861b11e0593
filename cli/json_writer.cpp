#include "cli/json_writer.h"

#include <cstdio>

#include "cli/utf8_text.h"

namespace {

void AppendEscaped(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (char c : ValidUtf8(utf8)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[7];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out.push_back(c);
                }
        }
    }
    out.push_back('"');
}

}  // namespace

void JsonWriter::NewLine(std::size_t depth) {
    text_.push_back('\n');
    text_.append(2 * depth, ' ');
}

void JsonWriter::BeginObject(bool compact) {
    text_.push_back('{');
    open_.push_back({compact || (!open_.empty() && open_.back().compact), false});
}

void JsonWriter::EndObject() {
    const OpenObject object = open_.back();
    open_.pop_back();
    if (object.hasMembers && !object.compact)
        NewLine(open_.size());
    text_.push_back('}');
}

void JsonWriter::Key(std::string_view key) {
    OpenObject& object = open_.back();
    if (object.hasMembers)
        text_ += object.compact ? ", " : ",";
    if (!object.compact)
        NewLine(open_.size());
    object.hasMembers = true;
    AppendEscaped(text_, key);
    text_ += ": ";
}

void JsonWriter::String(std::string_view utf8) {
    AppendEscaped(text_, utf8);
}

void JsonWriter::Number(std::int64_t number) {
    text_ += std::to_string(number);
}

void JsonWriter::Bool(bool value) {
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    text_ += "null";
}
