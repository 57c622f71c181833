// A program that drags files onto other programs for the end-to-end tests: dragsource [--ansi]
// RECORD FILE... shows a window at (600, 500), 120 by 80 pixels; a press on it starts an OLE drag
// of the files as a file list (CF_HDROP), its names in UTF-16 as today's programs give them, or
// with --ansi in the ANSI code page as older ones do; when the drag is over one line "effect=E"
// (the drop effect the target reported, 0 when it refused or the drag was cancelled) is appended
// to RECORD. It runs until it is closed.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::wstring recordPath;
std::string fileList; // the names, each ended by a zero, and one more zero, in bytes
bool wideNames = true;

FORMATETC fileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool isFileList(const FORMATETC* format) {
    return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) &&
           format->dwAspect == DVASPECT_CONTENT;
}

// COM's interfaces have no virtual destructor: their objects are never deleted through them.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// What the two objects of a drag need of IUnknown. They live as long as the program: the count
// is kept because COM asks for it.
template <class Interface> class Lasting : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, __uuidof(Interface))) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&count_)); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(InterlockedDecrement(&count_)); }

private:
    LONG count_ = 1;
};

class FileListData final : public Lasting<IDataObject> {
public:
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!isFileList(format)) return DV_E_FORMATETC;
        const HGLOBAL block =
            GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + fileList.size());
        if (!block) return E_OUTOFMEMORY;
        auto* header = static_cast<DROPFILES*>(GlobalLock(block));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = wideNames;
        std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), fileList.data(),
                    fileList.size());
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return isFileList(format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format = fileListFormat();
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
};

class ButtonDropSource final : public Lasting<IDropSource> {
public:
    // The drag goes on while the left button is held; Escape cancels it.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

FileListData data;
ButtonDropSource source;

void dragFiles() {
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    if (result != DRAGDROP_S_DROP) effect = DROPEFFECT_NONE;
    if (FILE* record = _wfopen(recordPath.c_str(), L"ab")) {
        std::fprintf(record, "effect=%lu\r\n", static_cast<unsigned long>(effect));
        std::fclose(record);
    }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        dragFiles();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A name as the file list holds it, with its zero: UTF-16 bytes, or the ANSI code page's.
std::string listed(const std::wstring& name) {
    if (wideNames)
        return std::string(reinterpret_cast<const char*>(name.c_str()),
                           (name.size() + 1) * sizeof(wchar_t));
    const int length =
        WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int first = 1;
    if (argv && argc > 1 && std::wstring(argv[1]) == L"--ansi") {
        wideNames = false;
        first = 2;
    }
    if (!argv || argc < first + 2) {
        std::fprintf(stderr, "usage: dragsource [--ansi] RECORD FILE...\n");
        return 2;
    }
    recordPath = argv[first];
    for (int i = first + 1; i < argc; ++i)
        fileList += listed(argv[i]);
    fileList += listed(L"");
    if (FAILED(OleInitialize(nullptr))) return 1;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"KestrumDragSource";
    RegisterClassW(&windowClass);
    CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"drag source",
                    WS_POPUP | WS_VISIBLE, 600, 500, 120, 80, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    OleUninitialize();
    return 0;
}
