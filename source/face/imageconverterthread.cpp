#include "face/imageconverterthread.h"

#include <new>
#include <string>

#include "face/facecapture.h"
#include "scn/bitmap.h"

namespace {

constexpr scn::Int32 kLoadingImagesText = 11013;

}  // namespace

bool ImageConverterThread::Start(const scn::Filename& folder, const std::vector<scn::Filename>& files) {
  if (IsThreadRunning()) return false;
  try {
    folder_ = folder;
    files_ = files;
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return StartThread();
}

void ImageConverterThread::RunThread() {
  owner_.FreeImages();
  const auto count = static_cast<scn::Int32>(files_.size());
  const scn::String text = scn::LoadResourceString(kLoadingImagesText);
  for (scn::Int32 i = 0; i < count && !TestThreadBreak(); ++i) {
    scn::SetStatusText(text + " " + std::to_string(i + 1) + " / " + std::to_string(count));
    scn::SetStatusProgress(static_cast<scn::Int32>(static_cast<scn::Float64>(i) / count * 100.0));
    scn::Bitmap* image = scn::AllocateBitmap();
    if (!image) {
      scn::ReportOutOfMemory(__FILE__, __LINE__);
      break;
    }
    const scn::Filename file = folder_ + files_[i];
    if (scn::LoadBitmapFile(image, file, -1) != scn::kImageOk) {
      // An empty entry keeps image i the picture of file i; the unreadable one's frames show none.
      scn::DiagnosticOutput("image thread: cannot read " + file.GetString() + "; its frames show no image");
      scn::FreeBitmap(image);
    }
    if (!owner_.AppendImage(image)) break;
  }
  scn::ClearStatus();
  // The main thread's next evaluation tells the shaders.
  owner_.imagesReady = true;
}
