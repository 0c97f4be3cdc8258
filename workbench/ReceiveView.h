#pragma once

class QPlainTextEdit;
class ReceiveBuffer;

// The receive view that the command tester and the communication window share.

// One read of up to 512 bytes, with no command sent and no wait; the bytes that came are
// appended to the buffer. False when nothing came (the buffer is unchanged).
bool ReadIntoReceiveBuffer(ReceiveBuffer& buffer);

// The whole buffer drawn into the view, as hex digits or as characters; nothing while the
// buffer is empty.
void ShowReceiveBuffer(const ReceiveBuffer& buffer, QPlainTextEdit* view, bool hex);
