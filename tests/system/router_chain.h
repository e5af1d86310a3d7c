// A source, three routers and a destination, each in a namespace of its own, joined
// in a line by veth pairs: a trace from the source sees four hops. Everything is
// removed with the chain.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "network_namespace.h"

class RouterChain {
  public:
    static constexpr int kRouters = 3;

    RouterChain();
    RouterChain(const RouterChain&) = delete;
    RouterChain& operator=(const RouterChain&) = delete;

    bool IsBuilt() const { return built_; }
    tessalink::testing::NetworkNamespace& Source() { return *spots_.front(); }
    // The address hop 1 to kRouters + 1 answers a trace from: each router's end that
    // faces the source, and last the destination.
    static std::string HopAddress(int hop);
    // The destination's address, as the trace is given it.
    static std::string DestinationAddress();

  private:
    bool Build();

    // Source, routers, destination, in the order of the line.
    std::vector<std::unique_ptr<tessalink::testing::NetworkNamespace>> spots_;
    bool built_ = false;
};
