// The binary form of the host's settings file: a whole scn::Container tree.
//
//   "KSET"  u32 format version (1)  u64 FNV-1a hash of the body  body
//   body = container: u32 count, then count entries in ascending id order:
//          i32 id, u8 type code (scn::ValueType), payload
//   payloads: None nothing; Int32 i32; Bool u8 0/1; Float64 IEEE bits as u64; Vector 3 x Float64;
//             Matrix off, v1, v2, v3 as 12 x Float64; String and Filename u32 length + bytes;
//             Container a nested container; Link i64
// All numbers little-endian.
#pragma once

#include <string>
#include <string_view>

#include "scn/container.h"

namespace host {

inline constexpr int kSettingsMaxDepth = 64;

std::string EncodeSettings(const scn::Container& settings);
// False with the reason in *error when the bytes are no settings file of this format (wrong magic or
// version, hash mismatch, truncated, unknown type, ids out of order, nesting deeper than
// kSettingsMaxDepth, bytes left over). *out is only written on success.
bool DecodeSettings(std::string_view bytes, scn::Container* out, std::string* error);

}  // namespace host
