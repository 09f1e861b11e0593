#include "tools/driver/protocol.h"

#include <charconv>
#include <cstdio>

namespace {

std::string Convert(std::wstring_view text, UINT codePage) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring Convert(std::string_view text, UINT codePage) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), size);
    return result;
}

}  // namespace

std::string Utf8FromWide(std::wstring_view text) {
    return Convert(text, CP_UTF8);
}
std::wstring WideFromUtf8(std::string_view text) {
    return Convert(text, CP_UTF8);
}
std::string Utf8FromAnsi(std::string_view text) {
    return Utf8FromWide(Convert(text, CP_ACP));
}
std::string AnsiFromUtf8(std::string_view text) {
    return Convert(WideFromUtf8(text), CP_ACP);
}

std::string HandleText(HWND window) {
    char text[2 + 16 + 1];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

Answer Answer::Failure(std::string message) {
    Answer answer;
    answer.succeeded_ = false;
    answer.failure_ = std::move(message);
    return answer;
}

Answer& Answer::Record(std::string_view kind, std::initializer_list<std::string_view> fields) {
    std::string line(kind);
    for (const std::string_view field : fields) {
        line += '\t';
        line += EscapeField(field);
    }
    records_.push_back(std::move(line));
    return *this;
}

std::string Answer::Text() const {
    std::string text = succeeded_ ? "ok\n" : "fail\t" + EscapeField(failure_) + "\n";
    for (const std::string& record : records_)
        text += record + "\n";
    return text;
}

std::string Arguments::Text(std::size_t index) {
    if (!Has(index)) {
        Fail(index, "missing");
        return {};
    }
    return values_[index];
}

HWND Arguments::Window(std::size_t index) {
    const std::string value = Text(index);
    std::string_view text = value;
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    std::uintptr_t handle = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), handle, 16);
    if (Failed())
        return nullptr;
    if (error != std::errc{} || end != text.data() + text.size() || handle == 0) {
        Fail(index, "is not a window handle");
        return nullptr;
    }
    return reinterpret_cast<HWND>(handle);
}

std::int64_t Arguments::Integer(std::size_t index) {
    const std::string text = Text(index);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (Failed())
        return 0;
    if (error != std::errc{} || end != text.data() + text.size()) {
        Fail(index, "is not a decimal number");
        return 0;
    }
    return value;
}

std::int64_t Arguments::Integer(std::size_t index, std::int64_t fallback) {
    return Has(index) ? Integer(index) : fallback;
}

void Arguments::Fail(std::size_t index, std::string_view problem) {
    if (Failed())
        return;
    error_ = "argument " + std::to_string(index + 1) + " " + std::string(problem);
}
