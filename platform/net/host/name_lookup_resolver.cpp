#include "net/host/name_lookup_resolver.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "net/host/name_lookup_failure.h"

namespace platform::net::host {
namespace {

// A hosts file line with many aliases, or a name with many addresses, needs more
// than the first guess; the buffer grows until the entry fits or this is reached.
constexpr std::size_t kFirstBufferSize = 1024;
constexpr std::size_t kLargestBufferSize = 1 << 20;

LookupFailure FailureOf(int resolverError) {
    switch (resolverError) {
        case HOST_NOT_FOUND:
            return LookupFailure::NotFound;
        case NO_DATA:
            return LookupFailure::NoData;
        case TRY_AGAIN:
            return LookupFailure::TryAgain;
        default:
            return LookupFailure::NoRecovery;
    }
}

HostEntry EntryOf(const hostent& found) {
    HostEntry entry;
    entry.name = found.h_name != nullptr ? found.h_name : "";
    for (char** alias = found.h_aliases; alias != nullptr && *alias != nullptr; ++alias) {
        entry.aliases.emplace_back(*alias);
    }
    if (found.h_addrtype == AF_INET && found.h_length == sizeof(Ipv4)) {
        for (char** address = found.h_addr_list; address != nullptr && *address != nullptr;
             ++address) {
            Ipv4 value = 0;
            std::memcpy(&value, *address, sizeof value);
            entry.addresses.push_back(value);
        }
    }
    return entry;
}

// Runs a reentrant lookup with a buffer that grows while the resolver asks for more.
template <typename Lookup>
Query<HostEntry> Resolve(Lookup lookup) {
    std::vector<char> buffer(kFirstBufferSize);
    for (;;) {
        hostent storage{};
        hostent* found = nullptr;
        int resolverError = 0;
        const int error = lookup(storage, buffer, found, resolverError);
        if (error == ERANGE && buffer.size() < kLargestBufferSize) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr) {
            return Query<HostEntry>::Failure(WsaErrorOf(FailureOf(resolverError)));
        }
        return EntryOf(*found);
    }
}

std::string OwnHostName() {
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0) {
        return "localhost";
    }
    return name.data();
}

}  // namespace

Query<HostEntry> LookUpHostName(const std::string& name) {
    const std::string wanted = name.empty() ? OwnHostName() : name;
    return Resolve(
        [&](hostent& storage, std::vector<char>& buffer, hostent*& found, int& resolverError) {
            return gethostbyname2_r(wanted.c_str(), AF_INET, &storage, buffer.data(), buffer.size(),
                                    &found, &resolverError);
        });
}

Query<HostEntry> LookUpHostAddress(Ipv4 address) {
    return Resolve(
        [&](hostent& storage, std::vector<char>& buffer, hostent*& found, int& resolverError) {
            return gethostbyaddr_r(&address, sizeof address, AF_INET, &storage, buffer.data(),
                                   buffer.size(), &found, &resolverError);
        });
}

}  // namespace platform::net::host
