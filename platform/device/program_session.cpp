#include "device/program_session.h"

#include <winuser.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <future>
#include <iomanip>
#include <iostream>
#include <optional>
#include <thread>

#include "controls/control_classes.h"
#include "device/automation/script_runner.h"
#include "kernel/text/utf8.h"
#include "shell/shell_start.h"
#include "user/input/input_sink.h"

namespace platform::device {
namespace {

using automation::ScriptRunner;

// How long the device waits for the script's thread once the program has ended. A
// script blocked reading a pipe cannot be woken; the device then ends without it.
constexpr auto kScriptStopGrace = std::chrono::seconds(1);

display::DisplayKind ChooseDisplay(const DeviceOptions& options) {
    if (options.display) {
        return *options.display;
    }
    if (display::DesktopDisplayAvailable()) {
        return display::DisplayKind::Window;
    }
    if (options.script) {
        return display::DisplayKind::Headless;
    }
    // Without a desktop the screen is served to a browser; the display prints where.
    return display::DisplayKind::Web;
}

// The program's command line: its arguments, quoted where they hold spaces, as
// CommandLineToArgv would read them back.
std::u16string ProgramCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) {
            line += ' ';
        }
        const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        line += quote ? "\"" + argument + "\"" : argument;
    }
    return kernel::DecodeUtf8(line).text;
}

// Ends the program's message loop as the script's quit does (docs/automation.md).
void QuitProgram(DWORD programThread) {
    PostThreadMessageW(programThread, WM_QUIT, 0, 0);
}

display::DisplayInput InputToWindowManager(DWORD programThread) {
    return display::DisplayInput{
        .stylus =
            [](display::StylusAction action, int x, int y) {
                const auto userAction =
                    action == display::StylusAction::Down   ? user::StylusAction::Down
                    : action == display::StylusAction::Move ? user::StylusAction::Move
                                                            : user::StylusAction::Up;
                user::PostStylus(userAction, x, y);
            },
        .key = [](UINT key, bool down) { user::PostKey(key, down); },
        .character = [](char16_t character) { user::PostChar(character); },
        .quit_requested = [programThread] { QuitProgram(programThread); },
    };
}

// The script on its own thread, for as long as the program runs.
class ScriptThread {
  public:
    ScriptThread(const std::string& source, DWORD programThread, bool quitAtEndOfInput)
        : source_(source) {
        std::promise<ScriptRunner::Ending> ending;
        ending_ = ending.get_future();
        thread_ = std::thread([this, programThread, quitAtEndOfInput,
                               ending = std::move(ending)]() mutable {
            const auto result = RunScript();
            if (result == ScriptRunner::Ending::Quit || result == ScriptRunner::Ending::Failed ||
                (result == ScriptRunner::Ending::EndOfInput && quitAtEndOfInput)) {
                QuitProgram(programThread);
            }
            ending.set_value(result);
        });
    }

    // Stops the script; true when it had failed. False in `joined` when its thread is
    // still blocked in a read and has been left behind.
    bool Finish(bool& joined) {
        stop_ = true;
        joined = ending_.wait_for(kScriptStopGrace) == std::future_status::ready;
        if (joined) {
            thread_.join();
            return ending_.get() == ScriptRunner::Ending::Failed;
        }
        thread_.detach();
        return false;
    }

  private:
    ScriptRunner::Ending RunScript() {
        if (source_ == "-") {
            return ScriptRunner(std::cin, std::cout, std::cerr).Run(stop_);
        }
        std::ifstream file(source_);
        if (!file) {
            std::cerr << "tessalink: cannot read the script '" << source_ << "'\n";
            return ScriptRunner::Ending::Failed;
        }
        return ScriptRunner(file, std::cout, std::cerr).Run(stop_);
    }

    std::string source_;
    std::atomic<bool> stop_{false};
    std::future<ScriptRunner::Ending> ending_;
    std::thread thread_;
};

}  // namespace

int RunProgramSession(const DeviceOptions& options, WinMainFunction winMain, std::ostream& errors) {
    const auto kind = ChooseDisplay(options);
    const DWORD programThread = GetCurrentThreadId();
    // The classic way to give a thread its queue before anything is posted to it, so
    // that quit reaches a program that has not yet made a window.
    MSG message{};
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    controls::RegisterSystemControlClasses();
    shell::StartShell();

    auto screen = display::CreateDisplay(kind, display::DisplayOptions{
                                                   .scale = options.scale,
                                                   .input = InputToWindowManager(programThread),
                                                   .listen = options.listen,
                                               });
    std::string error;
    if (!screen->Start(error)) {
        errors << "tessalink: the display cannot start: " << error << "\n";
        return kUsageExit;
    }
    std::optional<ScriptThread> script;
    if (options.script) {
        // A window stays for the person watching; a headless device has nobody to end it.
        script.emplace(*options.script, programThread, kind == display::DisplayKind::Headless);
    }

    auto commandLine = ProgramCommandLine(options.programArguments);
    const int result = winMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);

    bool scriptFailed = false;
    bool scriptJoined = true;
    if (script) {
        scriptFailed = script->Finish(scriptJoined);
    }
    screen->Stop();
    if (result < 0) {
        errors << "tessalink: the program failed with 0x" << std::hex << std::setw(8)
               << std::setfill('0') << static_cast<std::uint32_t>(result) << std::dec << "\n";
    }
    const int status = scriptFailed ? kScriptFailureExit : result & 0xFF;
    if (!scriptJoined) {
        std::cout.flush();
        std::cerr.flush();
        std::_Exit(status);
    }
    return status;
}

}  // namespace platform::device
