// Shift_JIS (Windows code page 932) for the calculators' texts, produced at
// compile time from the UTF-8 literals in the source.
//
// The programs never change the console's code page, so every text must
// already be in the bytes the console shows.  Kana, full-width letters and
// digits and Greek capitals sit in regular runs of the code page and are
// computed; the few other characters the texts use are listed by hand.  A
// text that uses a character neither covers does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace calculators::shift_jis {

struct listed_character {
    char32_t character;
    std::uint16_t code;
};

inline constexpr listed_character listed_characters[] = {
    {U'　', 0x8140}, {U'、', 0x8141}, {U'！', 0x8149}, {U'ー', 0x815B}, {U'＝', 0x8181},
    {U'●', 0x819C},  {U'∫', 0x81E7},  {U'計', 0x8C76}, {U'算', 0x8E5A}, {U'但', 0x9241},
    {U'積', 0x90CF}, {U'分', 0x95AA}, {U'約', 0x96F1}, {U'自', 0x8EA9},
};

// A regular run: `count` characters from `first` that take consecutive
// codes from `first_code`.
struct run {
    char32_t first;
    std::uint16_t count;
    std::uint16_t first_code;
};

inline constexpr run runs[] = {
    {U'ぁ', 83, 0x829F},  // ぁ .. ん
    {U'ァ', 63, 0x8340},  // ァ .. ミ; the code page skips 0x837F after it
    {U'ム', 23, 0x8380},  // ム .. ヶ
    {U'０', 10, 0x824F},  // full-width digits
    {U'Ａ', 26, 0x8260},  // full-width capitals
    {U'ａ', 26, 0x8281},  // full-width small letters
    {U'Α', 17, 0x839F},   // Greek capitals Alpha .. Rho
    {U'Σ', 7, 0x83B0},    // Sigma .. Omega; U+03A2 has no letter
};

// The code page 932 code of `character`: one byte for ASCII, two for the
// rest; nothing for a character outside what this encoder covers.
constexpr std::optional<std::uint16_t> code_of(char32_t character) {
    if (character < 0x80) {
        return static_cast<std::uint16_t>(character);
    }
    for (const run& r : runs) {
        if (character >= r.first && character - r.first < r.count) {
            return static_cast<std::uint16_t>(r.first_code + (character - r.first));
        }
    }
    for (const listed_character& listed : listed_characters) {
        if (listed.character == character) {
            return listed.code;
        }
    }
    return std::nullopt;
}

// A text that breaks a rule stops the compilation: a consteval function
// cannot call these, which are never defined, and the compiler's message
// names the one it met.
void text_is_not_valid_utf8();
void percent_sign_not_followed_by_d();
void more_placeholders_than_values();
void fewer_placeholders_than_values();
void character_not_in_this_encoder();
void text_longer_than_capacity();

// Decodes one character of UTF-8 at `at`, moving `at` past it.
constexpr char32_t next_character(std::u8string_view utf8, std::size_t& at) {
    const auto byte = [&](std::size_t index) -> char32_t {
        if (index >= utf8.size()) {
            text_is_not_valid_utf8();
        }
        return utf8[index];
    };
    const char32_t lead = byte(at);
    std::size_t length = 1;
    char32_t character = lead;
    if (lead >= 0xF0) {
        length = 4;
        character = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = 3;
        character = lead & 0x0F;
    } else if (lead >= 0xC0) {
        length = 2;
        character = lead & 0x1F;
    } else if (lead >= 0x80) {
        text_is_not_valid_utf8();
    }
    for (std::size_t k = 1; k < length; ++k) {
        const char32_t continuation = byte(at + k);
        if ((continuation & 0xC0) != 0x80) {
            text_is_not_valid_utf8();
        }
        character = (character << 6) | (continuation & 0x3F);
    }
    at += length;
    return character;
}

// The longest text, in bytes once encoded.
inline constexpr std::size_t capacity = 256;

// A literal text of the dialogue, encoded at compile time: every line break
// becomes CR LF, every other character its code page 932 bytes, and each
// "%d" marks where one of `value_count` values goes.  A literal whose number
// of "%d" differs from the number of values passed with it does not compile.
template <std::size_t value_count>
class literal {
public:
    template <std::size_t size>
    consteval literal(const char8_t (&utf8)[size]) {  // NOLINT: implicit by design
        const std::u8string_view text(utf8, size - 1);
        std::size_t values_seen = 0;
        for (std::size_t at = 0; at < text.size();) {
            if (text[at] == u8'%') {
                if (at + 1 >= text.size() || text[at + 1] != u8'd') {
                    percent_sign_not_followed_by_d();
                }
                if (values_seen == value_count) {
                    more_placeholders_than_values();
                }
                value_at_[values_seen++] = length_;
                at += 2;
                continue;
            }
            const char32_t character = next_character(text, at);
            if (character == U'\n') {
                append('\r');
                append('\n');
                continue;
            }
            const std::optional<std::uint16_t> code = code_of(character);
            if (!code) {
                character_not_in_this_encoder();
            }
            if (*code > 0xFF) {
                append(static_cast<char>(*code >> 8));
            }
            append(static_cast<char>(*code & 0xFF));
        }
        if (values_seen != value_count) {
            fewer_placeholders_than_values();
        }
    }

    // The encoded bytes, without the "%d" markers.
    constexpr std::string_view bytes() const { return {bytes_.data(), length_}; }

    // Where in bytes() value `index` is inserted.
    constexpr std::size_t value_at(std::size_t index) const { return value_at_[index]; }

private:
    constexpr void append(char byte) {
        if (length_ == capacity) {
            text_longer_than_capacity();
        }
        bytes_[length_++] = byte;
    }

    std::array<char, capacity> bytes_{};
    std::size_t length_ = 0;
    std::array<std::size_t, value_count> value_at_{};
};

}  // namespace calculators::shift_jis
