// The device's command line: options of the form --name or --name=VALUE (or
// --name VALUE) up to "--"; what follows "--" belongs to the program. Each option is
// registered with its help text, so adding one is a single call.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::device {

class OptionParser {
  public:
    // Takes a value and returns why it refuses it, or nothing when it accepts it.
    using ValueHandler = std::function<std::optional<std::string>(const std::string& value)>;

    void AddFlag(std::string name, std::string help, std::function<void()> handler);
    void AddValue(std::string name, std::string valueName, std::string help, ValueHandler handler);

    struct Result {
        std::optional<std::string> error;           // what was wrong, for the user.
        std::vector<std::string> programArguments;  // everything after "--".
    };
    Result Parse(const std::vector<std::string>& arguments) const;

    // One line per option, in the order they were added.
    std::string Help() const;

  private:
    struct Option {
        std::string name;
        std::string valueName;  // empty for a flag.
        std::string help;
        ValueHandler handler;
    };
    const Option* Find(const std::string& name) const;

    std::vector<Option> options_;
};

}  // namespace platform::device
