#include "framereport.h"

#include <cstdio>

#include "core/host.h"
#include "resources/resourceservice.h"
#include "scn/container.h"
#include "scn/scene.h"

namespace host::app {
namespace {

constexpr scn::Int32 kFirstWeight = 2100;
constexpr int kWeightCount = 52;
constexpr int kFirstWeightName = 20000;  // the plug-in's display names of the weights

struct MatrixParameter {
  scn::Int32 id;
  const char* label;
};

constexpr MatrixParameter kMatrices[] = {
    {1024, "face"}, {1025, "camera"}, {1026, "offset"}, {2302, "leftEye"}, {2306, "rightEye"},
};

void AppendNumber(std::string& out, double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, " %.17g", v);
  out += buffer;
}

void AppendMatrix(std::string& out, const char* label, const scn::Matrix& m) {
  out += label;
  for (const scn::Vector& v : {m.off, m.v1, m.v2, m.v3}) {
    AppendNumber(out, v.x);
    AppendNumber(out, v.y);
    AppendNumber(out, v.z);
  }
  out += '\n';
}

}  // namespace

std::string FrameReport(scn::SceneNode* capture, const scn::SceneNode* target) {
  const scn::Container& bc = *scn::GetNodeContainer(capture);
  const ResourceService& strings = Host::Current()->resources();
  std::string out;
  for (int i = 0; i < kWeightCount; ++i) {
    out += std::to_string(kFirstWeight + i);
    AppendNumber(out, bc.GetFloat(kFirstWeight + i));
    out += ' ' + strings.String(kFirstWeightName + i) + '\n';
  }
  for (const MatrixParameter& p : kMatrices) AppendMatrix(out, p.label, bc.GetMatrix(p.id));
  AppendMatrix(out, "target", scn::GetLocalMatrix(target));
  return out;
}

}  // namespace host::app
