#pragma once

// How the window's repaints reach an X server. Both calls do nothing on
// other platforms.
namespace X11Transfer {

// Before the application object: repaints go down the socket, not through a
// shared-memory image.
void chooseSocketImages();

// After it: room in the connection's send buffer for a frame's images, so
// that sending one does not wait for the server to read the last. Returns
// the buffer size the kernel granted, or 0 without an X connection.
int widenSendBuffer();

// What widenSendBuffer() asks for.
inline constexpr int kSendBufferBytes = 1 << 20;

} // namespace X11Transfer
