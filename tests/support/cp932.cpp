#include "cp932.hpp"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

std::string cp932(std::u8string_view utf8) {
    std::string source;
    for (const char8_t unit : utf8) {
        if (unit == u8'\n') {
            source += '\r';
        }
        source += static_cast<char>(unit);
    }

    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv has no CP932 converter");
    }
    std::string encoded(source.size() * 2 + 1, '\0');
    char* in = source.data();
    std::size_t in_left = source.size();
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
