// Host objects that plug-ins only hold by pointer; their insides belong to the host.
#pragma once

namespace scn {

struct SceneNode;      // object, tag, shader, material, preference page node
struct Document;       // scene document
struct HostFile;       // open file with typed reads and writes
struct RecordFile;     // tagged record file of scene data
struct Description;    // parameter descriptions of a node
struct Bitmap;         // image
struct DialogWindow;   // a dialog's window on the host side
struct CustomGadget;   // gadget of a host library inside a dialog
struct FolderBrowser;  // walk over the entries of a folder
struct ThreadHandle;   // host thread running an SCNThread
struct AnimTrack;      // animation track of a node's parameter
struct NodeMaster;     // the nodes of a node-graph tag
struct GraphPort;      // input or output of a graph node

class NodeData;
class CommandData;
class MessageData;
class HostDialog;
class SCNThread;

using NodeAllocator = NodeData* (*)();
using Deleter = void (*)(void*);

}  // namespace scn
