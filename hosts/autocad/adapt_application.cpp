// The adapter's side of SetApp in zil.dll (automation/com/dispatch_application.h).
// clang-format off
#include "automation/com/dispatch_application.h"
// clang-format on

#include "autocad/objects.h"

namespace zil::com {

std::shared_ptr<acad::Application> AdaptApplication(IDispatch* app) {
  app->AddRef();
  return std::make_shared<autocad::AutoCadApplication>(app);
}

void AbandonApplication(acad::Application& app) {
  if (auto* adapted = dynamic_cast<autocad::AutoCadApplication*>(&app)) adapted->SharedSession()->Abandon();
}

}  // namespace zil::com
