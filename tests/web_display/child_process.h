// A program the test starts and talks to through pipes: its standard streams and, for a
// browser driven over its DevTools pipe, descriptors 3 (it reads) and 4 (it writes).
// The destructor kills what still runs and reaps it, so a failed test leaves nothing.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> arguments;       // the program first
        std::vector<std::string> unsetVariables;  // removed from its environment
        bool devtoolsPipe = false;
        bool quiet = false;  // standard output and error to /dev/null instead of pipes
    };

    explicit ChildProcess(const Options& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    int Input() const { return in_; }
    int Output() const { return out_; }
    int Errors() const { return err_; }
    int ToDevtools() const { return toDevtools_; }
    int FromDevtools() const { return fromDevtools_; }

    bool Write(const std::string& text);
    void CloseInput();
    // Its exit status, or nothing when it is still running after `timeout`.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Signal(int signal);

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
    int toDevtools_ = -1;
    int fromDevtools_ = -1;
};

// What a child wrote on one of its pipes, read as it comes: all of it is kept, for
// failure messages, and lines are taken from it one after the other.
class StreamReader {
  public:
    explicit StreamReader(int fd) : fd_(fd) {}

    // The next line containing `needle`, skipping the lines before it; nothing at the
    // end of the stream or after `timeout`.
    std::optional<std::string> LineContaining(const std::string& needle,
                                              std::chrono::milliseconds timeout);
    // Everything read so far.
    const std::string& All() const { return all_; }

  private:
    int fd_ = -1;
    std::string all_;
    std::size_t next_ = 0;
};
