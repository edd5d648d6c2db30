// Stand-in for the café's client service: an in-process COM server for the
// service's class id. Its object answers IUnknown, IDispatch (minimal) and the
// service interface, whose own method sits in the slot after the four
// IDispatch methods. The vtable is laid out by hand here, independently of the
// launcher's declaration, so that a wrong slot there shows up in the tests.
//
// Script (files in the folder named by VORLAN_FAKE_CAFE_CLIENT_DIR):
//   reply-<n>.txt   answer to the n-th request (counted from 1), first line:
//                     "bstr"        the rest of the file, as a BSTR
//                     "status <hr>" return that HRESULT (hex); the rest of
//                                   the file, if any, is put in the reply all
//                                   the same
//                     "i4 <n>"      a VT_I4 reply
//                     "unknown"     a VT_UNKNOWN reply (converts to no string)
//                     "hang <ms>"   answer only after that many milliseconds,
//                                   then as "bstr" with the rest of the file
//                   no file: S_OK with an empty reply
//   run-result.txt  present: the object is runnable and Run returns the
//                   HRESULT (hex) written in it
//   no-interface    present: the service interface is refused
//   delay-ms.txt    present: every request is answered only after that
//                   many milliseconds (a slow service)
//   create-hang-ms.txt present: the object is made only after that many
//                   milliseconds (a service that hangs while it starts)
// Records:
//   request-<n>.txt "vt=<type>" line, then the request text
//   events.txt      "created", "run", "service-interface", one a line

#include <ole2.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "cafe_client_script.h"

namespace {

const wchar_t kClassIdText[] = L"{DBCB78F8-B3EA-4C44-B2E9-6AD202ACBB35}";
const wchar_t kInterfaceIdText[] = L"{3C5F0C7D-FC9A-4AE8-821B-88A9538C84BA}";

LONG g_requests = 0;

void Event(const char* what) { cafe::WriteFileBytes(cafe::ScriptFile(L"events.txt"), std::string(what) + "\n", true); }

bool IsId(REFIID riid, const wchar_t* text) {
  GUID id;
  return SUCCEEDED(::CLSIDFromString(const_cast<LPOLESTR>(text), &id)) && ::IsEqualGUID(riid, id);
}

HRESULT ParseHresult(const std::string& text) {
  return static_cast<HRESULT>(std::strtoul(text.c_str(), nullptr, 16));
}

struct Service;

// The service interface as its clients see it: IUnknown, IDispatch, then
// the request method.
struct ServiceVtbl {
  HRESULT(__stdcall* QueryInterface)(Service*, REFIID, void**);
  ULONG(__stdcall* AddRef)(Service*);
  ULONG(__stdcall* Release)(Service*);
  HRESULT(__stdcall* GetTypeInfoCount)(Service*, UINT*);
  HRESULT(__stdcall* GetTypeInfo)(Service*, UINT, LCID, ITypeInfo**);
  HRESULT(__stdcall* GetIDsOfNames)(Service*, REFIID, LPOLESTR*, UINT, LCID, DISPID*);
  HRESULT(__stdcall* Invoke)(Service*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*);
  HRESULT(__stdcall* HandleRequest)(Service*, VARIANT, VARIANT*);
};

class Runnable : public IRunnableObject {
 public:
  explicit Runnable(Service* owner) : owner_(owner) {}
  HRESULT __stdcall QueryInterface(REFIID riid, void** out) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;
  HRESULT __stdcall GetRunningClass(CLSID*) override { return E_NOTIMPL; }
  HRESULT __stdcall Run(IBindCtx*) override {
    Event("run");
    std::string text;
    cafe::ReadFileBytes(cafe::ScriptFile(L"run-result.txt"), text);
    return ParseHresult(text);
  }
  BOOL __stdcall IsRunning() override { return TRUE; }
  HRESULT __stdcall LockRunning(BOOL, BOOL) override { return S_OK; }
  HRESULT __stdcall SetContainedObject(BOOL) override { return S_OK; }

