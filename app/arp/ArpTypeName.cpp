#include "arp/ArpTypeName.h"

LPCWSTR ArpTypeName(DWORD type) {
    switch (type) {
        case MIB_IPNET_TYPE_OTHER:
            return TEXT("Other");
        case MIB_IPNET_TYPE_INVALID:
            return TEXT("Invalid");
        case MIB_IPNET_TYPE_DYNAMIC:
            return TEXT("Dynamic");
        case MIB_IPNET_TYPE_STATIC:
            return TEXT("Static");
        default:
            return TEXT("Unknown");
    }
}
