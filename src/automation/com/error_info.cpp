#include "automation/com/error_info.h"

#include <string>

#include "automation/com/com_text.h"
#include "automation/com/zil.h"
#include "textcore/utf8.h"

namespace zil::com {

HRESULT Fail(HRESULT hr, std::string_view message) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return hr;
  const std::u16string description = textcore::FromUtf8(message);
  create->SetGUID(IID_Iautozil);
  create->SetSource(const_cast<LPOLESTR>(kErrorSource));
  create->SetDescription(const_cast<LPOLESTR>(Wide(description)));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
  return hr;
}

}  // namespace zil::com
