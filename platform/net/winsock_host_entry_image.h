// A HostEntry laid out as the hostent that gethostbyname and gethostbyaddr return:
// the strings, the address bytes and the null-terminated pointer lists all live here,
// so the entry stays valid until the image is filled again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/winsock_host_entry.h"

struct tl_hostent;

namespace platform::net {

class HostEntryImage {
  public:
    HostEntryImage();
    ~HostEntryImage();
    HostEntryImage(const HostEntryImage&) = delete;
    HostEntryImage& operator=(const HostEntryImage&) = delete;

    tl_hostent* Fill(const HostEntry& entry);

    // The calling thread's image, as Windows keeps one entry per thread.
    static HostEntryImage& OfThisThread();

  private:
    std::string name_;
    std::vector<std::string> aliases_;
    std::vector<char*> aliasPointers_;
    std::vector<Ipv4> addresses_;
    std::vector<char*> addressPointers_;
    std::unique_ptr<tl_hostent> entry_;
};

}  // namespace platform::net
