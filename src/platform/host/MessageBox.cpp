#include "platform/host/MessageBox.h"

#include "platform/host/MessageBoxDialog.h"
#include "platform/host/ModalLoop.h"

namespace host {

namespace {

std::vector<MessageBoxRecord>& record()
{
    thread_local std::vector<MessageBoxRecord> boxes;
    return boxes;
}

vb::Integer first_button(vb::Integer style)
{
    switch (style & 0x0F) {
    case vbAbortRetryIgnore:
        return vbAbort;
    case vbYesNoCancel:
    case vbYesNo:
        return vbYes;
    case vbRetryCancel:
        return vbRetry;
    default:
        return vbOK;
    }
}

} // namespace

vb::Integer MsgBox(std::string_view Prompt, vb::Integer Buttons, std::string_view Title)
{
    record().push_back(MessageBoxRecord{std::string(Prompt), Buttons, std::string(Title)});
    if (has_input_wait())
        return run_message_box(Prompt, Buttons, Title);
    return first_button(Buttons);
}

const std::vector<MessageBoxRecord>& message_boxes()
{
    return record();
}

void clear_message_boxes()
{
    record().clear();
}

} // namespace host
