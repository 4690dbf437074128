// Rendering a shader as the host's renderer and viewport use it.
#include "bitmaps/bitmapservice.h"
#include "core/host.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scn/nodedata.h"

namespace host {
namespace {

scn::ShaderData* ShaderOf(scn::SceneNode* node) {
  if (!node || node->kind != NodeKind::Shader || !node->nodeData) return nullptr;
  return static_cast<scn::ShaderData*>(node->nodeData);
}

}  // namespace

std::vector<scn::Vector> SceneService::RenderShader(scn::SceneNode* shader, const scn::RenderInfo& info,
                                                    const std::vector<scn::ColorSample>& at,
                                                    scn::Int32* code) {
  if (code) *code = 0;
  if (!host_.CheckMainThread("RenderShader") || !nodes_.Contains(shader)) return {};
  scn::ShaderData* data = ShaderOf(shader);
  if (!data) return {};
  const scn::Int32 prepared = data->PrepareRender(shader, info);
  if (code) *code = prepared;
  if (prepared != 0) return {};
  std::vector<scn::Vector> colors;
  colors.reserve(at.size());
  for (const scn::ColorSample& sample : at) colors.push_back(data->SampleColor(shader, sample));
  data->FinishRender(shader);
  return colors;
}

scn::Bitmap* SceneService::ViewportBitmap(scn::SceneNode* shader) {
  if (!host_.CheckMainThread("ViewportBitmap") || !nodes_.Contains(shader)) return nullptr;
  scn::ShaderData* data = ShaderOf(shader);
  if (!data) return nullptr;
  scn::Bitmap* out = BitmapService::Allocate();
  if (out && data->ProvideBitmap(shader, out)) return out;
  BitmapService::Free(out);
  return nullptr;
}

}  // namespace host
