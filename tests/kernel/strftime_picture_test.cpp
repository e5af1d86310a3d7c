// Locale formats as the C library states them, turned into Windows pictures.
#include <gtest/gtest.h>

#include "kernel/time/strftime_picture.h"

namespace {

using platform::kernel::PictureFromStrftime;

TEST(StrftimePictureTest, LocaleFormatsBecomePictures) {
    const struct {
        const char16_t* format;
        const char16_t* expected;
    } formats[] = {
        {u"%m/%d/%y", u"MM/dd/yy"},
        {u"%d.%m.%Y", u"dd.MM.yyyy"},
        {u"%-d/%-m/%Y", u"d/M/yyyy"},
        {u"%F", u"yyyy-MM-dd"},
        {u"%Y年%m月%d日", u"yyyy年MM月dd日"},
        {u"%e de %B de %Y", u"d' de 'MMMM' de 'yyyy"},  // text with letters is quoted
        {u"%Od/%Om/%Oy", u"dd/MM/yy"},                  // alternative digits read as plain
        {u"%H:%M:%S", u"HH:mm:ss"},
        {u"%T", u"HH:mm:ss"},
        {u"%r", u"hh:mm:ss tt"},
        {u"%r %Z", u"hh:mm:ss tt"},  // pictures have no zone
        {u"%p %l:%M", u"tt h:mm"},
        {u"%H h %M", u"HH' h 'mm"},
        {u"%%%d", u"%dd"},
    };
    for (const auto& format : formats) {
        EXPECT_EQ(PictureFromStrftime(format.format, u"%I:%M:%S %p"), format.expected)
            << "format " << std::u16string(format.format).size() << " characters long";
    }
}

TEST(StrftimePictureTest, ConversionsPicturesCannotSayAreRefused) {
    for (const char16_t* format : {u"%U", u"%d %C", u"%j", u"%", u"%d%E", u""}) {
        EXPECT_FALSE(PictureFromStrftime(format, u"%I:%M:%S %p"));
    }
    // %r must not lead to itself.
    EXPECT_FALSE(PictureFromStrftime(u"%r", u"%r"));
    EXPECT_FALSE(PictureFromStrftime(u"%r", u""));
}

}  // namespace