 private:
  Service* owner_;
};

struct Service {
  const ServiceVtbl* vtbl;
  LONG refs;
  Runnable runnable;
};

HRESULT __stdcall QueryInterfaceImpl(Service* self, REFIID riid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (::IsEqualGUID(riid, IID_IUnknown) || ::IsEqualGUID(riid, IID_IDispatch)) {
    *out = self;
  } else if (IsId(riid, kInterfaceIdText)) {
    Event("service-interface");
    if (cafe::Exists(cafe::ScriptFile(L"no-interface"))) return E_NOINTERFACE;
    *out = self;
  } else if (::IsEqualGUID(riid, IID_IRunnableObject) && cafe::Exists(cafe::ScriptFile(L"run-result.txt"))) {
    *out = static_cast<IRunnableObject*>(&self->runnable);
  } else {
    return E_NOINTERFACE;
  }
  ::InterlockedIncrement(&self->refs);
  return S_OK;
}

ULONG __stdcall AddRefImpl(Service* self) { return ::InterlockedIncrement(&self->refs); }

ULONG __stdcall ReleaseImpl(Service* self) {
  LONG left = ::InterlockedDecrement(&self->refs);
  if (left == 0) delete self;
  return left;
}

HRESULT __stdcall GetTypeInfoCountImpl(Service*, UINT* count) {
  if (count) *count = 0;
  return S_OK;
}
HRESULT __stdcall GetTypeInfoImpl(Service*, UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT __stdcall GetIDsOfNamesImpl(Service*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }
HRESULT __stdcall InvokeImpl(Service*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT __stdcall HandleRequestImpl(Service* self, VARIANT request, VARIANT* reply) {
  LONG n = ::InterlockedIncrement(&g_requests);
  std::wstring number = std::to_wstring(n);

  std::string record = "vt=" + std::to_string(request.vt) + "\n";
  if (request.vt == VT_BSTR && request.bstrVal != nullptr) {
    record += cafe::ToCodePage(CP_UTF8, std::wstring(request.bstrVal, ::SysStringLen(request.bstrVal)));
  }
  cafe::WriteFileBytes(cafe::ScriptFile(L"request-" + number + L".txt"), record, false);

  std::string delay;
  if (cafe::ReadFileBytes(cafe::ScriptFile(L"delay-ms.txt"), delay)) ::Sleep(std::strtoul(delay.c_str(), nullptr, 10));

  std::string script;
  if (!cafe::ReadFileBytes(cafe::ScriptFile(L"reply-" + number + L".txt"), script)) return S_OK;
  std::size_t eol = script.find('\n');
  std::string directive = script.substr(0, eol);
  std::string body = eol == std::string::npos ? std::string() : script.substr(eol + 1);
  if (!directive.empty() && directive.back() == '\r') directive.pop_back();
  if (directive.rfind("hang ", 0) == 0) {
    ::Sleep(std::strtoul(directive.c_str() + 5, nullptr, 10));
    directive = "bstr";
  }

  if (directive == "bstr") {
    std::wstring text = cafe::FromCodePage(CP_UTF8, body);
    reply->vt = VT_BSTR;
    reply->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  } else if (directive.rfind("status ", 0) == 0) {
    // A sloppy service may fill the reply even when it fails.
    if (!body.empty()) {
      std::wstring text = cafe::FromCodePage(CP_UTF8, body);
      reply->vt = VT_BSTR;
      reply->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    return ParseHresult(directive.substr(7));
  } else if (directive.rfind("i4 ", 0) == 0) {
    reply->vt = VT_I4;
    reply->lVal = std::atol(directive.c_str() + 3);
  } else if (directive == "unknown") {
    AddRefImpl(self);
    reply->vt = VT_UNKNOWN;
    reply->punkVal = reinterpret_cast<IUnknown*>(self);
  }
  return S_OK;
}

const ServiceVtbl kServiceVtbl = {QueryInterfaceImpl, AddRefImpl,    ReleaseImpl,       GetTypeInfoCountImpl,
                                  GetTypeInfoImpl,    GetIDsOfNamesImpl, InvokeImpl, HandleRequestImpl};

HRESULT __stdcall Runnable::QueryInterface(REFIID riid, void** out) {
  return QueryInterfaceImpl(owner_, riid, out);
}
ULONG __stdcall Runnable::AddRef() { return AddRefImpl(owner_); }
ULONG __stdcall Runnable::Release() { return ReleaseImpl(owner_); }

class Factory : public IClassFactory {
 public:
  HRESULT __stdcall QueryInterface(REFIID riid, void** out) override {
    if (::IsEqualGUID(riid, IID_IUnknown) || ::IsEqualGUID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return 2; }
  ULONG __stdcall Release() override { return 1; }
  HRESULT __stdcall CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    std::string hang;
    if (cafe::ReadFileBytes(cafe::ScriptFile(L"create-hang-ms.txt"), hang)) ::Sleep(std::strtoul(hang.c_str(), nullptr, 10));
    Event("created");
    Service* service = new Service{&kServiceVtbl, 1, Runnable(nullptr)};
    service->runnable = Runnable(service);
    HRESULT hr = QueryInterfaceImpl(service, riid, out);
    ReleaseImpl(service);
    return hr;
  }
  HRESULT __stdcall LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!IsId(clsid, kClassIdText)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, out);
}

// Stays loaded for the life of the process, like the real service would.
extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
