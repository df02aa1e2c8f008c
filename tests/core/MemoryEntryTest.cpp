#include "core/MemoryEntry.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryEntry, NameRightAlignedInFiveAndCountInSix) {
    EXPECT_EQ(MemoryEntryText("S", "1", 12), "S    1  (12)");
    EXPECT_EQ(MemoryEntryText("M", "12", 0), "M   12   (0)");
    // Longer texts are not cut.
    EXPECT_EQ(MemoryEntryText("S", "123456", 123456), "S123456(123456)");
}

TEST(MemoryEntry, ReadBackWhateverTheLanguageOfItsPrefix) {
    const std::optional<MemoryEntry> entry = ParseMemoryEntry("M   12  (40)", 1);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Name, "12");
    EXPECT_EQ(entry->Count, 40);
    const std::optional<MemoryEntry> wide = ParseMemoryEntry(MemoryEntryText("S", "123456", 7), 1);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->Name, "123456");
    EXPECT_EQ(wide->Count, 7);
}

TEST(MemoryEntry, EntriesThatNameNoMemory) {
    // Without a blank (as the text of an empty list) no memory is named.
    EXPECT_FALSE(ParseMemoryEntry("Speicherleer", 1));
    // A broken count reads as 0, a missing one too.
    EXPECT_EQ(ParseMemoryEntry("S    3  (x)", 1)->Count, 0);
    const std::optional<MemoryEntry> open = ParseMemoryEntry("S    3  (17", 1);
    EXPECT_EQ(open->Name, "3");
    EXPECT_EQ(open->Count, 17);
    EXPECT_EQ(ParseMemoryEntry("S    3", 1)->Count, 0);
}

TEST(MemoryEntry, FoundByTheNumberItsNameHas) {
    const QStringList names = {"1", "02", " 3 ", "Plate"};
    EXPECT_EQ(FindMemoryByNumber(names, "2"), 1);
    EXPECT_EQ(FindMemoryByNumber(names, "3"), 2);
    EXPECT_EQ(FindMemoryByNumber(names, "4"), std::nullopt);
    // A name that is no number is never found, not even by the same text.
    EXPECT_EQ(FindMemoryByNumber(names, "Plate"), std::nullopt);
}

} // namespace
