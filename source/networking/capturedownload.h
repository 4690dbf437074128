// What the download answers share: finding a capture's folder from a name the phone sent, writing one
// file block into it, and announcing a finished capture to the main thread.
#pragma once

#include "scn/filename.h"
#include "scn/types.h"

class BitStream;

// The capture's folder below the captures folder, whether or not it exists. False, logged with the
// message's name, when there is no captures folder or the name could climb out of it.
bool CaptureFolderFor(const char* message, const scn::String& name, scn::Filename& folder);

// A file block: UInt32 little-endian byte count, then the bytes, written to folder/fileName when there
// are any. False when the block is short (the cursor is then left at the count) or the file cannot be
// written. The bytes are written straight from the stream: nothing is allocated for what the count says.
bool ReceiveFile(BitStream& stream, const scn::Filename& folder, const scn::String& fileName);

// Shows a resource string in the status bar.
void ShowReceiving(scn::Int32 statusTextId);

// Queues the capture's name for the main thread.
void AnnounceCompletedDownload(const scn::String& name);
