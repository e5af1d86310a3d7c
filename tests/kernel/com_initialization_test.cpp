// CoInitializeEx and CoUninitialize: the per-thread count and Windows' answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ComInitializationTest, CountsPerThreadAndRefusesAChangedModel) {
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    // Another thread starts from nothing, in whichever model it asks for.
    HRESULT other = E_FAIL;
    std::thread([&other] {
        other = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoUninitialize();
    }).join();
    EXPECT_EQ(S_OK, other);

    // Two successful calls need two uninitialisations; the refused one none.
    CoUninitialize();
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    CoUninitialize();
    CoUninitialize();  // unmatched: no effect.
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();

    int reserved = 0;
    EXPECT_EQ(E_INVALIDARG, CoInitializeEx(&reserved, COINIT_MULTITHREADED));
}

}  // namespace
