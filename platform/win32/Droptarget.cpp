// Drops through OLE: the form's window is registered with an IDropTarget of ours, which asks the
// dropped data for its file list and hands everything to the form's DropHandler. The shell's
// drag-image object draws the dragged picture when it can be made.
#include "platform/Droptarget.h"

#include "platform/Guarded.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

#include <windows.h>

#include <shellapi.h>
#include <shlguid.h>
#include <shobjidl.h>

namespace platform {
namespace {

// A source may give the names in UTF-16 or, as older and 32-bit programs do, in its ANSI code
// page: the wide query answers in UTF-16 for either.
std::vector<std::string> droppedFiles(IDataObject* data) {
    std::vector<std::string> files;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return files;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        const auto drop = static_cast<HDROP>(medium.hGlobal);
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            // Each name at its own length: a fixed buffer would cut a long one short silently.
            std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
            const UINT copied = DragQueryFileW(drop, i, path.data(), UINT(path.size() + 1));
            path.resize(copied);
            files.push_back(win32::narrow(path));
        }
    }
    ReleaseStgMedium(&medium);
    return files;
}


// COM's interfaces have no virtual destructor: their objects are never deleted through them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Belongs to its registration; the count is kept because COM asks for it, and never ends the
// object's life.
class DropTarget final : public IDropTarget {
public:
    DropTarget(HWND window, DropHandler& handler) : window_(window), handler_(handler) {
        CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                         helper_.receive());
    }
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDropTarget)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refCount_)); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(InterlockedDecrement(&refCount_)); }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point,
                                        DWORD* effect) override {
        if (helper_) {
            POINT at{point.x, point.y};
            helper_->DragEnter(window_, data, &at, effect ? *effect : DROPEFFECT_NONE);
        }
        offerLink(effect);
        guarded([&] { handler_.DragEnter(clientPointOf(point)); });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override {
        if (helper_) {
            POINT at{point.x, point.y};
            helper_->DragOver(&at, effect ? *effect : DROPEFFECT_NONE);
        }
        guarded([&] { handler_.DragOver(clientPointOf(point)); });
        offerLink(effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (helper_) helper_->DragLeave();
        guarded([&] { handler_.DragLeave(); });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (helper_) {
            POINT at{point.x, point.y};
            helper_->Drop(data, &at, effect ? *effect : DROPEFFECT_NONE);
        }
        offerLink(effect);
        const std::vector<std::string> files = droppedFiles(data);
        guarded([&] { handler_.Drop(clientPointOf(point), files); });
        return S_OK;
    }

private:
    Point clientPointOf(POINTL screen) const {
        return win32::clientUnitsOf(window_, {int(screen.x), int(screen.y)});
    }

    static void offerLink(DWORD* effect) {
        if (effect) *effect = DROPEFFECT_LINK;
    }

    HWND window_;
    DropHandler& handler_;
    LONG refCount_ = 0;
    win32::ComPtr<IDropTargetHelper> helper_; // null when the shell cannot draw the picture
};

#pragma GCC diagnostic pop

} // namespace

struct DropRegistration::Native {
    Native(HWND form, DropHandler& handler) : window(form), target(form, handler) {
        RegisterDragDrop(window, &target);
    }
    ~Native() { RevokeDragDrop(window); }
    Native(const Native&) = delete;
    Native& operator=(const Native&) = delete;

    HWND window;
    DropTarget target;
};

DropRegistration::DropRegistration(Form& form, DropHandler& handler)
    : native_(std::make_unique<Native>(form.native().window, handler)) {}

DropRegistration::~DropRegistration() = default;

} // namespace platform
