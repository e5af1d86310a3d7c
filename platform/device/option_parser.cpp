#include "device/option_parser.h"

#include <algorithm>

namespace platform::device {

void OptionParser::AddFlag(std::string name, std::string help, std::function<void()> handler) {
    options_.push_back(
        {std::move(name), {}, std::move(help), [handler = std::move(handler)](const std::string&) {
             handler();
             return std::optional<std::string>();
         }});
}

void OptionParser::AddValue(std::string name, std::string valueName, std::string help,
                            ValueHandler handler) {
    options_.push_back(
        {std::move(name), std::move(valueName), std::move(help), std::move(handler)});
}

OptionParser::Result OptionParser::Parse(const std::vector<std::string>& arguments) const {
    Result result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            result.programArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                           arguments.end());
            return result;
        }
        if (!argument.starts_with("--")) {
            result.error =
                "unexpected argument '" + argument + "' (arguments for the program go after '--')";
            return result;
        }
        const std::size_t equals = argument.find('=');
        const std::string name =
            argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const Option* option = Find(name);
        if (option == nullptr) {
            result.error = "unknown option '--" + name + "'";
            return result;
        }
        std::string value;
        if (option->valueName.empty()) {
            if (equals != std::string::npos) {
                result.error = "option '--" + name + "' takes no value";
                return result;
            }
        } else if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size() && arguments[i + 1] != "--") {
            value = arguments[++i];
        } else {
            result.error = "option '--" + name + "' needs a value (" + option->valueName + ")";
            return result;
        }
        if (auto refusal = option->handler(value)) {
            result.error = "--" + name + ": " + *refusal;
            return result;
        }
    }
    return result;
}

std::string OptionParser::Help() const {
    std::vector<std::string> heads;
    std::size_t width = 0;
    for (const Option& option : options_) {
        heads.push_back("--" + option.name +
                        (option.valueName.empty() ? "" : "=" + option.valueName));
        width = std::max(width, heads.back().size());
    }
    std::string help;
    for (std::size_t i = 0; i < options_.size(); ++i) {
        help += "  " + heads[i] + std::string(width - heads[i].size() + 2, ' ') + options_[i].help +
                "\n";
    }
    return help;
}

const OptionParser::Option* OptionParser::Find(const std::string& name) const {
    const auto found = std::find_if(options_.begin(), options_.end(),
                                    [&](const Option& option) { return option.name == name; });
    return found == options_.end() ? nullptr : &*found;
}

}  // namespace platform::device
