#include "ui/uiservice.h"

namespace host {

UiService::~UiService() = default;
void UiService::FillTable(scn::UiTable&) {}
void UiService::FillHtmlViewerLibrary(scn::HtmlViewerLibrary&) {}
void UiService::CloseAll() {}

}  // namespace host
