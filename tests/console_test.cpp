#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "console.hpp"
#include "cp932.hpp"
#include "dialogue_case.hpp"
#include "memory_console.hpp"

namespace calculators {
namespace {

std::u8string utf8_of(char32_t character) {
    std::u8string text;
    const auto unit = [](char32_t bits) { return static_cast<char8_t>(bits); };
    if (character < 0x80) {
        text += unit(character);
    } else if (character < 0x800) {
        text += unit(0xC0 | (character >> 6));
        text += unit(0x80 | (character & 0x3F));
    } else {
        text += unit(0xE0 | (character >> 12));
        text += unit(0x80 | ((character >> 6) & 0x3F));
        text += unit(0x80 | (character & 0x3F));
    }
    return text;
}

TEST(ShiftJis, EveryCharacterTheEncoderKnowsMatchesTheSystemConverter) {
    int known = 0;
    for (char32_t character = 1; character <= 0xFFFF; ++character) {
        const auto code = shift_jis::code_of(character);
        const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
        if (!code || surrogate || character == U'\n') {
            continue;
        }
        ++known;
        std::string ours;
        if (*code > 0xFF) {
            ours += static_cast<char>(*code >> 8);
        }
        ours += static_cast<char>(*code & 0xFF);
        EXPECT_EQ(ours, cp932(utf8_of(character))) << "U+" << std::hex << unsigned{character};
    }
    // ASCII, the kana, the full-width letters and digits, Greek capitals and
    // the listed characters.
    EXPECT_GT(known, 126 + 83 + 86 + 62 + 24);
}

TEST(ShiftJis, LiteralEncodesLineBreaksAsCrLfAndMarksValues) {
    constexpr shift_jis::literal<2> text(u8"Σ%d＝\n%d");
    EXPECT_EQ(std::string(text.bytes()), cp932(u8"Σ＝\n"));
    EXPECT_EQ(text.value_at(0), 2U);
    EXPECT_EQ(text.value_at(1), 6U);
}

TEST(WriteText, WritesValuesInPlainSignedDecimal) {
    memory_device device("", true);
    console con(device);
    con.write_text(u8"[%d|%d|%d|%d]", INT_MIN, -1, 0, INT_MAX);
    con.write_text(u8" + %d +%d＝%d", -2, -2, 7);
    EXPECT_EQ(device.output, cp932(u8"[-2147483648|-1|0|2147483647] + -2 +-2＝7"));
}

struct read_case {
    const char* name;
    std::string input;
    // The variables after one read each; every variable starts at 77, so a
    // 77 shows a read that failed.
    std::vector<int32> values;
};

void PrintTo(const read_case& row, std::ostream* out) {
    *out << row.name;
}

class ReadNumber : public testing::TestWithParam<read_case> {};

TEST_P(ReadNumber, StoresWhatTheReaderTakes) {
    const read_case& row = GetParam();
    memory_device device(row.input, true);
    console con(device);
    std::vector<int32> values(row.values.size(), 77);
    for (int32& value : values) {
        con.prompt_int(u8"x >>  ", value);
    }
    EXPECT_EQ(values, row.values);
    std::string prompts;
    for (std::size_t k = 0; k < values.size(); ++k) {
        prompts += "x >>  ";
    }
    EXPECT_EQ(device.output, prompts);
}

INSTANTIATE_TEST_SUITE_P(
    Console, ReadNumber,
    testing::Values(
        read_case{"plain", "42\n", {42}},
        read_case{"leading_white_space_and_minus", "  -7\n", {-7}},
        read_case{"every_ascii_white_space", " \t\n\v\f\r8", {8}},
        read_case{"plus_sign", "+5\n", {5}},
        read_case{"sign_then_space_fails_and_keeps_the_number", "- 5\n", {77, 5}},
        read_case{"two_signs_fail_once", "--5 +-6\n", {77, -5, 77, -6}},
        read_case{"lone_sign_at_end_of_input", "+", {77, 77}},
        read_case{"wraps_past_int32_max", "2147483648\n", {INT_MIN}},
        read_case{"two_to_the_32_is_zero", "4294967296\n", {0}},
        read_case{"wraps_to_one", "4294967297 -4294967295\n", {1, 1}},
        read_case{"past_64_bits_keeps_the_low_32_bits", "18446744073709551617\n", {1}},
        read_case{"twenty_nines", "99999999999999999999\n", {1661992959}},
        read_case{"leading_zeros", "-0000012\n", {-12}},
        read_case{"stops_at_letter_and_every_later_read_fails_on_it", "12abc\n3\n", {12, 77, 77}},
        read_case{"several_on_one_line", "1 2\t3\n4", {1, 2, 3, 4}},
        read_case{"empty_input", "", {77, 77}}, read_case{"white_space_only", " \n\n ", {77}},
        read_case{"full_width_digit_is_no_digit", "\x82\x50\n", {77, 77}},
        read_case{"full_width_space_is_no_space",
                  "\x81\x40"
                  "5\n",
                  {77}},
        read_case{"nul_byte_stops_the_read",
                  std::string("7\0"
                              "8",
                              3),
                  {7, 77}}),
    case_name());

// A dialogue that writes more than one buffer's worth.
void long_dialogue(console& con) {
    for (int line = 0; line < 60; ++line) {
        con.write_text(u8"line %d\n", line);
    }
    con.pause_ms(5);
}

TEST(OutputTiming, ConsoleGetsEveryTextAtOnce) {
    memory_device device("", true);
    console con(device);
    con.write_text(u8"a");
    EXPECT_EQ(device.output, "a");
    con.write_text(u8"b");
    con.pause_ms(10);
    EXPECT_EQ(device.pauses, (std::vector<recorded_pause>{{10, 2}}));
    EXPECT_TRUE(con.finish());
    EXPECT_EQ(device.writes, 2U);
}

TEST(OutputTiming, RedirectedOutputArrivesInBlocksOf512AndTheRestAtTheEnd) {
    memory_device device("", false);
    console con(device);
    long_dialogue(con);
    // 10 lines of 8 bytes and 50 of 9: 530 bytes.
    EXPECT_EQ(device.pauses, (std::vector<recorded_pause>{{5, 512}}));
    EXPECT_EQ(device.writes, 1U);
    EXPECT_TRUE(con.finish());
    EXPECT_EQ(device.output.size(), 530U);
    EXPECT_EQ(device.writes, 2U);
}

TEST(OutputTiming, ShortRedirectedOutputWaitsForTheEnd) {
    memory_device device("", false);
    console con(device);
    con.write_text(u8"short");
    con.pause_ms(1);
    EXPECT_EQ(device.pauses, (std::vector<recorded_pause>{{1, 0}}));
    EXPECT_TRUE(con.finish());
    EXPECT_EQ(device.output, "short");
}

TEST(OutputTiming, FinishReportsOutputThatCouldNotBeWritten) {
    for (const bool terminal : {true, false}) {
        memory_device device("", terminal);
        device.output_fails = true;
        console con(device);
        con.write_text(u8"lost");
        EXPECT_FALSE(con.finish()) << "terminal: " << terminal;
    }
}

TEST(OutputTiming, AFailedWriteIsRememberedWhenLaterWritesSucceed) {
    memory_device device("", true);
    console con(device);
    device.output_fails = true;
    con.write_text(u8"lost");
    device.output_fails = false;
    con.write_text(u8"shown");
    EXPECT_FALSE(con.finish());
}

// A dialogue with each kind of point a user may interrupt: prompts, a
// progress animation and a final pause.
void interruptible_dialogue(console& con) {
    con.write_text(u8"title\n");
    int32 a = 0;
    int32 b = 0;
    con.prompt_int(u8"a >>  ", a);
    con.prompt_int(u8"b >>  ", b);
    con.write_text(u8"dots");
    for (int dot = 0; dot < 3; ++dot) {
        con.write_text(u8".");
        con.pause_ms(100);
    }
    con.write_text(u8"\n%d+%d", a, b);
    con.pause_ms(5000);
}

struct interrupt_case {
    const char* name;
    std::string input;
    // Where the interruption comes: when the input runs out (the program
    // waits at a prompt), or in the pause with this number.
    bool at_end_of_input;
    std::size_t in_pause;
    // All the program wrote before it was interrupted.
    std::string output;
    std::vector<int32> pauses;
};

void PrintTo(const interrupt_case& row, std::ostream* out) {
    *out << row.name;
}

class Interrupt : public testing::TestWithParam<interrupt_case> {};

// Interrupted, a run writes out exactly what it had produced, on a console
// as into a file, and then nothing more: no prompt, no pause, no text.
TEST_P(Interrupt, WritesOutWhatWasHeldAndNothingMore) {
    const interrupt_case& row = GetParam();
    for (const bool terminal : {true, false}) {
        memory_device device(row.input, terminal);
        device.interrupt_when_input_runs_out = row.at_end_of_input;
        device.interrupt_in_pause = row.in_pause;
        EXPECT_EQ(run_to_end(interruptible_dialogue, device), 0);
        EXPECT_TRUE(device.interrupted());
        EXPECT_EQ(device.output, row.output) << "terminal: " << terminal;
        EXPECT_EQ(pause_lengths(device.pauses), row.pauses) << "terminal: " << terminal;
        if (!terminal) {
            EXPECT_EQ(device.writes, 1U) << "held output is written out once";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Console, Interrupt,
    testing::Values(
        interrupt_case{"at_the_first_prompt", "", true, 0, "title\r\na >>  ", {}},
        interrupt_case{"at_the_second_prompt", "4\n", true, 0, "title\r\na >>  b >>  ", {}},
        interrupt_case{
            "in_the_animation", "4 5\n", false, 2, "title\r\na >>  b >>  dots..", {100, 100}},
        interrupt_case{"in_the_final_pause",
                       "4 5\n",
                       false,
                       4,
                       "title\r\na >>  b >>  dots...\r\n4+5",
                       {100, 100, 100, 5000}}),
    case_name());

TEST(Interrupt, OutputBeyondOneBufferIsWrittenOutWhole) {
    memory_device device("", false);
    device.interrupt_in_pause = 1;
    EXPECT_EQ(run_to_end(long_dialogue, device), 0);
    EXPECT_EQ(device.output.size(), 530U);
    EXPECT_EQ(device.writes, 2U);
}

TEST(Interrupt, LostOutputIsStillReported) {
    memory_device device("", false);
    device.output_fails = true;
    device.interrupt_in_pause = 1;
    EXPECT_EQ(run_to_end(long_dialogue, device), 1);
    EXPECT_EQ(device.write_errors_reported, 1);
}

struct ending_case {
    const char* name;
    bool terminal;
    bool output_fails;
    int exit_status;
};

void PrintTo(const ending_case& row, std::ostream* out) {
    *out << row.name;
}

class Ending : public testing::TestWithParam<ending_case> {};

// Lost output ends the run with status 1 and one report, but only once the
// whole dialogue, its final pause included, has run as usual.
TEST_P(Ending, LostOutputFailsTheRunAfterTheWholeDialogue) {
    const ending_case& row = GetParam();
    memory_device device("", row.terminal);
    device.output_fails = row.output_fails;
    EXPECT_EQ(run_to_end(long_dialogue, device), row.exit_status);
    EXPECT_EQ(device.write_errors_reported, row.exit_status);
    EXPECT_EQ(device.output.size(), 530U);
    ASSERT_EQ(device.pauses.size(), 1U);
    EXPECT_EQ(device.pauses[0].milliseconds, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Console, Ending,
    testing::Values(ending_case{"console", true, false, 0},
                    ending_case{"redirected", false, false, 0},
                    ending_case{"console_that_cannot_be_written", true, true, 1},
                    ending_case{"file_that_cannot_be_written", false, true, 1}),
    case_name());

}  // namespace
}  // namespace calculators
