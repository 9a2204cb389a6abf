// Fuzz target for the number reader: any bytes in, and every read must take
// what a plain model of the reading rules takes, down to the byte that stops
// it and stays for the next read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "console.hpp"
#include "memory_console.hpp"

namespace calculators {
namespace {

// The reading rules the plain way, without look-ahead: skip ASCII white
// space, take one sign, then digits, accumulating modulo 2^32 directly.
class model_reader {
public:
    explicit model_reader(std::string_view input) : input_(input) {}

    // The value read, or nothing when the read fails.
    std::optional<int32> read() {
        while (at_ < input_.size() && is_white_space(input_[at_])) {
            ++at_;
        }
        bool negative = false;
        if (at_ < input_.size() && (input_[at_] == '+' || input_[at_] == '-')) {
            negative = input_[at_] == '-';
            ++at_;
        }
        if (at_ == input_.size() || !is_digit(input_[at_])) {
            return std::nullopt;
        }
        uint32 value = 0;
        for (; at_ < input_.size() && is_digit(input_[at_]); ++at_) {
            value = value * 10 + static_cast<uint32>(input_[at_] - '0');
        }
        return static_cast<int32>(negative ? 0 - value : value);
    }

    std::size_t position() const { return at_; }

private:
    static bool is_white_space(char byte) {
        return std::string_view(" \t\n\r\v\f").find(byte) != std::string_view::npos;
    }

    static bool is_digit(char byte) { return byte >= '0' && byte <= '9'; }

    std::string_view input_;
    std::size_t at_ = 0;
};

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "number reader: %s\n", what);
        std::abort();
    }
}

}  // namespace
}  // namespace calculators

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace calculators;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    memory_device device(input, true);
    console con(device);
    model_reader model(input);
    std::string prompts;
    // Every read moves on through the input, until one fails where it
    // stands: at the end, or on a byte that every later read fails on too.
    for (bool stuck = false; !stuck;) {
        // A failed read must leave the variable as it was.
        constexpr int32 unset = -1234567;
        int32 value = unset;
        con.prompt_int(u8"x >>  ", value);
        prompts += "x >>  ";
        const std::size_t before = model.position();
        const std::optional<int32> expected = model.read();
        require(value == expected.value_or(unset), "the value read differs from the model's");
        stuck = !expected && model.position() == before;
    }
    require(device.output == prompts, "the output is not the prompts alone");
    return 0;
}
