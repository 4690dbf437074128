#include "basecapture.h"

#include <cstring>
#include <new>
#include <utility>

#include "capturename.h"
#include "preferences.h"

namespace {

bool IsDelimiter(char c) {
  return c == '\n' || c == '\r' || c == ':' || c == '~';
}

// The bytes of one token. Short tokens stay in the inline bytes; longer ones move to host memory that
// grows to 1.5 times its size, rounded up to a multiple of 16.
class TokenBuffer {
 public:
  TokenBuffer() = default;
  ~TokenBuffer() {
    if (data_ != inline_) scn::MemFree(data_);
  }
  TokenBuffer(const TokenBuffer&) = delete;
  TokenBuffer& operator=(const TokenBuffer&) = delete;

  bool Append(char c) {
    if (size_ == capacity_ && !Grow()) return false;
    data_[size_++] = c;
    return true;
  }
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool Equals(const char* text) const {
    return std::strlen(text) == size_ && std::memcmp(data_, text, size_) == 0;
  }

 private:
  static constexpr std::size_t kInline = 64;

  bool Grow() {
    const std::size_t wanted = capacity_ + (capacity_ + 1) / 2;
    const std::size_t next = (wanted + 15) / 16 * 16;
    auto* grown = static_cast<char*>(scn::MemAlloc(next, __FILE__, __LINE__, false));
    if (!grown) return false;
    std::memcpy(grown, data_, size_);
    if (data_ != inline_) scn::MemFree(data_);
    data_ = grown;
    capacity_ = next;
    return true;
  }

  char inline_[kInline];
  char* data_ = inline_;
  std::size_t size_ = 0;
  std::size_t capacity_ = kInline;
};

// Collects one token; its delimiter is consumed. False when the buffer cannot grow or the file has an
// error afterwards.
bool ReadTokenBytes(scn::HostFile* file, TokenBuffer& token) {
  char c;
  while (scn::ReadFileChar(file, &c)) {
    if (IsDelimiter(c)) break;
    if (!token.Append(c)) return false;
  }
  return scn::GetFileError(file) == 0;
}

bool ReadFloats(scn::HostFile* file, scn::Float64* values, int count) {
  for (int i = 0; i < count; ++i)
    if (!ReadTokenFloat(file, values[i])) return false;
  return true;
}

bool FileIsSound(scn::HostFile* file) {
  return scn::GetFileError(file) == 0;
}

}  // namespace

