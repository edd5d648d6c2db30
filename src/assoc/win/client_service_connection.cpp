#include "assoc/win/client_service_connection.h"

#include <ole2.h>

IClientService* ConnectClientService() {
  IUnknown* object = nullptr;
  HRESULT hr = ::CoCreateInstance(kClientServiceClassId, nullptr, kClientServiceClassContext, IID_IUnknown,
                                  reinterpret_cast<void**>(&object));
  if (FAILED(hr) || object == nullptr) return nullptr;

  IClientService* service = nullptr;
  if (SUCCEEDED(::OleRun(object))) {
    if (FAILED(object->QueryInterface(kClientServiceInterfaceId, reinterpret_cast<void**>(&service)))) {
      service = nullptr;
    }
  }
  object->Release();
  return service;
}
