// The ICMP echo service: handles over the backend's echo channels.
#include <windows.h>

#include <chrono>
#include <memory>

#include <icmpapi.h>

#include "kernel/objects/kernel_handle_table.h"
#include "net/icmp_echo_handle.h"
#include "net/icmp_reply_image.h"

using platform::kernel::KernelHandleTable;
using platform::net::EchoHandle;
using platform::net::EchoRequest;

extern "C" HANDLE WINAPI IcmpCreateFile(VOID) {
    auto channel = platform::net::Backend().OpenEchoChannel();
    if (!channel.ok()) {
        SetLastError(channel.error());
        return INVALID_HANDLE_VALUE;
    }
    void* handle =
        KernelHandleTable::Instance().Add(std::make_shared<EchoHandle>(std::move(channel.value())));
    if (handle == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

extern "C" BOOL WINAPI IcmpCloseHandle(HANDLE IcmpHandle) {
    // Only ICMP handles close here; a thread's or a mutex's handle stays open.
    auto& table = KernelHandleTable::Instance();
    if (table.FindAs<EchoHandle>(IcmpHandle) == nullptr || !table.Close(IcmpHandle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD WINAPI IcmpSendEcho(HANDLE IcmpHandle, IPAddr DestinationAddress,
                                     LPVOID RequestData, WORD RequestSize,
                                     PIP_OPTION_INFORMATION RequestOptions, LPVOID ReplyBuffer,
                                     DWORD ReplySize, DWORD Timeout) {
    // Held for the whole echo, so closing the handle meanwhile cannot pull the channel
    // from under it.
    const auto handle = KernelHandleTable::Instance().FindAs<EchoHandle>(IcmpHandle);
    if (handle == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if ((RequestData == nullptr && RequestSize != 0) || ReplyBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (ReplySize < platform::net::MinimumReplyBufferSize(RequestSize)) {
        SetLastError(IP_BUF_TOO_SMALL);
        return 0;
    }

    EchoRequest request;
    request.destination = DestinationAddress;
    request.data = {static_cast<const std::uint8_t*>(RequestData), RequestSize};
    request.timeout = std::chrono::milliseconds(Timeout);
    request.replyRoom = ReplySize;
    if (RequestOptions != nullptr) {
        // A packet with time-to-live 0 could not leave the device.
        if (RequestOptions->Ttl == 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        // FIXME: IP header options (record route, timestamps) are not carried; a
        // request that asks for them is refused rather than sent without them.
        if (RequestOptions->OptionsSize != 0) {
            SetLastError(IP_BAD_OPTION);
            return 0;
        }
        request.ttl = RequestOptions->Ttl;
        request.tos = RequestOptions->Tos;
        request.dontFragment = (RequestOptions->Flags & IP_FLAG_DF) != 0;
    }

    const auto reply = handle->Echo(request);
    if (!reply.ok()) {
        platform::net::WriteEchoStatus(reply.error(), ReplyBuffer, ReplySize);
        SetLastError(reply.error());
        return 0;
    }
    platform::net::WriteEchoReply(reply.value(), ReplyBuffer, ReplySize);
    return 1;
}
