// The face capture object: one downloaded face performance played back in the scene. It loads the
// performance named by its file parameter, drives a target polygon mesh, its own weight and matrix
// parameters and a linked camera from the document time, and serves its frames and camera images to
// the face pose tag, the eye tag and the face shader.
#pragma once

#include <array>
#include <atomic>
#include <vector>

#include "capturesettings.h"
#include "face/faceframe.h"
#include "face/imageconverterthread.h"
#include "face/spinlock.h"
#include "scn/nodedata.h"
#include "scn/scene.h"

inline constexpr scn::Int32 kFaceCaptureObjectId = 1040464;

// Parameters of the object's description.
enum FaceCaptureParameter : scn::Int32 {
  kFaceFile = 1000,            // file name: the performance's "faceData.txt"
  kFaceFileName = 1001,        // String: the file part of 1000
  kFaceSetup = 1002,           // button
  kFaceCameraLink = 1003,      // link: camera
  kFaceFrameCountText = 1004,  // String
  kFaceSetDocument = 1005,     // button: document frame rate and range from the capture
  kFaceMakeSound = 1006,       // button
  kFaceMakeCamera = 1007,      // button
  kFaceFixedImage = 1008,      // Bool: hold one fixed image
  kFaceFixedImageHint = 1009,  // button
  kFaceImageIndex = 1010,      // Int32: image index while 1008 is on
  kFaceMakeRig = 1011,         // button
  kFaceStartFrame = 1012,      // Int32: start frame in the document
  kFaceFirstFrame = 1013,      // Int32: first capture frame used
  kFaceLength = 1014,          // Int32
  kFaceLoop = 1015,            // Bool
  kFaceApplyToTarget = 1016,   // Bool
  kFaceUseCamera = 1017,       // Bool
  kFaceResetOffset = 1020,     // button
  kFaceRemoveSound = 1021,     // button
  kFaceMatrix = 1024,          // Matrix: offset x face matrix
  kFaceCameraMatrix = 1025,    // Matrix: offset x host camera matrix
  kFaceOffset = 1026,          // Matrix
  kFaceFrameMode = 1027,       // Int32: one of the three modes below
  kFaceModeEveryFrame = 1028,
  kFaceModeBlendRuns = 1029,
  kFaceModeImageFramesOnly = 1030,
  kFaceStartImages = 1035,     // button
  kFaceStopImages = 1036,      // button
  kFaceCopyToDocument = 1037,  // button
  kFaceTargetLink = 1038,      // link: target polygon mesh
  kFaceMakeMesh = 1039,        // button: mesh from "faceGeo.txt"
  kFaceHelp = 1040,            // button
  kFaceMakeQuadMesh = 1042,    // button
  kFaceKeepSides = 1043,       // Bool: no left/right mirroring of the weights
  kFaceMatrixPosition = 1101,
  kFaceMatrixRotation = 1102,
  kFaceCameraPosition = 1104,
  kFaceCameraRotation = 1105,
  kFaceOffsetPosition = 1107,
  kFaceOffsetRotation = 1108,
  kFaceTurnNewMeshes = 1200,  // Int32: 1 turns by pi
  kFaceExtraVector = 2201,    // Vector
  kFaceExtraValue = 2202,     // Float
  kFaceLeftEyeMatrix = 2302,
  kFaceLeftEyePosition = 2303,
  kFaceLeftEyeRotation = 2304,
  kFaceRightEyeMatrix = 2306,
  kFaceRightEyePosition = 2307,
  kFaceRightEyeRotation = 2308,
  kFaceEyeVector = 2309,
};

// lastFrame before anything was applied.
inline constexpr scn::Int32 kNoFrame = static_cast<scn::Int32>(0x80000080u);

// For each blendshape index, the weight parameter that receives it when the sides are mirrored:
// left and right ids exchanged, the ids of centre shapes kept.
const std::array<scn::Int32, kBlendshapeCount>& BlendshapeMirrorTable();

// Heading, pitch and bank (rotation order 6) of a matrix's axes; see MatrixFromRotation.
scn::Vector RotationFromMatrix(const scn::Matrix& m);
scn::Matrix MatrixFromRotation(const scn::Vector& hpb);

