// The one place that knows which system the programs run on: standard input
// and output through the system's own read and write, the terminal test,
// the sleep, interruption by the user and how a write error is reported.
//
// Each text goes to the system in one write, so a two-byte character is
// never cut between two writes.  Nothing here needs the C++ runtime library:
// the programs load the C library alone.
#include "standard_console.hpp"

#include <cstddef>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>
#endif

namespace calculators {

namespace {

// Builds one line of text in a fixed buffer, cutting what does not fit.
class message_line {
public:
    void append(const char* text) {
        for (; *text != '\0' && length_ < sizeof(text_) - 1; ++text) {
            text_[length_++] = *text;
        }
    }
    const char* data() const { return text_; }
    std::size_t size() const { return length_; }

private:
    char text_[512] = {};
    std::size_t length_ = 0;
};

#ifdef _WIN32

bool is_console(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

const HANDLE standard_input = GetStdHandle(STD_INPUT_HANDLE);
const HANDLE standard_output = GetStdHandle(STD_OUTPUT_HANDLE);
const bool output_is_console = is_console(standard_output);

// Ctrl+C, Ctrl+Break and closing the console reach a handler that the
// system runs on a thread of its own.  It sets `interrupted` and wakes the
// main thread, which is then in a pause or waiting for input; the main
// thread writes out what it holds and ends the process.
volatile LONG interrupted = 0;
HANDLE wake_event = nullptr;

[[noreturn]] void end_as_interrupted() {
    ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}

BOOL WINAPI on_console_control(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            break;
        default:
            return FALSE;
    }
    InterlockedExchange(&interrupted, 1);
    SetEvent(wake_event);
    // A console holds nothing back, and its main thread may be blocked in a
    // read of its own (see input_reader): end the process here if the main
    // thread has not done so by then.
    Sleep(200);
    if (output_is_console) {
        end_as_interrupted();
    }
    // Otherwise the main thread ends the process once the output held is
    // out.  Returning would let the system end it at once after a close.
    Sleep(INFINITE);
    return TRUE;
}

bool is_interrupted() {
    return InterlockedCompareExchange(&interrupted, 0, 0) != 0;
}

void watch_for_interruption() {
    wake_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(on_console_control, TRUE);
}

// Standard input.  When the output is held for a file or a pipe, it is read
// on a thread of its own: a read from a pipe cannot be relied on to return
// when the run is interrupted, so the main thread waits for the reader or
// for an interruption, whichever comes first, and writes out what it holds.
// The two threads take turns with the buffer: the reader fills it only
// between `wanted` and `ready`.  On a console nothing is held, and the
// input is read on the main thread (32-bit Wine under qemu has been seen to
// crash with a reader thread and console output).
class input_reader {
public:
    input_reader() {
        if (!output_is_console) {
            CreateThread(nullptr, 0, run, this, 0, nullptr);
        }
    }

    // The next chunk of input, or an empty chunk at its end or when the
    // run is interrupted.
    std::string_view next_chunk() {
        if (output_is_console) {
            read();
        } else {
            SetEvent(wanted_);
            const HANDLE events[] = {wake_event, ready_};
            if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
                return {};
            }
        }
        if (count_ == 0 && input_is_console_) {
            // Ctrl+C makes a console read return with nothing, possibly
            // before the handler has run: give it a moment, so that the
            // run ends as interrupted rather than with its input.
            WaitForSingleObject(wake_event, 100);
        }
        return {buffer_, count_};
    }

private:
    static DWORD WINAPI run(void* self) {
        static_cast<input_reader*>(self)->read_on_request();
        return 0;
    }

    void read_on_request() {
        for (;;) {
            WaitForSingleObject(wanted_, INFINITE);
            read();
            SetEvent(ready_);
        }
    }

    void read() {
        DWORD count = 0;
        if (!ReadFile(standard_input, buffer_, sizeof(buffer_), &count, nullptr)) {
            count = 0;
        }
        count_ = count;
    }

    bool input_is_console_ = is_console(standard_input);
    // Auto-reset: each request and each answer is taken once.
    HANDLE wanted_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE ready_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    char buffer_[4096] = {};
    DWORD count_ = 0;
};

class standard_streams final : public console_device {
public:
    int read_byte() override {
        if (next_.empty() && !input_ended_) {
            next_ = input_.next_chunk();
            input_ended_ = next_.empty();
        }
        if (next_.empty()) {
            return end_of_input;
        }
        const char byte = next_.front();
        next_.remove_prefix(1);
        return static_cast<unsigned char>(byte);
    }

    bool write_bytes(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            if (!WriteFile(standard_output, bytes.data(), static_cast<DWORD>(bytes.size()),
                           &written, nullptr)) {
                if (first_write_error_ == 0) {
                    first_write_error_ = GetLastError();
                }
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    void sleep_ms(int32 milliseconds) override {
        if (milliseconds > 0) {
            WaitForSingleObject(wake_event, static_cast<DWORD>(milliseconds));
        }
    }

    // One line, as the standard tools write it: "polysum: write error: ...".
    void report_write_error() override {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        const char* name = path;
        for (const char* at = path; *at != '\0'; ++at) {
            if (*at == '\\' || *at == '/') {
                name = at + 1;
            }
        }
        char* extension = std::strrchr(path, '.');
        if (extension != nullptr && extension >= name) {
            *extension = '\0';
        }
        message_line line;
        line.append(name);
        line.append(": write error");
        char reason[256] = {};
        if (first_write_error_ != 0 &&
            FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           first_write_error_, 0, reason, sizeof(reason), nullptr) != 0) {
            // The system's message ends with its own line break.
            reason[std::strcspn(reason, "\r\n")] = '\0';
            line.append(": ");
            line.append(reason);
        }
        line.append("\r\n");
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                  &written, nullptr);
    }

