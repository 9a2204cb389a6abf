#include "console.hpp"

#include <algorithm>
#include <cstdint>

namespace calculators {

console::console(console_device& device)
    : device_(device), unbuffered_(device.output_is_terminal()) {}

void console::prompt_int(shift_jis::literal<0> prompt, int32& variable) {
    write_text(prompt);
    read_int(variable);
}

void console::pause_ms(int32 milliseconds) {
    if (stopped_) {
        return;
    }
    device_.sleep_ms(milliseconds);
    stop_if_interrupted();
}

void console::stop_if_interrupted() {
    if (!stopped_ && device_.interrupted()) {
        write_out_buffer();
        stopped_ = true;
    }
}

bool console::finish() {
    write_out_buffer();
    return !output_failed_;
}

int run_to_end(void (&dialogue)(console&), console_device& device) {
    console con(device);
    dialogue(con);
    if (!con.finish()) {
        device.report_write_error();
        return 1;
    }
    return 0;
}

namespace {

// ASCII white space only: a double-byte space is not white space.
bool is_white_space(int byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\v' ||
           byte == '\f';
}

bool is_digit(int byte) {
    return byte >= '0' && byte <= '9';
}

}  // namespace

void console::read_int(int32& variable) {
    while (is_white_space(peek())) {
        take();
    }
    bool negative = false;
    if (peek() == '+' || peek() == '-') {
        negative = peek() == '-';
        take();
    }
    if (!is_digit(peek())) {
        return;
    }
    // Accumulating modulo 2^64 keeps the low 32 bits exact however many
    // digits arrive, and the low 32 bits are all that is stored.
    std::uint64_t value = 0;
    while (is_digit(peek())) {
        value = value * 10 + static_cast<std::uint64_t>(peek() - '0');
        take();
    }
    if (negative) {
        value = 0 - value;
    }
    variable = static_cast<int32>(static_cast<uint32>(value));
}

int console::peek() {
    if (!next_byte_known_) {
        next_byte_ = stopped_ ? console_device::end_of_input : device_.read_byte();
        next_byte_known_ = true;
        stop_if_interrupted();
    }
    return next_byte_;
}

void console::take() {
    if (next_byte_ != console_device::end_of_input) {
        next_byte_known_ = false;
    }
}

void console::write(std::string_view bytes) {
    if (stopped_) {
        return;
    }
    if (unbuffered_) {
        output_failed_ |= !device_.write_bytes(bytes);
        stop_if_interrupted();
        return;
    }
    while (!bytes.empty() && !stopped_) {
        const std::size_t taken = std::min(bytes.size(), buffer_.size() - buffered_);
        std::copy_n(bytes.begin(), taken, buffer_.begin() + buffered_);
        buffered_ += taken;
        bytes.remove_prefix(taken);
        if (buffered_ == buffer_.size()) {
            write_out_buffer();
            stop_if_interrupted();
        }
    }
}

void console::write_out_buffer() {
    if (buffered_ > 0) {
        output_failed_ |= !device_.write_bytes(std::string_view(buffer_.data(), buffered_));
        buffered_ = 0;
    }
}

}  // namespace calculators