class FaceCaptureObject : public scn::ObjectData {
 public:
  static scn::NodeData* Alloc();

  FaceCaptureObject();
  ~FaceCaptureObject() override;
  FaceCaptureObject(const FaceCaptureObject&) = delete;
  FaceCaptureObject& operator=(const FaceCaptureObject&) = delete;

  // Host slots.
  scn::Bool InitNodeData(scn::SceneNode* node) override;
  void ReleaseNodeData(scn::SceneNode* node) override;
  scn::Bool LoadNodeData(scn::SceneNode* node, scn::RecordFile* rf, scn::Int32 level) override;
  scn::Bool SaveNodeData(scn::SceneNode* node, scn::RecordFile* rf) override;
  scn::Bool CopyNodeData(scn::NodeData* dest, scn::SceneNode* srcNode, scn::SceneNode* destNode) override;
  scn::Bool OnNodeMessage(scn::SceneNode* node, scn::Int32 type, void* data) override;
  scn::Bool WriteParameterHook(scn::SceneNode* node, scn::Int32 id, const scn::Value& data,
                               scn::Int32& flags) override;
  scn::Bool IsParameterEnabled(scn::SceneNode* node, scn::Int32 id, const scn::Container& itemDesc) override;
  scn::SceneNode* EvaluateGenerator(scn::SceneNode* node) override;

  // Loading (facecaptureloading.cpp).
  // Clears the object and loads the performance whose "faceData.txt" is file; false when the image
  // folder, the frame file or one of its frames cannot be read (the frames read so far stay).
  bool LoadPerformance(scn::SceneNode* node, scn::Document* doc, const scn::Filename& file);
  void ClearPerformance();
  // Lists the folder's camera images into imageFiles and takes the image size from the first.
  bool ScanImageFiles(const scn::Filename& folder);
  // Builds faceMesh from the performance's "faceGeo.txt" unless it is there; null when it cannot.
  scn::SceneNode* LoadFaceGeometry(scn::SceneNode* node);
  // A copy of faceMesh inserted into the document and linked as the target (1038); null on failure.
  scn::SceneNode* MakeMeshFromGeometry(scn::SceneNode* node, scn::Document* doc);
  // Where the performance's sound file lies: the document's "OrvexCapture" copy first, else beside
  // the file of 1000; empty when neither exists.
  scn::Filename FindSoundFile(scn::SceneNode* node);

  // Evaluation (facecaptureevaluation.cpp).
  // The capture frame for the document time (may lie outside the frames); imageFrame receives the
  // frame whose camera image belongs to it.
  scn::Int32 FrameIndexAtTime(scn::Document* doc, const scn::Container& bc, scn::Int32* imageFrame) const;
  // Writes the frame of the document time into the target mesh and the weight parameters; returns the
  // target or null. faceMatrix (and hostCameraMatrix when given) receive the applied frame's matrices.
  scn::SceneNode* UpdateFaceMesh(scn::SceneNode* node, scn::Document* doc, scn::Container& bc,
                                 scn::Matrix& faceMatrix, scn::Matrix* hostCameraMatrix);

  // Services for the tags and the shader (facecaptureservices.cpp).
  scn::Int32 GetFrameCount() const;
  const FaceFrame* GetFrame(scn::Int32 index) const;
  scn::Bitmap* GetImage(scn::Int32 index);
  scn::Filename GetImageFileAtTime(scn::Document* doc);
  void AddShaderUser(scn::SceneNode* shader);
  void RemoveShaderUser(scn::SceneNode* shader);
  void NotifyShaderUsers();
  static scn::Matrix EyeRotationFromWeights(scn::Float64 down, scn::Float64 up, scn::Float64 in,
                                            scn::Float64 out, scn::Bool left, scn::Bool fixedOffset);

