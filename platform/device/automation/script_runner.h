// Carries out an automation script, one command a line, each before the next line is
// read, so a program at the other end of a pipe can drive the device step by step.
// Input commands go through the window manager's input sink, as a person's taps and key
// presses do, and each waits for the program to settle before the next line is read.
// docs/automation.md describes the commands.
#pragma once

#include <atomic>
#include <chrono>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace platform::device::automation {

class ScriptRunner {
  public:
    enum class Ending {
        Quit,        // the script said quit
        EndOfInput,  // the lines ran out
        Failed,      // a command failed; the line and the reason have been reported
        Stopped,     // the device asked the script to stop
    };

    // `output` takes what dump prints; `errors` takes failures and warnings.
    ScriptRunner(std::istream& input, std::ostream& output, std::ostream& errors);

    // Reads and carries out commands until one of the endings. `stop` is watched between
    // commands and while a command waits.
    Ending Run(const std::atomic<bool>& stop);

  private:
    using Words = std::vector<std::string>;
    // Each returns why the command failed, or nothing when it succeeded.
    using Failure = std::optional<std::string>;

    Failure Execute(const Words& words, const std::string& line, bool& quit);
    Failure Stylus(const Words& words);
    Failure Tap(const Words& words);
    Failure Key(const Words& words);
    Failure Text(const std::string& line);
    Failure Wait(const Words& words);
    Failure Until(const Words& words);
    Failure Dump(const Words& words);
    Failure Shot(const Words& words);

    // Waits for the program to handle the input just given; a program that stays busy
    // past the limit gets a warning, and the script goes on.
    void Settle();
    // Sleeps for `duration` unless the device stops first; false when it stopped.
    bool Sleep(std::chrono::milliseconds duration);

    std::istream& input_;
    std::ostream& output_;
    std::ostream& errors_;
    const std::atomic<bool>* stop_ = nullptr;
    int lineNumber_ = 0;
};

}  // namespace platform::device::automation
