// A scenario file is either read whole or refused with a ScenarioError that names the
// place; no other exception may leave the reader.
#include "fuzz_target.h"
#include "net/sim/scenario_error.h"
#include "net/sim/scenario_reader.h"

TESSALINK_FUZZ_TARGET(scenario_file) {
    try {
        platform::net::sim::ParseScenario(tessalink::fuzz::Text(input), "fuzz.json");
    } catch (const platform::net::sim::ScenarioError& refused) {
        FUZZ_CHECK(std::string_view(refused.what()).starts_with("fuzz.json: "));
    }
}
