// The device: tessalink [device options] [--] [program arguments]. It reads its
// options, builds the device they ask for, and runs what was asked of it.
#include <iostream>
#include <string>
#include <vector>

#include "device/device_option_parser.h"
#include "device/device_setup.h"
#include "device/network_probe.h"
#include "device/program_session.h"

// The program the device runs. An executable that links a program gets its WinMain;
// the bare launcher has none (weak, so it still links) and can only probe.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
    __attribute__((weak));

namespace {

using platform::device::kUsageExit;

void PrintUsage(std::ostream& out, const platform::device::OptionParser& parser) {
    out << "Usage: tessalink [device options] [--] [program arguments]\n"
           "Device options:\n"
        << parser.Help();
}

}  // namespace

int main(int argc, char** argv) {
    platform::device::DeviceOptions options;
    const auto parser = platform::device::MakeDeviceOptionParser(options);
    const auto parsed = parser.Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.error) {
        std::cerr << "tessalink: " << *parsed.error << "\nTry 'tessalink --help'.\n";
        return kUsageExit;
    }
    options.programArguments = parsed.programArguments;
    if (options.help) {
        PrintUsage(std::cout, parser);
        return 0;
    }
    if (!platform::device::SetUpDevice(options, std::cerr)) {
        return kUsageExit;
    }
    if (options.probe) {
        // Replace text that is not UTF-8 (a host's interface alias may hold any bytes)
        // rather than fail to print the rest.
        std::cout << platform::device::ProbeNetwork().dump(2, ' ', false,
                                                           nlohmann::json::error_handler_t::replace)
                  << "\n";
        return 0;
    }
    if (WinMain) {
        return platform::device::RunProgramSession(options, WinMain, std::cerr);
    }
    std::cerr << "tessalink: the device has no program to run yet; it can only report what "
                 "its network calls return (--probe).\n";
    PrintUsage(std::cerr, parser);
    return kUsageExit;
}
