#include "input/AnalysisLog.h"
#include "platform/File.h"
#include "support/RecordingAlertSink.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <new>

using namespace lorvanel;
using lorvanel::testing::recordedAlerts;

namespace {
class AnalysisLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        analysisLog().clear();
        recordedAlerts().clear();
    }
};
} // namespace

TEST_F(AnalysisLogTest, FormatsAndConcatenates) {
    analysisLog().append("ファイルを開いています '%s'\r\n", "a.txt");
    analysisLog().append("完了 %d㍉ﾋﾞｮ\r\n\r\n", 12);
    EXPECT_EQ(analysisLog().text(), "ファイルを開いています 'a.txt'\r\n完了 12㍉ﾋﾞｮ\r\n\r\n");
    EXPECT_TRUE(recordedAlerts().texts.empty());
}

TEST_F(AnalysisLogTest, KeepsTheNewestHundredEntries) {
    for (int i = 1; i <= 101; ++i) analysisLog().append("%d;", i);
    EXPECT_EQ(analysisLog().entryCount(), 100u);
    EXPECT_EQ(analysisLog().entries().front(), "2;");
    EXPECT_EQ(analysisLog().entries().back(), "101;");
}

TEST_F(AnalysisLogTest, CutsLongEntries) {
    const std::string longText(5000, 'x');
    analysisLog().append("%s", longText.c_str());
    EXPECT_EQ(analysisLog().text().size(), 1023u);
}

TEST_F(AnalysisLogTest, AlertsRaiseTheWindowThenShow) {
    analysisLog().appendAndAlert("対応していないlorvanel.txtです。\r\n");
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(recordedAlerts().texts[0], "対応していないlorvanel.txtです。\r\n");
    EXPECT_EQ(recordedAlerts().raised, 1);
    EXPECT_EQ(analysisLog().text(), "対応していないlorvanel.txtです。\r\n");
}

TEST_F(AnalysisLogTest, ExceptionsAndSystemErrors) {
    analysisLog().appendException(FileError("/no/such", ENOENT));
    analysisLog().appendSystemError(ENOENT);
    ASSERT_EQ(recordedAlerts().texts.size(), 2u);
    EXPECT_EQ(recordedAlerts().texts[0], "/no/such: " + systemErrorMessage(ENOENT));
    EXPECT_EQ(analysisLog().entries()[0], "/no/such: " + systemErrorMessage(ENOENT) + "\r\n");
    EXPECT_EQ(analysisLog().entries()[1], systemErrorMessage(ENOENT) + "\r\n");

    analysisLog().appendException(std::bad_alloc());
    EXPECT_EQ(analysisLog().entries()[2], "メモリが不足しています。\r\n");
}

TEST_F(AnalysisLogTest, ExceptionMessagesAreBounded) {
    const std::string huge(3000, 'e');
    analysisLog().appendException(std::runtime_error(huge));
    EXPECT_EQ(recordedAlerts().texts[0].size(), 500u);
    EXPECT_EQ(analysisLog().entries()[0], std::string(1020, 'e') + "\r\n");
}
