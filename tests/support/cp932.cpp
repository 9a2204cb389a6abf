#include "cp932.hpp"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace calculators {

namespace {

std::string with_crlf(std::u8string_view utf8) {
    std::string text;
    for (const char8_t unit : utf8) {
        if (unit == u8'\n') {
            text += '\r';
        }
        text += static_cast<char>(unit);
    }
    return text;
}

#ifdef _WIN32

// Windows has no iconv: its own converters, UTF-8 to UTF-16 to code page 932.
std::string to_cp932(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int utf8_length = static_cast<int>(utf8.size());
    const int wide_length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8_length, nullptr, 0);
    if (wide_length == 0) {
        throw std::runtime_error("the text is not valid UTF-8");
    }
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8_length, wide.data(),
                        wide_length);

    // No best-fit substitutes: a character that code page 932 lacks must
    // fail, not turn into a look-alike.
    BOOL used_default = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length,
                                           nullptr, 0, nullptr, &used_default);
    std::string encoded(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length, encoded.data(), length,
                        nullptr, &used_default);
    if (length == 0 || used_default) {
        throw std::runtime_error("code page 932 cannot encode the text");
    }
    return encoded;
}

#else

std::string to_cp932(std::string utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv has no CP932 converter");
    }
    std::string encoded(utf8.size() * 2 + 1, '\0');
    char* in = utf8.data();
    std::size_t in_left = utf8.size();
    char* out = encoded.data();
    std::size_t out_left = encoded.size();
    const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("iconv cannot encode the text in CP932");
    }
    encoded.resize(encoded.size() - out_left);
    return encoded;
}

#endif

}  // namespace

std::string cp932(std::u8string_view utf8) {
    return to_cp932(with_crlf(utf8));
}

}  // namespace calculators
