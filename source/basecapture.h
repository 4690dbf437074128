// Capture data utilities: the token text shared by "settings.txt", "faceData.txt" and "faceGeo.txt"
// (CaptureTokenFormat: tokens end at a line feed, a carriage return, ':' or '~'), and the
// "capture.info" record of a capture folder.
#pragma once

#include <new>
#include <vector>

#include "scn/api.h"

// Frees a host file when it goes out of scope (an open one is closed by the host).
class HostFileHolder {
 public:
  HostFileHolder() : file_(scn::AllocateFile()) {}
  ~HostFileHolder() { scn::FreeFile(file_); }
  HostFileHolder(const HostFileHolder&) = delete;
  HostFileHolder& operator=(const HostFileHolder&) = delete;

  scn::HostFile* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }

 private:
  scn::HostFile* file_;
};

// Token readers over a file opened for reading. All return false on the first failed token, number
// conversion or file error. Two delimiters in a row give an empty token (so CR LF gives one between
// lines); a last token without delimiter is still returned.
bool ReadToken(scn::HostFile* file, scn::String& token);
bool ReadTokenFloat(scn::HostFile* file, scn::Float64& value);
bool ReadTokenInt(scn::HostFile* file, scn::Int32& value);
// "true", "false", else a whole number: 1 or more is true.
bool ReadTokenBool(scn::HostFile* file, scn::Bool& value);
bool ReadTokenVector(scn::HostFile* file, scn::Vector& value);
bool ReadTokenUV(scn::HostFile* file, scn::Float64& u, scn::Float64& v);
// 16 numbers: x axis, y axis, z axis, offset, four each; the fourth of each is checked and dropped, the
// offset is scaled by 100. The matrix is set only when all of it was read.
bool ReadTokenMatrix(scn::HostFile* file, scn::Matrix& value);
// 9 numbers: x axis, y axis, z axis; the offset keeps what it held.
bool ReadTokenMatrix3(scn::HostFile* file, scn::Matrix& value);

inline constexpr int kFaceVertexCount = 1220;
// Appends exactly kFaceVertexCount vectors; out of memory is reported and gives false.
bool ReadFaceVertices(scn::HostFile* file, std::vector<scn::Vector>& vertices);

// One capture of a capture list, cached in its folder's "capture.info". The fields without a fixed
// meaning here are set and read by the writers and readers of the capture lists and the folder scan.
struct CaptureInfo {
  scn::Int32 version = kCaptureInfoVersion;
  scn::String secondName;
  scn::String captureName;  // also the capture's folder name
  scn::Int32 imageCount = 0;
  scn::Float64 timestamp = 0.0;
  scn::Bool hasImages = false;
  scn::Float32 fps = 30.0f;
  scn::Int32 frameCount = 0;
  scn::Int32 kind = kCaptureKindFace;
  scn::Filename folder;  // where the capture lives; not stored in "capture.info"

  static constexpr scn::Int32 kCaptureInfoVersion = 3;
  static constexpr scn::Int32 kCaptureKindFace = 1;
  static constexpr scn::Int32 kCaptureKindBody = 2;
};

inline constexpr char kCaptureInfoFile[] = "capture.info";

// Writes "capture.info" into the capture's existing folder below the captures folder; false (and
// nothing written) when there is no captures folder, the name fails IsSafeCaptureName or the folder
// is missing, and false when a write fails.
bool WriteCaptureInfo(const CaptureInfo& info);
// Reads a "capture.info" of any version 0 to 3; info is changed only on success. A capture name that
// fails IsSafeCaptureName is refused like a malformed file.
bool ReadCaptureInfo(CaptureInfo& info, const scn::Filename& file);

// A new T (host allocation at site) at the end of list, which owns it; null, reported, when memory runs
// out.
template <typename T>
T* AppendNew(std::vector<T*>& list, const char* site) {
  T* item = scn::NewObj<T>(site, __LINE__);
  if (item) {
    try {
      list.push_back(item);
      return item;
    } catch (const std::bad_alloc&) {
      scn::DeleteObj(item);
    }
  }
  scn::ReportOutOfMemory(__FILE__, __LINE__);
  return nullptr;
}
