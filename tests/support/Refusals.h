#pragma once

#include <QStringList>
#include <gtest/gtest.h>

// The problem lines of refused requests name, in order, what was asked.
inline void ExpectRefusals(const QStringList& refusals, const QStringList& asked) {
    EXPECT_EQ(refusals.size(), asked.size()) << refusals.join('\n').toStdString();
    for (qsizetype i = 0; i < std::min(refusals.size(), asked.size()); ++i)
        EXPECT_TRUE(refusals[i].endsWith(asked[i])) << refusals[i].toStdString();
}
