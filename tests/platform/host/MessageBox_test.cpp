#include <gtest/gtest.h>

#include <thread>

#include "platform/host/MessageBox.h"

namespace {

using host::MessageBoxRecord;

TEST(MessageBox, EveryBoxIsRecordedInOrderAndAnsweredAtOnce)
{
    host::clear_message_boxes();
    EXPECT_EQ(host::MsgBox("Error in AutoComplete\r\nError: x\r\nNumber: 3265", 0, "Pendrel"),
        host::vbOK);
    EXPECT_EQ(host::MsgBox("Subscript out of range", host::vbCritical, "InitpData"), host::vbOK);
    EXPECT_EQ(host::message_boxes(),
        (std::vector<MessageBoxRecord>{
            {"Error in AutoComplete\r\nError: x\r\nNumber: 3265", 0, "Pendrel"},
            {"Subscript out of range", 16, "InitpData"}}));
    host::clear_message_boxes();
    EXPECT_TRUE(host::message_boxes().empty());
}

struct AnswerCase {
    const char* name;
    vb::Integer style;
    vb::Integer answer;
};

class MessageBoxAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MessageBoxAnswer, IsTheFirstButtonOfTheStyle)
{
    EXPECT_EQ(host::MsgBox("?", GetParam().style), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Table, MessageBoxAnswer,
    ::testing::Values(AnswerCase{"OkOnly", host::vbOKOnly, host::vbOK},
        AnswerCase{"AbortRetryIgnore", host::vbAbortRetryIgnore, host::vbAbort},
        AnswerCase{"YesNoQuestion", host::vbYesNo | host::vbQuestion, host::vbYes},
        AnswerCase{"RetryCancel", host::vbRetryCancel, host::vbRetry}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBox, EachThreadHasItsOwnRecord)
{
    host::clear_message_boxes();
    host::MsgBox("here");
    std::size_t there = 99;
    std::thread([&] {
        host::MsgBox("there");
        host::MsgBox("there too");
        there = host::message_boxes().size();
    }).join();
    EXPECT_EQ(there, 2u);
    EXPECT_EQ(host::message_boxes().size(), 1u);
}

} // namespace
