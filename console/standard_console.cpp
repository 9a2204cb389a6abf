// The one place that knows which system the programs run on: the terminal
// test, the sleep, the output mode of standard output and how a write error
// is reported.
#include "standard_console.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>
#endif

namespace calculators {

namespace {

bool standard_output_is_terminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(STDOUT_FILENO) != 0;
#endif
}

void prepare_standard_output() {
#ifdef _WIN32
    // The texts carry their own CR LF; text mode would turn each LF into
    // another CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#else
    // Output into a pipe whose reader has gone must not end the program: the
    // write fails instead, and the program says so when its dialogue is over.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // The console decides itself when output is written, so the C library
    // must not hold any of it back.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

// The name the program was started by, without its folder, as messages on
// the standard error stream begin.
std::string program_name() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name.erase(0, name.find_last_of("\\/") + 1);
    if (name.ends_with(".exe")) {
        name.resize(name.size() - 4);
    }
    return name;
#else
    return program_invocation_short_name;
#endif
}

void sleep_for_ms(int32 milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
#ifdef _WIN32
    Sleep(static_cast<DWORD>(milliseconds));
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}

class standard_streams final : public console_device {
public:
    int read_byte() override {
        const int byte = std::getchar();
        return byte == EOF ? end_of_input : byte;
    }

    bool write_bytes(std::string_view bytes) override {
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) {
            return true;
        }
        if (first_write_error_ == 0) {
            first_write_error_ = errno;
        }
        return false;
    }

    void sleep_ms(int32 milliseconds) override { sleep_for_ms(milliseconds); }

    // One line, as the standard tools write it: "polysum: write error: No
    // space left on device".
    void report_write_error() override {
        std::string message = program_name() + ": write error";
        if (first_write_error_ != 0) {
            message += ": ";
            message += std::strerror(first_write_error_);
        }
        std::fprintf(stderr, "%s\n", message.c_str());
    }

    bool output_is_terminal() const override { return terminal_; }

private:
    bool terminal_ = standard_output_is_terminal();
    // The system's reason for the first write that failed; 0 when none did.
    int first_write_error_ = 0;
};

}  // namespace

int run_on_standard_console(void (&dialogue)(console&)) {
    prepare_standard_output();
    standard_streams streams;
    return run_to_end(dialogue, streams);
}

}  // namespace calculators
