// A program started for a test, with its standard input and output on pipes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tessalink::test {

class ChildProcess {
  public:
    // Starts the program with `arguments`; Running() says whether that worked.
    explicit ChildProcess(const std::string& program,
                          const std::vector<std::string>& arguments = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // The next line it writes, without the line break; nothing when none comes in time.
    std::optional<std::string> ReadLine(
        std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Closing its input asks it to end; Wait returns its exit status (-1 when killed).
    void CloseInput();
    int Wait();
    void Kill();

  private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
};

}  // namespace tessalink::test
