#include "diagnostics/SendEcho.h"

#include "common/FieldText.h"
#include "common/IpAddressText.h"

// Last: their macros (s_addr, ...) must not meet the standard library's headers.
#include <icmpapi.h>
#include <winsock2.h>

namespace {

// The reply buffer is this many times the data size: for every size the page offers it
// holds one reply record with the echoed data, and with room to spare for a router's
// report, which quotes the request.
constexpr DWORD kReplyBufferFactor = 28;

// An echo carries its data size in 16 bits.
constexpr DWORD kLargestDataSize = 0xffff;

void Fail(EchoResult* result, LPCWSTR message) {
    result->failed = 1;
    CopyIntoField(message, result->message, kEchoMessageLength);
}

// The per-echo resources, released on every way out.
class EchoBuffers {
  public:
    explicit EchoBuffers(DWORD dataSize)
        : request_(LocalAlloc(LPTR, dataSize)),
          reply_(LocalAlloc(LPTR, static_cast<SIZE_T>(dataSize) * kReplyBufferFactor)) {}
    ~EchoBuffers() {
        LocalFree(reply_);
        LocalFree(request_);
    }
    EchoBuffers(const EchoBuffers&) = delete;
    EchoBuffers& operator=(const EchoBuffers&) = delete;

    bool Allocated() const { return request_ != nullptr && reply_ != nullptr; }
    LPVOID Request() const { return request_; }
    LPVOID Reply() const { return reply_; }

  private:
    HLOCAL request_;
    HLOCAL reply_;
};

class IcmpHandle {
  public:
    IcmpHandle() : handle_(IcmpCreateFile()) {}
    ~IcmpHandle() {
        if (Valid()) {
            IcmpCloseHandle(handle_);
        }
    }
    IcmpHandle(const IcmpHandle&) = delete;
    IcmpHandle& operator=(const IcmpHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

BOOL SendEcho(EchoResult* result, ULONG destination, DWORD dataSize, DWORD ttl) {
    if (result == nullptr) {
        return FALSE;
    }
    // A host that resolved to 255.255.255.255, which is no destination.
    if (destination == INADDR_NONE) {
        Fail(result, TEXT("Invalid Host or IP Address entered"));
        return FALSE;
    }
    IcmpHandle icmp;
    if (!icmp.Valid()) {
        Fail(result, TEXT("Unable to create handle."));
        return FALSE;
    }
    // Sizes an echo cannot carry, and buffers that could not be had, fail as an echo
    // that got no answer: the run ends with a line saying so.
    if (dataSize > kLargestDataSize) {
        Fail(result, TEXT("Ping Failed."));
        return FALSE;
    }
    EchoBuffers buffers(dataSize);
    if (!buffers.Allocated()) {
        Fail(result, TEXT("Ping Failed."));
        return FALSE;
    }
    IP_OPTION_INFORMATION options = {};
    options.Ttl = static_cast<UCHAR>(ttl & 0xff);
    const DWORD replies =
        IcmpSendEcho(icmp.Get(), destination, buffers.Request(), static_cast<WORD>(dataSize),
                     ttl != 0 ? &options : nullptr, buffers.Reply(), dataSize * kReplyBufferFactor,
                     kEchoTimeout);
    if (replies == 0) {
        Fail(result, TEXT("Ping Failed."));
        return FALSE;
    }
    const auto* reply = static_cast<const ICMP_ECHO_REPLY*>(buffers.Reply());
    IpAddressToText(reply->Address, result->address, kEchoAddressLength);
    result->roundTripTime = reply->RoundTripTime;
    result->dataSize = reply->DataSize;
    return result->failed != 1;
}
