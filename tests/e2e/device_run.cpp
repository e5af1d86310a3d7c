#include "device_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

DeviceRun RunDevice(const std::filesystem::path& directory,
                    const std::vector<std::string>& arguments, const std::string& script,
                    const std::string& environment) {
    const auto input = directory / "script.txt";
    const auto output = directory / "stdout.txt";
    const auto errors = directory / "stderr.txt";
    std::ofstream(input, std::ios::binary) << script;
    std::string command = environment + " " + Quoted(TESSALINK_E2E_DEVICE);
    for (const auto& argument : arguments) {
        command += " " + Quoted(argument);
    }
    command += " <" + Quoted(input) + " >" + Quoted(output) + " 2>" + Quoted(errors);
    const int result = std::system(command.c_str());
    DeviceRun run;
    run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    run.output = ReadFile(output);
    run.errors = ReadFile(errors);
    return run;
}
