#pragma once
// A small dialog framework: one class per dialog, created from a template in the resources, with
// a declarative map from messages and control notifications to member handlers.
//
//   class AudioSetupDialog : public MappedDialog<AudioSetupDialog, SkinnedDialog> {
//       ...
//       static const MessageMap<AudioSetupDialog> kMessageMap;
//   };
//   const MessageMap<AudioSetupDialog> AudioSetupDialog::kMessageMap = {
//       OnInitDialog(&AudioSetupDialog::Initialise),
//       OnCommand(IDC_TEST_SOUND, BN_CLICKED, &AudioSetupDialog::PlayTestSound),
//       OnMessage(WM_PAINT, &AudioSetupDialog::Relabel),
//       ChainMessageMap<SkinnedDialog>(),
//   };
//
// The static dialog procedure finds the object through DWLP_USER (stored on WM_INITDIALOG,
// cleared on WM_NCDESTROY) and hands it each message; the first matching entry of the map runs.
// A chained map (a base class's own map, as WTL's CHAIN_MSG_MAP) is asked in its place in the
// list, and the search goes on after it when it handled nothing.
// Dialogs are Unicode windows: texts reach them converted from code page 1252 (base/win/ui_text.h).

#include <windows.h>

#include <optional>
#include <type_traits>
#include <vector>

// What a dialog's map receives once, just after the window's first paint, when its initialisation
// asked for it (Dialog::RunAfterFirstPaint): the moment for work the player need not wait for
// before seeing the dialog, such as DirectX listing its devices.
inline constexpr UINT kAfterFirstPaint = WM_APP + 0x3F00;

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

    // Runs the dialog modally; answers the value it ended with, or -1 when it could not be made or
    // one of its handlers failed.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog as a modeless window owned by `owner` (hidden unless its template says
    // otherwise); false when it could not be made. The window is destroyed with the object.
    bool CreateModeless(HWND owner);

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    // Whether a handler of this dialog threw; the dialog was ended with -1 then.
    bool Failed() const { return failed_; }
    // Whether the handler that failed ran out of memory (std::bad_alloc), which the program
    // must tell the player of: the dialog has vanished.
    bool RanOutOfMemory() const { return ranOutOfMemory_; }

  protected:
    explicit Dialog(int templateId) : templateId_(templateId) {}

    // Ends a modal dialog with `result`. A modeless one is hidden; its window goes with the object.
    void End(INT_PTR result);

    // Asks for kAfterFirstPaint, once the window has been shown and painted whole.
    void RunAfterFirstPaint();

  private:
    enum class AfterFirstPaint { NotAsked, Asked, TimerSet, Done };

    virtual HandlerResult Dispatch(const Message& message) = 0;
    // `message`, or kAfterFirstPaint in place of the timer's message that brings it.
    Message AfterFirstPaintFor(const Message& message);
    // After a handler threw: reports it once and ends the dialog with -1.
    void Fail(UINT message, const char* what);
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND window_ = nullptr;
    bool modeless_ = false;
    bool failed_ = false;
    bool ranOutOfMemory_ = false;
    AfterFirstPaint afterFirstPaint_ = AfterFirstPaint::NotAsked;
};

template <class Owner>
struct MessageBinding;
template <class Owner>
using MessageMap = std::vector<MessageBinding<Owner>>;

// Runs the first entry of `map` that handles `message`.
template <class Owner>
HandlerResult DispatchThroughMap(Owner& self, const MessageMap<Owner>& map, const Message& message);

// The entry that hands a message to the map of the base class `Base`.
template <class Base>
struct ChainedMap {};

// One entry of a message map: a window message; WM_COMMAND from one control, or from any control
// of a range of identifiers, with one notification code; or a chained map. A command handler
// answers nothing: a command is always handled.
template <class Owner>
struct MessageBinding {
    using MessageHandler = HandlerResult (Owner::*)(const Message&);
    using CommandHandler = void (Owner::*)();
    using RangeHandler = void (Owner::*)(int controlId);
    using ChainHandler = HandlerResult (*)(Owner&, const Message&);

