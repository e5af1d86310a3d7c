// A TZif zone file, as /etc/localtime or a zone name's file holds it: a zone, or an
// error code that says why there is none.
#include <numeric>

#include "kernel/time/tzif_file.h"
#include "kernel/zone_check.h"

TESSALINK_FUZZ_TARGET(zone_file) {
    const std::string_view bytes = tessalink::fuzz::Text(input);
    const platform::kernel::ZoneLookup zone = platform::kernel::TzifFile::Parse(bytes);
    FUZZ_CHECK(zone.rule.has_value() == (zone.error == ERROR_SUCCESS));
    if (zone.rule) {
        tessalink::fuzz::CheckZone(*zone.rule, std::accumulate(bytes.begin(), bytes.end(), 0u));
    }
}
