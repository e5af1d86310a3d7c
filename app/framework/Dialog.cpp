#include "framework/Dialog.h"

#include <aygshell.h>

#include <utility>

#include "framework/Module.h"

namespace {

// Messages a dialog procedure answers with its return value; for all others the answer
// goes in DWLP_MSGRESULT and the return value only says the message was handled.
bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

// The dialog that the calling thread is creating, until its first message binds it.
// Creation is synchronous and a thread creates one dialog at a time up to that first
// message, so one slot per thread is enough.
thread_local Dialog* dialogBeingCreated = nullptr;

// Holds the slot for the length of one creation call, and empties it again whether or
// not a message came (a template that fails to instantiate sends none).
class CreationSlot {
  public:
    explicit CreationSlot(Dialog* dialog) { dialogBeingCreated = dialog; }
    ~CreationSlot() { dialogBeingCreated = nullptr; }
    CreationSlot(const CreationSlot&) = delete;
    CreationSlot& operator=(const CreationSlot&) = delete;
};

}  // namespace

LPCDLGTEMPLATEW Dialog::FindTemplate() const {
    const HMODULE resources = Module::Process().ResourceInstance();
    HRSRC found = FindResourceW(resources, MAKEINTRESOURCEW(templateId_), RT_DIALOG);
    if (!found) {
        return nullptr;
    }
    return static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(resources, found)));
}

HWND Dialog::Create(HWND parent) {
    LPCDLGTEMPLATEW dialogTemplate = FindTemplate();
    if (!dialogTemplate) {
        return nullptr;
    }
    CreationSlot slot(this);
    return CreateDialogIndirectParamW(Module::Process().ResourceInstance(), dialogTemplate, parent,
                                      CommonDialogProcedure, 0);
}

INT_PTR Dialog::DoModal(HWND owner) {
    LPCDLGTEMPLATEW dialogTemplate = FindTemplate();
    if (!dialogTemplate) {
        return -1;
    }
    CreationSlot slot(this);
    return DialogBoxIndirectParamW(Module::Process().ResourceInstance(), dialogTemplate, owner,
                                   CommonDialogProcedure, 0);
}

INT_PTR CALLBACK Dialog::CommonDialogProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    MessageTarget* target = FromHandle(hwnd, DWLP_USER);
    if (!target && dialogBeingCreated) {
        target = std::exchange(dialogBeingCreated, nullptr);
        static_cast<Dialog*>(target)->Attach(hwnd);
    }
    if (!target) {
        return FALSE;
    }
    return static_cast<Dialog*>(target)->Dispatch(hwnd, message, wParam, lParam);
}

LRESULT Dialog::Answer(HWND hwnd, UINT message, WPARAM, LPARAM, bool handled, LRESULT result) {
    if (!handled) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        // Failure leaves the dialog as its template made it, which still works.
        SHINITDLGINFO init{SHIDIM_FLAGS, hwnd,
                           SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
        SHInitDialog(&init);
    }
    if (AnswersDirectly(message)) {
        return result;
    }
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
