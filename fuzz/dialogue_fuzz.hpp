// What every program's dialogue must do whatever arrives on its input: run
// to its end, final pause included, writing the texts of one of its
// reference runs, the numbers aside, and pausing as they do; write the same
// bytes on a console as into a file; and end with status 0, or with 1 and
// one report when its output is lost.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "console.hpp"
#include "memory_console.hpp"

namespace calculators::dialogue_fuzz {

// `output` with each run of digits and minus signs, where the dialogue puts
// its numbers, shortened to "#".
inline std::string texts_of(std::string_view output) {
    std::string texts;
    bool in_number = false;
    for (const char byte : output) {
        const bool number_byte = (byte >= '0' && byte <= '9') || byte == '-';
        if (!number_byte) {
            texts += byte;
        } else if (!in_number) {
            texts += '#';
        }
        in_number = number_byte;
    }
    return texts;
}

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "dialogue: %s\n", what);
        std::abort();
    }
}

class target {
public:
    // `reference_inputs` give every form the dialogue's texts may take; the
    // empty input, where every read fails, is the plainest.
    target(void (&dialogue)(console&), std::initializer_list<std::string_view> reference_inputs)
        : dialogue_(dialogue) {
        for (const std::string_view input : reference_inputs) {
            const dialogue_run reference = run_dialogue(dialogue, input);
            reference_texts_.push_back(texts_of(reference.output));
            if (reference_texts_.size() == 1) {
                reference_pauses_ = pause_lengths(reference);
            }
            require(pause_lengths(reference) == reference_pauses_, "references pause otherwise");
        }
    }

    int check(const std::uint8_t* data, std::size_t size) const {
        const std::string_view input(reinterpret_cast<const char*>(data), size);
        const dialogue_run on_console = run_dialogue(dialogue_, input, true);
        require(on_console.finished_cleanly, "a console run did not end with status 0");
        require(std::ranges::find(reference_texts_, texts_of(on_console.output)) !=
                    reference_texts_.end(),
                "texts differ from every reference's");
        require(pause_lengths(on_console) == reference_pauses_,
                "pauses differ from the references'");

        const dialogue_run redirected = run_dialogue(dialogue_, input, false);
        require(redirected.finished_cleanly, "a redirected run did not end with status 0");
        require(redirected.output == on_console.output,
                "a file receives other bytes than a console");
        require(pause_lengths(redirected) == reference_pauses_,
                "redirected pauses differ from the references'");

        memory_device lost(input, false);
        lost.output_fails = true;
        require(run_to_end(dialogue_, lost) == 1, "lost output did not end with status 1");
        require(lost.write_errors_reported == 1, "lost output was not reported once");
        require(lost.output == on_console.output, "lost output was not all attempted");
        require(pause_lengths(lost.pauses) == reference_pauses_,
                "a run with lost output paused otherwise");
        return 0;
    }

private:
    void (&dialogue_)(console&);
    std::vector<std::string> reference_texts_;
    std::vector<int32> reference_pauses_;
};

}  // namespace calculators::dialogue_fuzz
