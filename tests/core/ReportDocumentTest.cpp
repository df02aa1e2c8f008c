#include "core/ReportDocument.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

QString Part(const std::vector<OdtPart>& parts, const QString& name) {
    for (const OdtPart& p : parts)
        if (p.Name == name)
            return QString::fromUtf8(p.Data);
    return {};
}

TEST(ReportDocument, LinesAndPages) {
    EXPECT_EQ(ReportLines("a\r\n\r\nb\r\n"), QStringList({"a", "", "b"}));
    EXPECT_EQ(ReportLines("a\r\nb"), QStringList({"a", "b"}));
    EXPECT_TRUE(ReportLines("").isEmpty());
    const QStringList lines = {"1", "2", "3", "4", "5"};
    const auto pages = ReportPages(lines, 2);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2], QStringList({"5"}));
    EXPECT_EQ(ReportPages(lines, 0).size(), 5u);
}

TEST(ReportDocument, OdtKeepsBlanksEscapesTextAndNamesTheFixedPitchFont) {
    const auto parts = OdtParts("FE-Speicher\r\n\r\n 09:15:02      1        95,4 µm   <Fe&>\r\n");
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0].Name, "mimetype");
    EXPECT_FALSE(parts[0].Compressed);
    EXPECT_EQ(Part(parts, "mimetype"), "application/vnd.oasis.opendocument.text");

    const QString content = Part(parts, "content.xml");
    EXPECT_TRUE(content.contains("<text:p text:style-name=\"Report\">FE-Speicher</text:p>"
                                 "<text:p text:style-name=\"Report\"></text:p>"));
    EXPECT_TRUE(content.contains("<text:s/>09:15:02<text:s text:c=\"6\"/>1<text:s text:c=\"8\"/>"
                                 "95,4 µm<text:s text:c=\"3\"/>&lt;Fe&amp;&gt;</text:p>"))
        << content.toStdString();

    const QString styles = Part(parts, "styles.xml");
    EXPECT_TRUE(styles.contains("style:font-name=\"Lucida Console\" fo:font-size=\"10pt\" "
                                "fo:font-weight=\"normal\""));
    EXPECT_TRUE(styles.contains("style:font-family-generic=\"modern\" style:font-pitch=\"fixed\""));
    EXPECT_TRUE(Part(parts, "META-INF/manifest.xml").contains("full-path=\"content.xml\""));
}

} // namespace
