#include <windows.h>
// After windows.h, which they build on.
#include <urlmon.h>

#include "platform/UrlDownload.h"

namespace platform {

namespace {

// The bind-status callback handed to the moniker download. It lives on the
// caller's stack for the one call, so it counts no references, and it only
// forwards progress; every other notice is declined.
class BindCallback : public IBindStatusCallbackEx {
public:
    explicit BindCallback(UrlDownloadSink& sink) : sink_(sink) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 0; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override {
        binding_ = binding;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG,
                                         LPCWSTR) override {
        return sink_.OnProgress(progress, progressMax) ? S_OK : E_ABORT;
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO* info) override {
        if (info) info->dwCodePage = CP_UTF8;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBindInfoEx(DWORD*, BINDINFO*, DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }

private:
    UrlDownloadSink& sink_;
    IBinding* binding_ = nullptr;  // kept as given, not counted
};

}  // namespace

int32_t UrlDownloadToFile(const std::wstring& url, const std::wstring& targetPath,
                          UrlDownloadSink& sink, const std::string&) {
    BindCallback callback(sink);
    return static_cast<int32_t>(
        URLDownloadToFileW(nullptr, url.c_str(), targetPath.c_str(), 0, &callback));
}

}  // namespace platform
