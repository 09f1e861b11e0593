#pragma once
// A small dialog framework: one class per dialog, created from a template in the resources, with
// a declarative map from messages and control notifications to member handlers.
//
//   class AudioSetupDialog : public MappedDialog<AudioSetupDialog> {
//       ...
//       static const MessageMap<AudioSetupDialog> kMessageMap;
//   };
//   const MessageMap<AudioSetupDialog> AudioSetupDialog::kMessageMap = {
//       OnInitDialog(&AudioSetupDialog::Initialise),
//       OnCommand(IDC_TEST_SOUND, BN_CLICKED, &AudioSetupDialog::PlayTestSound),
//       OnMessage(WM_PAINT, &AudioSetupDialog::Relabel),
//   };
//
// The static dialog procedure finds the object through DWLP_USER (stored on WM_INITDIALOG,
// cleared on WM_NCDESTROY) and hands it each message; the first matching entry of the map runs.
// Dialogs are Unicode windows: texts reach them converted from code page 1252 (app/win/ui_text.h).

#include <windows.h>

#include <optional>
#include <type_traits>
#include <vector>

// A message as the dialog procedure received it.
struct Message {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};

// What a message handler answers: nothing lets the dialog manager do its default processing;
// a value means handled. The value is what the message returns: through DWLP_MSGRESULT, or
// directly for WM_INITDIALOG (the focus flag) and the WM_CTLCOLOR* messages (a brush).
using HandlerResult = std::optional<INT_PTR>;

class Dialog {
  public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Runs the dialog modally; answers the value it ended with, or -1 when it could not be made.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog as a modeless window owned by `owner` (hidden unless its template says
    // otherwise); false when it could not be made. The window is destroyed with the object.
    bool CreateModeless(HWND owner);

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

  protected:
    explicit Dialog(int templateId) : templateId_(templateId) {}

    // Ends a modal dialog with `result`. A modeless one is hidden; its window goes with the object.
    void End(INT_PTR result);

    // The skin's three operations, for the message maps of skinned dialogs: WM_ERASEBKGND,
    // WM_CTLCOLORBTN and WM_CTLCOLORSTATIC, WM_DRAWITEM.
    HandlerResult EraseWithSkin(const Message& message);
    HandlerResult ColourControlsForSkin(const Message& message);
    HandlerResult DrawButtonWithSkin(const Message& message);
    // The system's own erase, for windows that do not show the picture.
    HandlerResult EraseWithoutSkin(const Message& message);

  private:
    virtual HandlerResult Dispatch(const Message& message) = 0;
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND window_ = nullptr;
    bool modeless_ = false;
};

// One entry of a message map: a window message, or WM_COMMAND from one control with one
// notification code. A command handler takes nothing and answers nothing: it is always handled.
template <class Owner>
struct MessageBinding {
    using MessageHandler = HandlerResult (Owner::*)(const Message&);
    using CommandHandler = void (Owner::*)();

    MessageBinding(UINT boundMessage, int boundControl, int boundNotification,
                   MessageHandler messageHandler, CommandHandler commandHandler)
        : message(boundMessage),
          controlId(boundControl),
          notification(boundNotification),
          onMessage(messageHandler),
          onCommand(commandHandler) {}

    // A binding to a handler of a base class (the shared skin handlers of Dialog) also binds it
    // in the map of a derived dialog.
    template <class Base>
    requires std::is_base_of_v<Base, Owner> MessageBinding(const MessageBinding<Base>& base)
        : MessageBinding(base.message, base.controlId, base.notification, base.onMessage,
                         base.onCommand) {}

    bool Matches(const Message& m) const {
        if (m.id != message)
            return false;
        return message != WM_COMMAND ||
               (LOWORD(m.wParam) == controlId && HIWORD(m.wParam) == notification);
    }

    UINT message;
    int controlId;
    int notification;
    MessageHandler onMessage;
    CommandHandler onCommand;
};

template <class Owner>
using MessageMap = std::vector<MessageBinding<Owner>>;

template <class Owner>
MessageBinding<Owner> OnMessage(UINT message, HandlerResult (Owner::*handler)(const Message&)) {
    return {message, 0, 0, handler, nullptr};
}

template <class Owner>
MessageBinding<Owner> OnInitDialog(HandlerResult (Owner::*handler)(const Message&)) {
    return OnMessage(WM_INITDIALOG, handler);
}

template <class Owner>
MessageBinding<Owner> OnCommand(int controlId, int notification, void (Owner::*handler)()) {
    return {WM_COMMAND, controlId, notification, nullptr, handler};
}

// Dispatches through the map `Owner::kMessageMap`.
template <class Owner>
class MappedDialog : public Dialog {
  protected:
    using Dialog::Dialog;

  private:
    HandlerResult Dispatch(const Message& message) override {
        Owner& self = static_cast<Owner&>(*this);
        for (const MessageBinding<Owner>& binding : Owner::kMessageMap) {
            if (!binding.Matches(message))
                continue;
            if (binding.onCommand != nullptr) {
                (self.*binding.onCommand)();
                return 0;
            }
            return (self.*binding.onMessage)(message);
        }
        return std::nullopt;
    }
};