    static MessageBinding ForMessage(UINT message, MessageHandler handler) {
        MessageBinding binding;
        binding.message = message;
        binding.onMessage = handler;
        return binding;
    }
    static MessageBinding ForCommands(int firstControl, int lastControl, int notification) {
        MessageBinding binding;
        binding.message = WM_COMMAND;
        binding.firstControl = firstControl;
        binding.lastControl = lastControl;
        binding.notification = notification;
        return binding;
    }

    MessageBinding() = default;

    // An entry bound to a handler of a base class (the skin's) also binds it in the map of a
    // derived dialog. A base's chain entry has no meaning in another map and is not taken over.
    template <class Base>
    requires(std::is_base_of_v<Base, Owner> && !std::is_same_v<Base, Owner>)
        MessageBinding(const MessageBinding<Base>& base)
        : message(base.message),
          firstControl(base.firstControl),
          lastControl(base.lastControl),
          notification(base.notification),
          onMessage(base.onMessage),
          onCommand(base.onCommand),
          onRange(base.onRange) {}

    // The map of a base class, asked in this entry's place.
    template <class Base>
    requires std::is_base_of_v<Base, Owner> MessageBinding(ChainedMap<Base>)
        : chain([](Owner& self, const Message& m) {
              return DispatchThroughMap<Base>(self, Base::kMessageMap, m);
          }) {}

    bool Matches(const Message& m) const {
        if (chain != nullptr)
            return true;
        if (m.id != message || (onMessage == nullptr && onCommand == nullptr && onRange == nullptr))
            return false;
        if (message != WM_COMMAND)
            return true;
        const int control = LOWORD(m.wParam);
        return control >= firstControl && control <= lastControl &&
               HIWORD(m.wParam) == notification;
    }

    HandlerResult Run(Owner& self, const Message& m) const {
        if (chain != nullptr)
            return chain(self, m);
        if (onCommand != nullptr) {
            (self.*onCommand)();
            return 0;
        }
        if (onRange != nullptr) {
            (self.*onRange)(LOWORD(m.wParam));
            return 0;
        }
        return (self.*onMessage)(m);
    }

    UINT message = 0;
    int firstControl = 0;
    int lastControl = 0;
    int notification = 0;
    MessageHandler onMessage = nullptr;
    CommandHandler onCommand = nullptr;
    RangeHandler onRange = nullptr;
    ChainHandler chain = nullptr;
};

template <class Owner>
HandlerResult DispatchThroughMap(Owner& self, const MessageMap<Owner>& map,
                                 const Message& message) {
    for (const MessageBinding<Owner>& binding : map) {
        if (!binding.Matches(message))
            continue;
        if (HandlerResult result = binding.Run(self, message); result || binding.chain == nullptr)
            return result;
    }
    return std::nullopt;
}

template <class Owner>
MessageBinding<Owner> OnMessage(UINT message, HandlerResult (Owner::*handler)(const Message&)) {
    return MessageBinding<Owner>::ForMessage(message, handler);
}

template <class Owner>
MessageBinding<Owner> OnInitDialog(HandlerResult (Owner::*handler)(const Message&)) {
    return OnMessage(WM_INITDIALOG, handler);
}

template <class Owner>
MessageBinding<Owner> OnCommand(int controlId, int notification, void (Owner::*handler)()) {
    MessageBinding<Owner> binding =
        MessageBinding<Owner>::ForCommands(controlId, controlId, notification);
    binding.onCommand = handler;
    return binding;
}

// The notification `notification` of every control from `firstControl` to `lastControl`; the
// handler learns which control sent it.
template <class Owner>
MessageBinding<Owner> OnCommandRange(int firstControl, int lastControl, int notification,
                                     void (Owner::*handler)(int controlId)) {
    MessageBinding<Owner> binding =
        MessageBinding<Owner>::ForCommands(firstControl, lastControl, notification);
    binding.onRange = handler;
    return binding;
}

template <class Base>
ChainedMap<Base> ChainMessageMap() {
    return {};
}

// Dispatches through the map `Owner::kMessageMap`. `Base` is Dialog, or a dialog class of shared
// handlers that Owner's map chains to.
template <class Owner, class Base = Dialog>
class MappedDialog : public Base {
  protected:
    using Base::Base;

  private:
    HandlerResult Dispatch(const Message& message) override {
        return DispatchThroughMap(static_cast<Owner&>(*this), Owner::kMessageMap, message);
    }
};
