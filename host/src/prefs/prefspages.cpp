// The preference pages part of PrefsService.
#include "core/host.h"
#include "prefs/prefsservice.h"
#include "registry/registry.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {

scn::SceneNode* PrefsService::OpenPage(scn::Int32 pageId) {
  if (auto it = pages_.find(pageId); it != pages_.end()) return it->second.node;
  const Registration* r = host_.registry().Find(pageId, PluginKind::PreferencePage);
  if (!r) {
    host_.diagnostics().Output("OpenPage: no preference page " + std::to_string(pageId));
    return nullptr;
  }
  scn::SceneNode* node = host_.scene().CreatePluginNode(pageId, r->alloc);
  if (!node) {
    host_.diagnostics().Output("OpenPage: the node of preference page " + std::to_string(pageId) +
                               " could not be made");
    return nullptr;
  }
  auto description = std::make_unique<scn::Description>();
  scn::Int32 flags = scn::kDescInitDefaults;
  if (!node->nodeData->BuildDescription(node, description.get(), flags)) {
    host_.diagnostics().Output("OpenPage: preference page " + std::to_string(pageId) +
                               " built no description");
    host_.scene().FreeNode(node);
    return nullptr;
  }
  pages_.emplace(pageId, Page{node, std::move(description)});
  return node;
}

PrefsService::Page* PrefsService::FindOpenPage(scn::Int32 pageId, const char* call) {
  auto it = pages_.find(pageId);
  if (it != pages_.end()) return &it->second;
  host_.diagnostics().Output(std::string(call) + ": preference page " + std::to_string(pageId) +
                             " is not open");
  return nullptr;
}

scn::Value PrefsService::GetPageValue(scn::Int32 pageId, scn::Int32 paramId) {
  Page* page = FindOpenPage(pageId, "GetPageValue");
  if (!page) return {};
  scn::SceneNode* node = page->node;
  scn::Value out;
  scn::Int32 flags = 0;
  if (!node->nodeData->ReadParameterHook(node, paramId, out, flags)) return {};
  if (flags & scn::kParamSet) return out;
  const scn::Value* stored = node->data.Find(paramId);
  return stored ? *stored : scn::Value{};
}

bool PrefsService::SetPageValue(scn::Int32 pageId, scn::Int32 paramId, scn::Value value) {
  Page* page = FindOpenPage(pageId, "SetPageValue");
  if (!page) return false;
  if (!WithinLimits(*page, paramId, value)) {
    host_.diagnostics().Output("SetPageValue: the value is outside the limits of parameter " +
                               std::to_string(paramId) + " of preference page " + std::to_string(pageId));
    return false;
  }
  scn::SceneNode* node = page->node;
  scn::Int32 flags = 0;
  if (!node->nodeData->WriteParameterHook(node, paramId, value, flags)) return false;
  if (!(flags & scn::kParamSet)) node->data.Set(paramId, std::move(value));
  return true;
}

bool PrefsService::WithinLimits(const Page& page, scn::Int32 paramId, const scn::Value& value) {
  const scn::Container* entry = page.description->Find(paramId);
  if (!entry) return true;
  double number = 0.0;
  if (auto p = std::get_if<scn::Int32>(&value))
    number = *p;
  else if (auto p = std::get_if<scn::Float64>(&value))
    number = *p;
  else
    return true;
  // NaN lies within no limits.
  if (entry->Has(kDescMin) && !(number >= entry->GetFloat(kDescMin))) return false;
  if (entry->Has(kDescMax) && !(number <= entry->GetFloat(kDescMax))) return false;
  return true;
}

bool PrefsService::IsPageParameterEnabled(scn::Int32 pageId, scn::Int32 paramId) {
  Page* page = FindOpenPage(pageId, "IsPageParameterEnabled");
  if (!page) return false;
  const scn::Container* entry = page->description->Find(paramId);
  return page->node->nodeData->IsParameterEnabled(page->node, paramId, entry ? *entry : scn::Container{});
}

const scn::Description* PrefsService::PageDescription(scn::Int32 pageId) const {
  auto it = pages_.find(pageId);
  return it == pages_.end() ? nullptr : it->second.description.get();
}

void PrefsService::ClosePage(scn::Int32 pageId) {
  auto it = pages_.find(pageId);
  if (it == pages_.end()) return;
  scn::SceneNode* node = it->second.node;
  pages_.erase(it);
  host_.scene().FreeNode(node);
}

void PrefsService::CloseAllPages() {
  while (!pages_.empty()) ClosePage(pages_.begin()->first);
}

}  // namespace host
