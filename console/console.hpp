// The console dialogue that every calculator is built from: write a text,
// prompt for a number, pause.
//
// A console talks to a console_device: the standard streams and the real
// sleep in the programs, an in-memory stand-in in the tests.  The console
// itself holds every rule of the dialogue: encoding, when output is written
// out, and how a number is read.
#pragma once

#include <algorithm>
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

    // The next byte of input (0 to 255), waiting for it as long as needed,
    // or end_of_input.  Once the run is interrupted: end_of_input at once.
    virtual int read_byte() = 0;

    // Writes all of `bytes` to the output; false when they could not be
    // written.  Writes on after an interruption, so that what the program
    // held is not lost.
    virtual bool write_bytes(std::string_view bytes) = 0;

    // Waits `milliseconds`, or less when the run is interrupted meanwhile.
    virtual void sleep_ms(int32 milliseconds) = 0;

    // Tells the user, away from the output, that some output could not be
    // written.  Called at most once, when the dialogue has ended.
    virtual void report_write_error() = 0;

    // Whether the output is a console: a console is shown every text at
    // once, anything else gets its output in blocks.
    virtual bool output_is_terminal() const = 0;

    // Whether the user has asked the program to stop (Ctrl+C, the console
    // closed, a termination signal).  Once true, it stays true.
    virtual bool interrupted() const = 0;

protected:
    // Never deleted through this interface.
    ~console_device() = default;
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
            std::copy(text.bytes().begin() + copied, text.bytes().begin() + end,
                      line.data() + length);
            length += end - copied;
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
    void stop_if_interrupted();

    console_device& device_;
    const bool unbuffered_;
    bool output_failed_ = false;
    // Set once the run is interrupted and the output held until then has
    // been written out: from then on nothing is written, read or waited for,
    // so the dialogue runs through to its end at once.
    bool stopped_ = false;

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
// success, yet the dialogue and its pauses run as usual.  An interrupted run
// ends early with its output written out; the caller sees device.interrupted()
// and ends the process as interrupted.
int run_to_end(void (&dialogue)(console&), console_device& device);

}  // namespace calculators
