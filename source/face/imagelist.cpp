#include "face/imagelist.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <new>

#include "capturename.h"

namespace {

bool IsJpegName(const scn::Filename& name) {
  const scn::String suffix = name.GetSuffix();
  if (suffix.size() != 3) return false;
  return std::tolower(static_cast<unsigned char>(suffix[0])) == 'j' &&
         std::tolower(static_cast<unsigned char>(suffix[1])) == 'p' &&
         std::tolower(static_cast<unsigned char>(suffix[2])) == 'g';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

scn::Int64 ImageFileNumber(const scn::Filename& name) {
  const scn::String file = name.GetFile().GetString();
  std::size_t end = file.rfind('.');
  if (end == scn::String::npos || end == 0) end = file.size();
  std::size_t last = end;
  while (last > 0 && !IsDigit(file[last - 1])) --last;
  if (last == 0) return -1;
  std::size_t first = last;
  while (first > 0 && IsDigit(file[first - 1])) --first;
  constexpr scn::Int64 kMax = std::numeric_limits<scn::Int64>::max();
  scn::Int64 number = 0;
  for (std::size_t i = first; i < last; ++i) {
    const int digit = file[i] - '0';
    if (number > (kMax - digit) / 10) return kMax;
    number = number * 10 + digit;
  }
  return number;
}

void SortImageFiles(std::vector<scn::Filename>& files) {
  std::sort(files.begin(), files.end(), [](const scn::Filename& a, const scn::Filename& b) {
    const scn::Int64 na = ImageFileNumber(a), nb = ImageFileNumber(b);
    if (na != nb) return na < nb;
    return a.GetString() < b.GetString();
  });
}

bool ListImageFiles(const scn::Filename& folder, std::vector<scn::Filename>& files) {
  scn::FolderBrowser* browser = scn::OpenFolderBrowser(folder);
  if (!browser) return false;
  bool ok = true;
  scn::Filename entry;
  scn::Bool isDirectory = false;
  while (ok && scn::BrowseNext(browser, &entry, &isDirectory)) {
    if (isDirectory || entry.GetString() == "preview.jpg" || !IsJpegName(entry)) continue;
    // Such a name would not survive the scene record, which refuses it.
    if (!IsSafeCaptureName(entry.GetString())) {
      scn::DiagnosticOutput("image list: skipping \"" + PrintableName(entry.GetString()) + "\" in " +
                            folder.GetString() + ": no plain file name");
      continue;
    }
    try {
      files.push_back(entry);
    } catch (const std::bad_alloc&) {
      scn::ReportOutOfMemory(__FILE__, __LINE__);
      ok = false;
    }
  }
  scn::CloseFolderBrowser(browser);
  return ok;
}
