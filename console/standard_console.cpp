// The one place that knows which system the programs run on: the terminal
// test, the sleep and the output mode of standard output.
#include "standard_console.hpp"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

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
#endif
    // The console decides itself when output is written, so the C library
    // must not hold any of it back.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
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
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    }

    void sleep_ms(int32 milliseconds) override { sleep_for_ms(milliseconds); }

    bool output_is_terminal() const override { return terminal_; }

private:
    bool terminal_ = standard_output_is_terminal();
};

}  // namespace

int run_on_standard_console(void (&dialogue)(console&)) {
    prepare_standard_output();
    standard_streams streams;
    console con(streams);
    dialogue(con);
    con.finish();
    return 0;
}
