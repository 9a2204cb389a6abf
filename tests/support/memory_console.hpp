// An in-memory console for the dialogue tests: input bytes in, output bytes
// and pauses recorded, nothing slept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console.hpp"

namespace calculators {

struct recorded_pause {
    int32 milliseconds;
    // How many output bytes had been written out when the pause began.
    std::size_t bytes_written_before;

    bool operator==(const recorded_pause&) const = default;
};

class memory_device final : public console_device {
public:
    memory_device(std::string_view input, bool terminal) : input_(input), terminal_(terminal) {}

    int read_byte() override {
        if (read_ >= input_.size()) {
            interrupted_ |= interrupt_when_input_runs_out;
            return end_of_input;
        }
        return static_cast<unsigned char>(input_[read_++]);
    }

    bool write_bytes(std::string_view bytes) override {
        output.append(bytes);
        ++writes;
        return !output_fails;
    }

    void sleep_ms(int32 milliseconds) override {
        pauses.push_back({milliseconds, output.size()});
        interrupted_ |= pauses.size() == interrupt_in_pause;
    }

    void report_write_error() override { ++write_errors_reported; }

    bool output_is_terminal() const override { return terminal_; }

    bool interrupted() const override { return interrupted_; }

    // An interruption while the program waits for input that has not come
    // (a pipe that stays open): when the input runs out, instead of its end.
    bool interrupt_when_input_runs_out = false;
    // An interruption that ends the pause with this number (the first is 1).
    std::size_t interrupt_in_pause = 0;

    std::string output;
    std::size_t writes = 0;
    std::vector<recorded_pause> pauses;
    bool output_fails = false;
    int write_errors_reported = 0;

private:
    std::string input_;
    std::size_t read_ = 0;
    bool terminal_;
    bool interrupted_ = false;
};

// One whole run of a program's dialogue.
struct dialogue_run {
    std::string output;
    std::vector<recorded_pause> pauses;
    bool finished_cleanly;
};

inline dialogue_run run_dialogue(void (&dialogue)(console&), std::string_view input,
                                 bool terminal = true) {
    memory_device device(input, terminal);
    const int exit_status = run_to_end(dialogue, device);
    return {device.output, device.pauses, exit_status == 0};
}

// The pauses, in milliseconds.
inline std::vector<int32> pause_lengths(const std::vector<recorded_pause>& pauses) {
    std::vector<int32> lengths;
    for (const recorded_pause& pause : pauses) {
        lengths.push_back(pause.milliseconds);
    }
    return lengths;
}

inline std::vector<int32> pause_lengths(const dialogue_run& run) {
    return pause_lengths(run.pauses);
}

}  // namespace calculators
