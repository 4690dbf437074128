#include "files/recordfile.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>
#include <system_error>

#include "core/host.h"

namespace host {
namespace {

// Header of a record saved to disk: magic and format version.
constexpr char kMagic[4] = {'S', 'C', 'N', 'R'};
constexpr std::uint32_t kFormatVersion = 1;

void Misbehaving(const std::string& what) {
  if (Host* h = Host::Current()) h->diagnostics().ReportMisbehaviour(what);
}

void CheckMainThread(const char* call) {
  if (Host* h = Host::Current()) h->CheckMainThread(call);
}

// --- payload encoding

template <typename U>
void PutUnsigned(std::string& out, U v) {
  for (std::size_t i = 0; i < sizeof(U); ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

template <typename U>
bool GetUnsigned(scn::RecordFile& rf, U* v) {
  if (rf.bytes.size() - rf.readAt < sizeof(U)) return false;
  U u = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i)
    u |= static_cast<U>(static_cast<unsigned char>(rf.bytes[rf.readAt + i])) << (8 * i);
  rf.readAt += sizeof(U);
  *v = u;
  return true;
}

void PutFloat64(std::string& out, scn::Float64 v) { PutUnsigned(out, std::bit_cast<std::uint64_t>(v)); }
bool GetFloat64(scn::RecordFile& rf, scn::Float64* v) {
  std::uint64_t u;
  if (!GetUnsigned(rf, &u)) return false;
  *v = std::bit_cast<scn::Float64>(u);
  return true;
}

void PutVector(std::string& out, const scn::Vector& v) {
  PutFloat64(out, v.x);
  PutFloat64(out, v.y);
  PutFloat64(out, v.z);
}
bool GetVector(scn::RecordFile& rf, scn::Vector* v) {
  scn::Vector r;
  if (!GetFloat64(rf, &r.x) || !GetFloat64(rf, &r.y) || !GetFloat64(rf, &r.z)) return false;
  *v = r;
  return true;
}

bool GetText(scn::RecordFile& rf, std::string* v) {
  std::uint32_t raw;
  if (!GetUnsigned(rf, &raw)) return false;
  const auto count = std::bit_cast<scn::Int32>(raw);
  if (count < 0 || static_cast<std::size_t>(count) > rf.bytes.size() - rf.readAt) return false;
  *v = rf.bytes.substr(rf.readAt, static_cast<std::size_t>(count));
  rf.readAt += static_cast<std::size_t>(count);
  return true;
}

// --- one value: tag, payload, sticky failure

// Appends a tagged value; false (and failed for good) when the record cannot take it.
template <typename Encode>
scn::Bool WriteValue(scn::RecordFile* rf, RecordTag tag, const char* call, Encode encode) {
  CheckMainThread(call);
  if (!rf) {
    Misbehaving(std::string(call) + " on a null record");
    return false;
  }
  if (!rf->writing) {
    Misbehaving(std::string(call) + " on a record open for reading");
    rf->failed = true;
  }
  if (rf->failed) return false;
  if (rf->writesLeft == 0) {
    rf->failed = true;
    return false;
  }
  const std::size_t before = rf->bytes.size();
  try {
    rf->bytes.push_back(static_cast<char>(tag));
    if (!encode(rf->bytes)) {
      rf->bytes.resize(before);
      rf->failed = true;
      return false;
    }
  } catch (const std::bad_alloc&) {
    rf->bytes.resize(before);
    rf->failed = true;
    return false;
  }
  if (rf->writesLeft > 0) --rf->writesLeft;
  return true;
}

// Takes the next value when it carries this tag; any mismatch or short payload fails the record.
template <typename Decode>
scn::Bool ReadValue(scn::RecordFile* rf, RecordTag tag, const char* call, Decode decode) {
  CheckMainThread(call);
  if (!rf) {
    Misbehaving(std::string(call) + " on a null record");
    return false;
  }
  if (rf->writing) {
    Misbehaving(std::string(call) + " on a record open for writing");
    rf->failed = true;
  }
  if (rf->failed) return false;
  const std::size_t start = rf->readAt;
  bool ok = start < rf->bytes.size() && static_cast<unsigned char>(rf->bytes[start]) == static_cast<unsigned char>(tag);
  if (ok) {
    ++rf->readAt;
    try {
      ok = decode(*rf);
    } catch (const std::bad_alloc&) {
      ok = false;
    }
  }
  if (!ok) {
    rf->readAt = start;
    rf->failed = true;
  }
  return ok;
}

void FillNumberEntries(scn::RecordTable& t) {
  // main thread; false once the record failed; a value of another type next fails it for good
  t.ReadInt32 = [](scn::RecordFile* rf, scn::Int32* v) {
    return ReadValue(rf, RecordTag::Int32, "ReadRecordInt32", [v](scn::RecordFile& r) {
      std::uint32_t u;
      if (!GetUnsigned(r, &u)) return false;
      *v = std::bit_cast<scn::Int32>(u);
      return true;
    });
  };
  t.WriteInt32 = [](scn::RecordFile* rf, scn::Int32 v) {
    return WriteValue(rf, RecordTag::Int32, "WriteRecordInt32", [v](std::string& out) {
      PutUnsigned(out, std::bit_cast<std::uint32_t>(v));
      return true;
    });
  };
  // main thread; the payload byte must be 0 or 1
  t.ReadBool = [](scn::RecordFile* rf, scn::Bool* v) {
    return ReadValue(rf, RecordTag::Bool, "ReadRecordBool", [v](scn::RecordFile& r) {
      std::uint8_t b;
      if (!GetUnsigned(r, &b) || b > 1) return false;
      *v = b == 1;
      return true;
    });
  };
  t.WriteBool = [](scn::RecordFile* rf, scn::Bool v) {
    return WriteValue(rf, RecordTag::Bool, "WriteRecordBool", [v](std::string& out) {
      out.push_back(v ? 1 : 0);
      return true;
    });
  };
  t.ReadFloat32 = [](scn::RecordFile* rf, scn::Float32* v) {
    return ReadValue(rf, RecordTag::Float32, "ReadRecordFloat32", [v](scn::RecordFile& r) {
      std::uint32_t u;
      if (!GetUnsigned(r, &u)) return false;
      *v = std::bit_cast<scn::Float32>(u);
      return true;
    });
  };
  t.WriteFloat32 = [](scn::RecordFile* rf, scn::Float32 v) {
    return WriteValue(rf, RecordTag::Float32, "WriteRecordFloat32", [v](std::string& out) {
      PutUnsigned(out, std::bit_cast<std::uint32_t>(v));
      return true;
    });
  };
  t.ReadFloat64 = [](scn::RecordFile* rf, scn::Float64* v) {
    return ReadValue(rf, RecordTag::Float64, "ReadRecordFloat64", [v](scn::RecordFile& r) { return GetFloat64(r, v); });
  };
  t.WriteFloat64 = [](scn::RecordFile* rf, scn::Float64 v) {
    return WriteValue(rf, RecordTag::Float64, "WriteRecordFloat64", [v](std::string& out) {
      PutFloat64(out, v);
      return true;
    });
  };
}

void FillCompoundEntries(scn::RecordTable& t) {
  // main thread; as the number entries
  t.ReadVector = [](scn::RecordFile* rf, scn::Vector* v) {
    return ReadValue(rf, RecordTag::Vector, "ReadRecordVector", [v](scn::RecordFile& r) { return GetVector(r, v); });
  };
  t.WriteVector = [](scn::RecordFile* rf, const scn::Vector& v) {
    return WriteValue(rf, RecordTag::Vector, "WriteRecordVector", [&v](std::string& out) {
      PutVector(out, v);
      return true;
    });
  };
  t.ReadMatrix = [](scn::RecordFile* rf, scn::Matrix* v) {
    return ReadValue(rf, RecordTag::Matrix, "ReadRecordMatrix", [v](scn::RecordFile& r) {
      scn::Matrix m;
      if (!GetVector(r, &m.off) || !GetVector(r, &m.v1) || !GetVector(r, &m.v2) || !GetVector(r, &m.v3))
        return false;
      *v = m;
      return true;
    });
  };
  t.WriteMatrix = [](scn::RecordFile* rf, const scn::Matrix& v) {
    return WriteValue(rf, RecordTag::Matrix, "WriteRecordMatrix", [&v](std::string& out) {
      PutVector(out, v.off);
      PutVector(out, v.v1);
      PutVector(out, v.v2);
      PutVector(out, v.v3);
      return true;
    });
  };
  // main thread; a count below 0 or beyond the record's end fails before anything is allocated
  t.ReadString = [](scn::RecordFile* rf, scn::String* v) {
    return ReadValue(rf, RecordTag::String, "ReadRecordString", [v](scn::RecordFile& r) { return GetText(r, v); });
  };
  t.WriteString = [](scn::RecordFile* rf, const scn::String& v) {
    return WriteValue(rf, RecordTag::String, "WriteRecordString", [&v](std::string& out) {
      if (v.size() > static_cast<std::size_t>(std::numeric_limits<scn::Int32>::max())) return false;
      PutUnsigned(out, static_cast<std::uint32_t>(v.size()));
      out += v;
      return true;
    });
  };
  t.ReadFilename = [](scn::RecordFile* rf, scn::Filename* v) {
    return ReadValue(rf, RecordTag::Filename, "ReadRecordFilename", [v](scn::RecordFile& r) {
      std::string text;
      if (!GetText(r, &text)) return false;
      *v = scn::Filename(std::move(text));
      return true;
    });
  };
  t.WriteFilename = [](scn::RecordFile* rf, const scn::Filename& v) {
    return WriteValue(rf, RecordTag::Filename, "WriteRecordFilename", [&v](std::string& out) {
      const std::string& text = v.GetString();
      if (text.size() > static_cast<std::size_t>(std::numeric_limits<scn::Int32>::max())) return false;
      PutUnsigned(out, static_cast<std::uint32_t>(text.size()));
      out += text;
      return true;
    });
  };
}

std::string Header() {
  std::string h(kMagic, sizeof kMagic);
  PutUnsigned(h, kFormatVersion);
  return h;
}

}  // namespace

void RecordFile::FillTable(scn::RecordTable& table) {
  FillNumberEntries(table);
  FillCompoundEntries(table);
}

std::unique_ptr<scn::RecordFile> RecordFile::ForWriting() {
  auto rf = std::make_unique<scn::RecordFile>();
  rf->writing = true;
  return rf;
}

std::unique_ptr<scn::RecordFile> RecordFile::ForReading(std::string bytes) {
  auto rf = std::make_unique<scn::RecordFile>();
  rf->bytes = std::move(bytes);
  return rf;
}

const std::string& RecordFile::Bytes(const scn::RecordFile& rf) { return rf.bytes; }
bool RecordFile::Failed(const scn::RecordFile& rf) { return rf.failed; }
bool RecordFile::AtEnd(const scn::RecordFile& rf) { return !rf.writing && rf.readAt == rf.bytes.size(); }

void RecordFile::FailAfter(scn::RecordFile& rf, int n) { rf.writesLeft = n < 0 ? 0 : n; }

bool RecordFile::SaveToFile(const scn::RecordFile& rf, const std::filesystem::path& path) {
  std::filesystem::path temp = path;
  temp += ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string header = Header();
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(rf.bytes.data(), static_cast<std::streamsize>(rf.bytes.size()));
    out.close();
    if (!out) {
      std::error_code ec;
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (!ec) return true;
  std::filesystem::remove(temp, ec);
  return false;
}

std::unique_ptr<scn::RecordFile> RecordFile::LoadFromFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  try {
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return nullptr;
    const std::string header = Header();
    if (bytes.compare(0, header.size(), header) != 0) return nullptr;
    return ForReading(bytes.substr(header.size()));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace host
