#include "core/NoticeCount.h"

#include <gtest/gtest.h>

namespace {

TEST(NoticeCount, OneBoxPerEpisodeAndEveryOccurrenceCounted) {
    NoticeCount notice;
    EXPECT_TRUE(notice.occur());
    EXPECT_TRUE(notice.boxOpen());
    EXPECT_FALSE(notice.occur()) << "a second box while the first is open";
    notice.closed();
    EXPECT_FALSE(notice.occur()) << "the episode already had its box";
    EXPECT_EQ(notice.count(), 3);

    notice.settle();
    EXPECT_EQ(notice.count(), 0);
    EXPECT_TRUE(notice.occur());
}

TEST(NoticeCount, SettlingWhileTheBoxIsOpenEndsTheEpisodeWhenItCloses) {
    NoticeCount notice;
    ASSERT_TRUE(notice.occur());
    notice.settle();
    EXPECT_FALSE(notice.occur()) << "never two boxes of a kind at once";
    EXPECT_EQ(notice.count(), 2) << "the open box keeps its count";
    notice.closed();
    EXPECT_EQ(notice.count(), 0);
    EXPECT_TRUE(notice.occur());
}

} // namespace