bool ReadToken(scn::HostFile* file, scn::String& token) {
  TokenBuffer bytes;
  if (!ReadTokenBytes(file, bytes)) return false;
  try {
    token.assign(bytes.data(), bytes.size());
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return true;
}

bool ReadTokenFloat(scn::HostFile* file, scn::Float64& value) {
  TokenBuffer bytes;
  if (!ReadTokenBytes(file, bytes)) return false;
  scn::Float64 v;
  if (!scn::StringToFloat64(bytes.data(), bytes.size(), &v)) return false;
  value = v;
  return true;
}

bool ReadTokenInt(scn::HostFile* file, scn::Int32& value) {
  TokenBuffer bytes;
  if (!ReadTokenBytes(file, bytes)) return false;
  scn::Int32 v;
  if (!scn::StringToInt32(bytes.data(), bytes.size(), &v)) return false;
  value = v;
  return true;
}

bool ReadTokenBool(scn::HostFile* file, scn::Bool& value) {
  TokenBuffer bytes;
  if (!ReadTokenBytes(file, bytes)) return false;
  if (bytes.Equals("true") || bytes.Equals("false")) {
    value = bytes.Equals("true");
    return true;
  }
  scn::Int32 v;
  if (!scn::StringToInt32(bytes.data(), bytes.size(), &v)) return false;
  value = v >= 1;
  return true;
}

bool ReadTokenVector(scn::HostFile* file, scn::Vector& value) {
  scn::Float64 xyz[3];
  if (!ReadFloats(file, xyz, 3) || !FileIsSound(file)) return false;
  value = {xyz[0], xyz[1], xyz[2]};
  return true;
}

bool ReadTokenUV(scn::HostFile* file, scn::Float64& u, scn::Float64& v) {
  scn::Float64 uv[2];
  if (!ReadFloats(file, uv, 2) || !FileIsSound(file)) return false;
  u = uv[0];
  v = uv[1];
  return true;
}

bool ReadTokenMatrix(scn::HostFile* file, scn::Matrix& value) {
  // Columns in file order: x axis, y axis, z axis, offset; each has a fourth number that is dropped.
  scn::Float64 n[16];
  if (!ReadFloats(file, n, 16) || !FileIsSound(file)) return false;
  scn::Matrix m;
  m.v1 = {n[0], n[1], n[2]};
  m.v2 = {n[4], n[5], n[6]};
  m.v3 = {n[8], n[9], n[10]};
  m.off = scn::Vector{n[12], n[13], n[14]} * 100.0;
  value = m;
  return true;
}

bool ReadTokenMatrix3(scn::HostFile* file, scn::Matrix& value) {
  scn::Vector axes[3];
  for (scn::Vector& axis : axes) {
    scn::Float64 xyz[3];
    if (!ReadFloats(file, xyz, 3) || !FileIsSound(file)) return false;
    axis = {xyz[0], xyz[1], xyz[2]};
  }
  value.v1 = axes[0];
  value.v2 = axes[1];
  value.v3 = axes[2];
  return true;
}

bool ReadFaceVertices(scn::HostFile* file, std::vector<scn::Vector>& vertices) {
  const std::size_t before = vertices.size();
  try {
    vertices.reserve(before + kFaceVertexCount);
    for (int i = 0; i < kFaceVertexCount; ++i) {
      scn::Vector v;
      if (!ReadTokenVector(file, v)) {
        vertices.resize(before);
        return false;
      }
      vertices.push_back(v);
    }
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    vertices.resize(before);
    return false;
  }
  return true;
}

namespace {

bool WriteCaptureInfoFields(scn::HostFile* f, const CaptureInfo& info) {
  return scn::WriteFileInt32(f, CaptureInfo::kCaptureInfoVersion) &&
         scn::WriteFileString(f, info.captureName) && scn::WriteFileString(f, info.secondName) &&
         scn::WriteFileInt32(f, info.imageCount) && scn::WriteFileFloat64(f, info.timestamp) &&
         scn::WriteFileByte(f, info.hasImages ? 1 : 0) && scn::WriteFileFloat32(f, info.fps) &&
         scn::WriteFileInt32(f, info.frameCount) && scn::WriteFileInt32(f, info.kind);
}

// Later fields of older versions are absent: their defaults, or what the record held (Float64, kind).
bool ReadCaptureInfoFields(scn::HostFile* f, CaptureInfo& info) {
  if (!scn::ReadFileInt32(f, &info.version) || !scn::ReadFileString(f, &info.captureName) ||
      !scn::ReadFileString(f, &info.secondName) || !scn::ReadFileInt32(f, &info.imageCount))
    return false;
  if (info.version > 0 && !scn::ReadFileFloat64(f, &info.timestamp)) return false;
  info.frameCount = info.imageCount;
  info.fps = 30.0f;
  info.hasImages = false;
  if (info.version >= 2) {
    scn::Int32 flag = 0;
    if (!scn::ReadFileByte(f, &flag) || !scn::ReadFileFloat32(f, &info.fps) ||
        !scn::ReadFileInt32(f, &info.frameCount))
      return false;
    info.hasImages = flag != 0;
    info.kind = CaptureInfo::kCaptureKindFace;
  }
  if (info.version >= 3 && !scn::ReadFileInt32(f, &info.kind)) return false;
  return true;
}

}  // namespace

bool WriteCaptureInfo(const CaptureInfo& info) {
  const scn::Filename captures = GetCapturesFolder();
  if (captures.IsEmpty() || !IsSafeCaptureName(info.captureName)) return false;
  const scn::Filename folder = captures + scn::Filename(info.captureName);
  if (!scn::FileExists(folder, true)) return false;
  const scn::Filename path = folder + scn::Filename(kCaptureInfoFile);
  HostFileHolder file;
  if (!file || !scn::OpenFile(file.get(), path, scn::kFileWrite, scn::kByteOrderIntel, scn::MakeCode("SCNC"),
                              scn::MakeCode("SCN1"))) {
    scn::DiagnosticOutput("capture.info: cannot open " + path.GetString() + " for writing");
    return false;
  }
  if (!WriteCaptureInfoFields(file.get(), info) || !scn::CloseFile(file.get())) {
    scn::DiagnosticOutput("capture.info: writing " + path.GetString() + " failed");
    return false;
  }
  return true;
}

bool ReadCaptureInfo(CaptureInfo& info, const scn::Filename& name) {
  if (!scn::FileExists(name, false)) return false;
  HostFileHolder file;
  if (!file || !scn::OpenFile(file.get(), name, scn::kFileRead, scn::kByteOrderIntel, scn::MakeCode("SCNC"),
                              scn::MakeCode("SCN1")))
    return false;
  try {
    CaptureInfo read = info;
    if (!ReadCaptureInfoFields(file.get(), read)) {
      scn::DiagnosticOutput("capture.info: " + name.GetString() + " is short or malformed");
      return false;
    }
    // The name becomes the capture's folder: one that climbs out of the captures folder is refused.
    if (!IsSafeCaptureName(read.captureName)) {
      scn::DiagnosticOutput("capture.info: " + name.GetString() + " names the capture \"" +
                            PrintableName(read.captureName) + "\", which is no single folder name");
      return false;
    }
    info = std::move(read);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return true;
}
