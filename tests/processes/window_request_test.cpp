// The records processes exchange: what one sends the other reads back exactly, and a
// record that is cut short, too long or of another kind is refused.
#include <gtest/gtest.h>

#include "user/remote/window_request.h"

namespace platform::user {
namespace {

TEST(WindowRequestTest, RequestsAndRepliesReadBackAsSent) {
    WindowRequest find;
    find.className = u"Tessalink";
    const auto bytes = EncodeRequest(find);
    ASSERT_TRUE(bytes);
    const auto decoded = DecodeRequest(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->kind, WindowRequestKind::Find);
    EXPECT_EQ(decoded->className, u"Tessalink");
    EXPECT_EQ(decoded->title, std::nullopt) << "no title is not an empty title";

    WindowRequest bring;
    bring.kind = WindowRequestKind::BringForward;
    bring.instance = 0x1122334455667788;
    bring.window = 0x0055000001000004;
    bring.ownedPopupFirst = true;
    bring.title = u"";
    const auto back = DecodeRequest(*EncodeRequest(bring));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->instance, bring.instance);
    EXPECT_EQ(back->window, bring.window);
    EXPECT_TRUE(back->ownedPopupFirst);
    EXPECT_EQ(back->title, u"");

    const auto reply = DecodeReply(EncodeReply(WindowReply{true, 7, 8}));
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->ok);
    EXPECT_EQ(reply->instance, 7u);
    EXPECT_EQ(reply->window, 8u);
}

TEST(WindowRequestTest, MalformedRecordsAreRefused) {
    WindowRequest find;
    find.className = u"Frame";
    find.title = u"Title";
    const auto bytes = *EncodeRequest(find);

    EXPECT_FALSE(DecodeRequest(std::span(bytes).first(bytes.size() - 1))) << "cut short";
    auto longer = bytes;
    longer.push_back(std::byte{0});
    EXPECT_FALSE(DecodeRequest(longer)) << "bytes left over";
    auto otherKind = bytes;
    otherKind[4] = std::byte{9};
    EXPECT_FALSE(DecodeRequest(otherKind));
    auto otherMagic = bytes;
    otherMagic[0] = std::byte{0};
    EXPECT_FALSE(DecodeRequest(otherMagic));

    auto reply = EncodeReply(WindowReply{true, 1, 2});
    EXPECT_FALSE(DecodeReply(std::span(reply).first(reply.size() - 1)));
    reply.push_back(std::byte{0});
    EXPECT_FALSE(DecodeReply(reply));

    find.title = std::u16string(kMaxRequestNameUnits + 1, u'x');
    EXPECT_FALSE(EncodeRequest(find)) << "a name too long to send is not cut";
}

}  // namespace
}  // namespace platform::user