    bool output_is_terminal() const override { return output_is_console; }

    bool interrupted() const override { return is_interrupted(); }

private:
    input_reader input_;
    std::string_view next_;
    bool input_ended_ = false;
    // The system's reason for the first write that failed; 0 when none did.
    DWORD first_write_error_ = 0;
};

#else

// SIGINT, SIGTERM and SIGHUP end a run as interrupted.  Their handler only
// records the signal.  The signals are blocked all the time but while the
// program waits (for input, for the output to take more, or in a pause), and
// every wait is a ppoll() that unblocks them for its duration only: a signal
// can therefore only arrive in a wait, which it ends, and never in the
// middle of a write.  The main flow then writes out what it holds and ends
// the process by the same signal.
const int interrupting_signals[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t caught_signal = 0;

// The signal mask to wait with: the one the program started with.
sigset_t waiting_mask;

extern "C" void on_interrupting_signal(int signal_number) {
    caught_signal = signal_number;
}

void watch_for_interruption() {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (const int signal_number : interrupting_signals) {
        struct sigaction current {};
        sigaction(signal_number, nullptr, &current);
        // A signal ignored when the program started (a background job,
        // nohup) stays ignored.
        if (current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction handler {};
        handler.sa_handler = on_interrupting_signal;
        sigemptyset(&handler.sa_mask);
        // A second signal of the same kind, while the held output is being
        // written out, ends the program at once.
        handler.sa_flags = static_cast<int>(SA_RESETHAND);
        sigaction(signal_number, &handler, nullptr);
        sigaddset(&blocked, signal_number);
    }
    sigprocmask(SIG_BLOCK, &blocked, &waiting_mask);
    for (const int signal_number : interrupting_signals) {
        sigdelset(&waiting_mask, signal_number);
    }

    // Output into a pipe whose reader has gone must not end the program: the
    // write fails instead, and the program says so when its dialogue is over.
    signal(SIGPIPE, SIG_IGN);
}

[[noreturn]] void end_as_interrupted() {
    const int signal_number = caught_signal;
    signal(signal_number, SIG_DFL);
    raise(signal_number);
    sigprocmask(SIG_SETMASK, &waiting_mask, nullptr);
    // Not reached: the signal's default action ends the process.
    _exit(128 + signal_number);
}

// Waits until `descriptor` is ready for `events`, or until a signal is
// caught.  Without a descriptor, waits for `timeout` alone.
void wait_for(int descriptor, short events, const timespec* timeout) {
    pollfd watched{descriptor, events, 0};
    ppoll(&watched, descriptor < 0 ? 0 : 1, timeout, &waiting_mask);
}

class standard_streams final : public console_device {
public:
    int read_byte() override {
        while (next_ == end_) {
            if (caught_signal != 0) {
                return end_of_input;
            }
            wait_for(STDIN_FILENO, POLLIN, nullptr);
            if (caught_signal != 0) {
                return end_of_input;
            }
            const ssize_t count = read(STDIN_FILENO, buffer_, sizeof(buffer_));
            if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (count <= 0) {
                return end_of_input;
            }
            next_ = buffer_;
            end_ = buffer_ + count;
        }
        return static_cast<unsigned char>(*next_++);
    }

    bool write_bytes(std::string_view bytes) override {
        while (!bytes.empty()) {
            // A terminal on hold or a full pipe must not keep a signal out.
            wait_for(STDOUT_FILENO, POLLOUT, nullptr);
            const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (written < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (written <= 0) {
                if (first_write_error_ == 0) {
                    first_write_error_ = written < 0 ? errno : EIO;
                }
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    void sleep_ms(int32 milliseconds) override {
        if (milliseconds <= 0) {
            return;
        }
        timespec deadline{};
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        deadline.tv_sec += milliseconds / 1000;
        deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000;
        if (deadline.tv_nsec >= 1000000000) {
            deadline.tv_sec += 1;
            deadline.tv_nsec -= 1000000000;
        }
        while (caught_signal == 0) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            timespec left{deadline.tv_sec - now.tv_sec, deadline.tv_nsec - now.tv_nsec};
            if (left.tv_nsec < 0) {
                left.tv_sec -= 1;
                left.tv_nsec += 1000000000;
            }
            if (left.tv_sec < 0) {
                return;
            }
            wait_for(-1, 0, &left);
        }
    }

    // One line, as the standard tools write it: "polysum: write error: No
    // space left on device".
    void report_write_error() override {
        message_line line;
        line.append(program_invocation_short_name);
        line.append(": write error");
        if (first_write_error_ != 0) {
            line.append(": ");
            line.append(std::strerror(first_write_error_));
        }
        line.append("\n");
        [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
    }

    bool output_is_terminal() const override { return terminal_; }

    bool interrupted() const override { return caught_signal != 0; }

private:
    bool terminal_ = isatty(STDOUT_FILENO) != 0;
    char buffer_[4096] = {};
    const char* next_ = buffer_;
    const char* end_ = buffer_;
    // The system's reason for the first write that failed; 0 when none did.
    int first_write_error_ = 0;
};

#endif

}  // namespace

int run_on_standard_console(void (&dialogue)(console&)) {
    watch_for_interruption();
    standard_streams streams;
    const int exit_status = run_to_end(dialogue, streams);
    if (streams.interrupted()) {
        end_as_interrupted();
    }
    return exit_status;
}

}  // namespace calculators