  // Sorts imageFiles once until the next append.
  void SortImageFilesIfNeeded();
  void FreeImages();
  // True when at least one image is loaded.
  bool HasImages();
  // Any thread; the entry of the next image file, null for one that could not be read. False
  // (reported, image freed) when memory runs out.
  bool AppendImage(scn::Bitmap* image);
  // Loads the camera images on the image thread unless they are loaded, being loaded or one image is
  // held; false when nothing started.
  bool StartImageThread(scn::SceneNode* node);
  // Ends the image thread (waiting) and drops the images.
  void StopImageThread();

  scn::SceneNode* scratchMesh = nullptr;
  scn::Matrix offsetMatrix;
  scn::NodeLink* soundLink = nullptr;
  std::vector<FaceFrame*> frames;
  std::vector<scn::Filename> imageFiles;
  scn::Bool imageFilesSorted = true;
  scn::SceneNode* faceMesh = nullptr;
  std::vector<scn::Vector> uvs;
  std::vector<scn::Int32> triangleIndices;
  scn::Int32 imageWidth = 0;  // of the camera images; 0 until the first is read
  scn::Int32 imageHeight = 0;
  std::vector<scn::NodeLink*> shaderUsers;
  CaptureSettings settings;
  scn::Bool loaded = false;
  std::vector<scn::Bitmap*> images;  // entry i is imageFiles[i]; null when that file could not be read
  scn::Int32 lastFrame = kNoFrame;
  scn::Int32 fixedImageFrame = 0;
  SpinLock imagesLock;
  SpinLock shaderUsersLock;
  scn::NodeLink* selfLink = nullptr;
  std::atomic<scn::Bool> imagesReady{false};  // set by the image thread
  // Last, so that it ends before the fields it fills go.
  ImageConverterThread imageThread{*this};

 private:
  void FreeFrames();
  void FreeShaderUsers();
  bool CopyInto(FaceCaptureObject& dest) const;
  bool ReadFrames(scn::SceneNode* node, const scn::Filename& file);
  // A new frame at the end of frames; null (reported) when memory runs out.
  FaceFrame* AppendFrame();
  void MarkImageRuns();
  // Logs a problem of "faceGeo.txt" unless it is the one logged last.
  void ReportGeometryProblem(const scn::Filename& file, const scn::String& problem);
  void DressTarget(scn::SceneNode* node, scn::Document* doc, scn::SceneNode* target);
  bool ReadRecord(scn::SceneNode* node, scn::RecordFile* rf, scn::Int32 level);
  bool WriteRecord(scn::RecordFile* rf);
  scn::SceneNode* ResolveTarget(scn::SceneNode* node, scn::Document* doc) const;
  void WriteFrameToMesh(const FaceFrame& frame, scn::Int32 index, scn::Int32 mode, scn::SceneNode* target,
                        bool* stop);
  void WriteTextureCoordinates(const FaceFrame& imageFrame, scn::SceneNode* target);
  void WriteWeights(const FaceFrame& frame, scn::Container& bc) const;
  void WriteFrameParameters(scn::Container& bc, scn::Int32 docFrame) const;
  void PlaceCamera(scn::Document* doc, scn::Container& bc, scn::Int32 docFrame) const;
  // Buttons (facecapturebuttons.cpp).
  void MakeCamera(scn::SceneNode* node, scn::Document* doc);
  // The document plays at the capture's frame rate over the frames the object shows.
  void FitDocumentToCapture(scn::SceneNode* node, scn::Document* doc);
  // Copies the performance's camera images and sound into the document folder's capture folder.
  void CopyIntoDocumentFolder(scn::SceneNode* node, scn::Document* doc);
  bool IsInDocumentFolder(scn::SceneNode* node, scn::Document* doc) const;

  scn::SceneNode* node_ = nullptr;      // the node this data belongs to (set by InitNodeData)
  scn::Int32 lastPolygonCount = 0;      // of the target, at the last evaluation
  scn::Int32 lastFixedImage = -1;       // 1010 at the last evaluation
  std::vector<scn::Vector> projected_;  // per capture vertex, reused by every evaluation
  scn::String geometryProblem_;         // the "faceGeo.txt" problem logged last
};

// The object's data when node is a face capture object, else null.
FaceCaptureObject* GetFaceCaptureObject(scn::SceneNode* node);

bool RegisterFaceCaptureObject();
