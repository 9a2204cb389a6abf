// The console dialogue that every calculator is built from: write a text,
// prompt for a number, pause.
//
// A console talks to a console_device: the standard streams and the real
// sleep in the programs, an in-memory stand-in in the tests.  The console
// itself holds every rule of the dialogue: encoding, when output is written
// out, and how a number is read.
#pragma once

#include <array>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <string_view>

#include "int32.hpp"
#include "shift_jis.hpp"

namespace calculators {

// What a console needs from the world outside the program.
class console_device {
public:
    static constexpr int end_of_input = -1;

    virtual ~console_device() = default;

    // The next byte of input (0 to 255), waiting for it as long as needed,
    // or end_of_input.
    virtual int read_byte() = 0;

    // Writes all of `bytes` to the output; false when they could not be written.
    virtual bool write_bytes(std::string_view bytes) = 0;

    virtual void sleep_ms(int32 milliseconds) = 0;

    // Tells the user, away from the output, that some output could not be
    // written.  Called at most once, when the dialogue has ended.
    virtual void report_write_error() = 0;

    // Whether the output is a console: a console is shown every text at
    // once, anything else gets its output in blocks.
    virtual bool output_is_terminal() const = 0;
};

class console {
public:
    // Output held for a destination that is not a console is written out in
    // blocks of this size, and the rest by finish().
    static constexpr std::size_t buffer_size = 512;

    explicit console(console_device& device);
    console(const console&) = delete;
    console& operator=(const console&) = delete;

    // Writes `text` with each "%d" replaced by the next value in signed decimal.
    template <std::same_as<int32>... Values>
    void write_text(shift_jis::literal<sizeof...(Values)> text, Values... values) {
        const std::array<int32, sizeof...(Values)> numbers{values...};
        std::array<char, shift_jis::capacity + sizeof...(Values) * 11> line{};
        std::size_t length = 0;
        std::size_t copied = 0;
        const auto copy_text_up_to = [&](std::size_t end) {
            const std::string_view piece = text.bytes().substr(copied, end - copied);
            piece.copy(line.data() + length, piece.size());
            length += piece.size();
            copied = end;
        };
        for (std::size_t index = 0; index < numbers.size(); ++index) {
            copy_text_up_to(text.value_at(index));
            length = static_cast<std::size_t>(
                std::to_chars(line.data() + length, line.data() + line.size(), numbers[index]).ptr -
                line.data());
        }
        copy_text_up_to(text.bytes().size());
        write(std::string_view(line.data(), length));
    }

    // Writes `prompt` and reads one number into `variable`.  A read that finds
    // no number leaves `variable` as it was; the dialogue goes on regardless.
    void prompt_int(shift_jis::literal<0> prompt, int32& variable);

    void pause_ms(int32 milliseconds);

    // Writes out any output still held.  False when some output, now or
    // earlier, could not be written.
    bool finish();

private:
    void read_int(int32& variable);
    int peek();
    void take();
    void write(std::string_view bytes);
    void write_out_buffer();

    console_device& device_;
    const bool unbuffered_;
    bool output_failed_ = false;

    // One byte of look-ahead: the byte that stopped a read stays here for
    // the next read.  Once the input has ended it stays ended.
    int next_byte_ = 0;
    bool next_byte_known_ = false;

    std::array<char, buffer_size> buffer_{};
    std::size_t buffered_ = 0;
};

// Runs `dialogue` on `device` to its end, final pause included, and returns
// the exit status: 0, or 1 when some output could not be written, which the
// device is then told to report.  Output that was lost must not pass for
// success, yet the dialogue and its pauses run as usual.
int run_to_end(void (&dialogue)(console&), console_device& device);

}  // namespace calculators
