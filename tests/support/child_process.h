// A program the test starts and talks to through pipes: its standard streams and, for a
// browser driven over its DevTools pipe, descriptors 3 (it reads) and 4 (it writes).
// The destructor kills what still runs and reaps it, so a failed test leaves nothing.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tessalink::test {

// What a child wrote on one of its pipes, read as it comes: all of it is kept, for
// failure messages, and lines are taken from it one after the other.
class StreamReader {
  public:
    explicit StreamReader(int fd) : fd_(fd) {}

    // The next line containing `needle`, without its line break, skipping the lines
    // before it; nothing at the end of the stream or after `timeout`.
    std::optional<std::string> LineContaining(const std::string& needle,
                                              std::chrono::milliseconds timeout);
    // Everything read so far.
    const std::string& All() const { return all_; }

  private:
    int fd_ = -1;
    std::string all_;
    std::size_t next_ = 0;
};

// Writes all of `text` to `fd`; false when the reader has gone.
bool WriteAll(int fd, const std::string& text);

class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> arguments;       // the program first, found on PATH
        std::vector<std::string> unsetVariables;  // removed from its environment
        bool devtoolsPipe = false;
        bool quiet = false;  // standard output and error to /dev/null instead of pipes
    };

    explicit ChildProcess(const Options& options);
    // The program with `arguments`, its output and errors on pipes.
    explicit ChildProcess(const std::string& program, std::vector<std::string> arguments = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    int Output() const { return out_; }
    int Errors() const { return err_; }
    int ToDevtools() const { return toDevtools_; }
    int FromDevtools() const { return fromDevtools_; }

    // The next line on its standard output.
    std::optional<std::string> ReadLine(
        std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool Write(const std::string& text);
    // Closing its input asks the programs here to end.
    void CloseInput();
    // Its exit status (128 + the signal when one ended it), or nothing when it is
    // still running after `timeout`.
    std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void Signal(int signal);
    void Kill();

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
    int toDevtools_ = -1;
    int fromDevtools_ = -1;
    StreamReader output_{-1};
};

}  // namespace tessalink::test
