// What every program's dialogue must do whatever arrives on its input: run
// to its end, final pause included, writing the same texts and pausing the
// same way as on any other input, the numbers aside; write the same bytes on
// a console as into a file; and end with status 0, or with 1 and one report
// when its output is lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console.hpp"
#include "memory_console.hpp"

namespace dialogue_fuzz {

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

inline int check(void (&dialogue)(console&), const std::uint8_t* data, std::size_t size) {
    // Input that ends at once, the plainest run there is, as the reference.
    static const dialogue_run reference = run_dialogue(dialogue, "");
    static const std::string reference_texts = texts_of(reference.output);

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const dialogue_run on_console = run_dialogue(dialogue, input, true);
    require(on_console.finished_cleanly, "a console run did not end with status 0");
    require(texts_of(on_console.output) == reference_texts, "texts differ from the reference's");
    require(pause_lengths(on_console) == pause_lengths(reference),
            "pauses differ from the reference's");

    const dialogue_run redirected = run_dialogue(dialogue, input, false);
    require(redirected.finished_cleanly, "a redirected run did not end with status 0");
    require(redirected.output == on_console.output, "a file receives other bytes than a console");
    require(pause_lengths(redirected) == pause_lengths(reference),
            "redirected pauses differ from the reference's");

    memory_device lost(input, false);
    lost.output_fails = true;
    require(run_to_end(dialogue, lost) == 1, "lost output did not end with status 1");
    require(lost.write_errors_reported == 1, "lost output was not reported once");
    require(lost.output == on_console.output, "lost output was not all attempted");
    require(pause_lengths(lost.pauses) == pause_lengths(reference),
            "a run with lost output paused otherwise");
    return 0;
}

}  // namespace dialogue_fuzz
