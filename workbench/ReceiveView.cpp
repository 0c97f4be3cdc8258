#include "workbench/ReceiveView.h"

#include "link/Comm.h"
#include "workbench/ReceiveBuffer.h"

#include <QPlainTextEdit>
#include <algorithm>

namespace {

constexpr int kReadLength = 512;

}  // namespace

bool ReadIntoReceiveBuffer(ReceiveBuffer& buffer)
{
    char bytes[kReadLength] = {};
    const int count = g_comm.Read(bytes, kReadLength);
    if (count <= 0)
        return false;
    buffer.append(bytes, std::min(count, kReadLength));
    return true;
}

void ShowReceiveBuffer(const ReceiveBuffer& buffer, QPlainTextEdit* view, bool hex)
{
    if (buffer.isEmpty())
        return;
    view->setPlainText(
        buffer.format(hex ? ReceiveBuffer::DataType::Hex : ReceiveBuffer::DataType::Ascii));
}
