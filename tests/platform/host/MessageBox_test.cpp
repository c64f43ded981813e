#include <gtest/gtest.h>

#include <thread>

#include "platform/host/MessageBox.h"

namespace {

using host::MessageBoxRecord;

TEST(MessageBox, EveryBoxIsRecordedInOrderAndAnsweredWithTheFirstButtonOfItsStyle)
{
    host::clear_message_boxes();
    EXPECT_EQ(host::MsgBox("Error in AutoComplete\r\nError: x\r\nNumber: 3265", 0, "Pendrel"),
        host::vbOK);
    EXPECT_EQ(host::MsgBox("Subscript out of range", host::vbCritical, "InitpData"), host::vbOK);
    EXPECT_EQ(host::message_boxes(),
        (std::vector<MessageBoxRecord>{
            {"Error in AutoComplete\r\nError: x\r\nNumber: 3265", 0, "Pendrel"},
            {"Subscript out of range", 16, "InitpData"}}));
    EXPECT_EQ(host::MsgBox("?", host::vbAbortRetryIgnore), host::vbAbort);
    EXPECT_EQ(host::MsgBox("?", host::vbYesNo | host::vbQuestion), host::vbYes);
    EXPECT_EQ(host::MsgBox("?", host::vbRetryCancel), host::vbRetry);
}

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
