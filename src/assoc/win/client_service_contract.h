#pragma once
// The COM contract of the café's local client service: which class to
// create, which interface to ask for, and where its one method sits.

#include <windows.h>
#include <oaidl.h>

// {DBCB78F8-B3EA-4C44-B2E9-6AD202ACBB35}
inline constexpr CLSID kClientServiceClassId = {
    0xDBCB78F8, 0xB3EA, 0x4C44, {0xB2, 0xE9, 0x6A, 0xD2, 0x02, 0xAC, 0xBB, 0x35}};

// {3C5F0C7D-FC9A-4AE8-821B-88A9538C84BA}
inline constexpr IID kClientServiceInterfaceId = {
    0x3C5F0C7D, 0xFC9A, 0x4AE8, {0x82, 0x1B, 0x88, 0xA9, 0x53, 0x8C, 0x84, 0xBA}};

// In-process server, in-process handler, local server, remote server.
inline constexpr DWORD kClientServiceClassContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
static_assert(kClientServiceClassContext == 0x17);

// A dual interface; its own method comes right after the four of IDispatch.
struct IClientService : public IDispatch {
  // `request` is a VT_BSTR holding the JSON request text; `reply` receives
  // the JSON reply, in anything that converts to a string.
  virtual HRESULT STDMETHODCALLTYPE HandleRequest(VARIANT request, VARIANT* reply) = 0;
};
