#include "net/winsock_host_entry_image.h"

#include <memory>

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace platform::net {

HostEntryImage::HostEntryImage() : entry_(std::make_unique<hostent>()) {}

HostEntryImage::~HostEntryImage() = default;

tl_hostent* HostEntryImage::Fill(const HostEntry& entry) {
    name_ = entry.name;
    aliases_ = entry.aliases;
    addresses_ = entry.addresses;

    aliasPointers_.clear();
    for (std::string& alias : aliases_) {
        aliasPointers_.push_back(alias.data());
    }
    aliasPointers_.push_back(nullptr);
    addressPointers_.clear();
    for (Ipv4& address : addresses_) {
        addressPointers_.push_back(reinterpret_cast<char*>(&address));
    }
    addressPointers_.push_back(nullptr);

    *entry_ = hostent{};
    entry_->h_name = name_.data();
    entry_->h_aliases = aliasPointers_.data();
    entry_->h_addrtype = AF_INET;
    entry_->h_length = sizeof(Ipv4);
    entry_->h_addr_list = addressPointers_.data();
    return entry_.get();
}

HostEntryImage& HostEntryImage::OfThisThread() {
    thread_local HostEntryImage image;
    return image;
}

}  // namespace platform::net
