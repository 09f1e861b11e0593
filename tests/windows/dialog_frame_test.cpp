// The dialog frame (base/win/dialog.h) in this process: a modeless dialog from the tests' own
// small template, whose map binds one handler to each thing the frame must get right, and
// messages sent to it as the system and its controls send them.

#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <optional>
#include <stdexcept>

#include "base/win/dialog.h"
#include "base/win/gdi_objects.h"
#include "frame_dialog_ids.h"

namespace {

// Questions to the dialog, each answered by a different map.
constexpr UINT kAskOwn = WM_APP + 1;      // the dialog's own map only
constexpr UINT kAskChained = WM_APP + 2;  // the chained map only
constexpr UINT kAskBoth = WM_APP + 3;     // both: the dialog's own entry stands first
constexpr INT_PTR kOwnAnswer = 41;
constexpr INT_PTR kChainedAnswer = 42;

// Handlers shared through a chained map, as the skin's are.
class SharedHandlers : public Dialog {
  public:
    static const MessageMap<SharedHandlers> kMessageMap;

  protected:
    using Dialog::Dialog;

  private:
    HandlerResult AnswerChained(const Message&) { return kChainedAnswer; }
};

const MessageMap<SharedHandlers> SharedHandlers::kMessageMap = {
    OnMessage(kAskChained, &SharedHandlers::AnswerChained),
    OnMessage(kAskBoth, &SharedHandlers::AnswerChained),
};

class FrameDialog : public MappedDialog<FrameDialog, SharedHandlers> {
  public:
    static const MessageMap<FrameDialog> kMessageMap;

    FrameDialog() : MappedDialog(IDD_FRAME_TEST) {}

    // What WM_INITDIALOG's handler does: focuses this control (none: 0) and answers this.
    int focusAtInitialisation = 0;
    INT_PTR initialisationAnswer = TRUE;
    // The answer to WM_CTLCOLORSTATIC.
    HBRUSH staticBrush = nullptr;
    // The control the range handler was last handed.
    int clickedInRange = 0;
    bool throwsLackOfMemory = false;  // which failure the throwing handler throws
    // DWLP_USER as the handler of WM_NCDESTROY saw it.
    std::optional<LONG_PTR> userDataAtNcDestroy;

  private:
    HandlerResult Initialise(const Message&) {
        ownWindow_ = Window();
        if (focusAtInitialisation != 0)
            SetFocus(Item(focusAtInitialisation));
        return initialisationAnswer;
    }
    HandlerResult AnswerOwn(const Message&) { return kOwnAnswer; }
    HandlerResult ColourStatic(const Message&) { return reinterpret_cast<INT_PTR>(staticBrush); }
    HandlerResult Detached(const Message&) {
        userDataAtNcDestroy = GetWindowLongPtrW(ownWindow_, DWLP_USER);
        return std::nullopt;
    }
    void ClickedInRange(int controlId) { clickedInRange = controlId; }
    void EndWithOk() { End(IDOK); }
    void Throw() {
        if (throwsLackOfMemory)
            throw std::bad_alloc();
        throw std::runtime_error("a handler of the test failed");
    }

    // The window, still known once the frame has let go of it.
    HWND ownWindow_ = nullptr;
};

const MessageMap<FrameDialog> FrameDialog::kMessageMap = {
    OnInitDialog(&FrameDialog::Initialise),
    OnMessage(kAskOwn, &FrameDialog::AnswerOwn),
    OnMessage(kAskBoth, &FrameDialog::AnswerOwn),
    OnMessage(WM_CTLCOLORSTATIC, &FrameDialog::ColourStatic),
    OnMessage(WM_NCDESTROY, &FrameDialog::Detached),
    OnCommandRange(IDC_FRAME_FIRST, IDC_FRAME_THIRD, BN_CLICKED, &FrameDialog::ClickedInRange),
    OnCommand(IDC_FRAME_END, BN_CLICKED, &FrameDialog::EndWithOk),
    OnCommand(IDC_FRAME_THROW, BN_CLICKED, &FrameDialog::Throw),
    ChainMessageMap<SharedHandlers>(),
};

// A modal dialog that asks for work after its first paint and, when it comes, notes what had been
// painted and ends. Its initialisation takes longer than the shortest timer, as a real one that
// reads files may.
class LateWorkDialog : public MappedDialog<LateWorkDialog> {
  public:
    static const MessageMap<LateWorkDialog> kMessageMap;

    LateWorkDialog() : MappedDialog(IDD_FRAME_LATE_WORK) {}

    int paints = 0;
    // What the work found when it came.
    bool visibleAtWork = false;
    int paintsAtWork = 0;
    int controlsStillToPaintAtWork = -1;

  private:
    // Should the work never come, the test ends the dialog after this long rather than hang.
    static constexpr UINT_PTR kGiveUpTimer = 1;

    HandlerResult Initialise(const Message&) {
        RunAfterFirstPaint();
        Sleep(3 * USER_TIMER_MINIMUM);
        SetTimer(Window(), kGiveUpTimer, 60000, nullptr);
        return TRUE;
    }
    HandlerResult Painted(const Message&) {
        ++paints;
        return std::nullopt;
    }
    HandlerResult Work(const Message&) {
        visibleAtWork = IsWindowVisible(Window()) != FALSE;
        paintsAtWork = paints;
        controlsStillToPaintAtWork = 0;
        for (int id : {IDC_LATE_WORK_LABEL, IDC_LATE_WORK_BUTTON}) {
            if (GetUpdateRect(Item(id), nullptr, FALSE))
                ++controlsStillToPaintAtWork;
        }
        End(IDOK);
        return 0;
    }
    HandlerResult GiveUp(const Message& message) {
        if (message.wParam == kGiveUpTimer)
            End(IDABORT);
        return std::nullopt;
    }
};

const MessageMap<LateWorkDialog> LateWorkDialog::kMessageMap = {
    OnInitDialog(&LateWorkDialog::Initialise),
    OnMessage(WM_PAINT, &LateWorkDialog::Painted),
    OnMessage(kAfterFirstPaint, &LateWorkDialog::Work),
    OnMessage(WM_TIMER, &LateWorkDialog::GiveUp),
};

// What a button sends its dialog when it is clicked.
void Click(const Dialog& dialog, int id) {
    SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
}

LRESULT Ask(const Dialog& dialog, UINT question) {
    return SendMessageW(dialog.Window(), question, 0, 0);
}

// FALSE: the handler has set the focus itself, and the dialog manager leaves it there. TRUE: the
// dialog manager gives it to the first tab stop.
TEST(DialogFrame, TheInitialisationsFocusAnswerReachesTheDialogManager) {
    FrameDialog focusedByHandler;
    focusedByHandler.focusAtInitialisation = IDC_FRAME_SECOND;
    focusedByHandler.initialisationAnswer = FALSE;
    ASSERT_TRUE(focusedByHandler.CreateModeless(nullptr));
    EXPECT_EQ(GetFocus(), focusedByHandler.Item(IDC_FRAME_SECOND));

    FrameDialog focusedByManager;
    focusedByManager.focusAtInitialisation = IDC_FRAME_SECOND;
    focusedByManager.initialisationAnswer = TRUE;
    ASSERT_TRUE(focusedByManager.CreateModeless(nullptr));
    EXPECT_EQ(GetFocus(), focusedByManager.Item(IDC_FRAME_FIRST));
}

// A command handler answers nothing, and Wine's dialog manager clears DWLP_MSGRESULT before each
// message: only a message handler's own value shows whether answers take that way.
TEST(DialogFrame, AHandlersAnswerReachesTheSenderThroughDwlpMsgResult) {
    FrameDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(Ask(dialog, kAskOwn), kOwnAnswer);
}

TEST(DialogFrame, TheBrushForAStaticIsAnsweredDirectly) {
    FrameDialog dialog;
    dialog.staticBrush = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    const ScreenDc dc;
    EXPECT_EQ(SendMessageW(dialog.Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                           reinterpret_cast<LPARAM>(dialog.Item(IDC_FRAME_LABEL))),
              reinterpret_cast<LRESULT>(dialog.staticBrush));
}

TEST(DialogFrame, TheChainedMapIsAskedAfterTheDialogsOwnEntries) {
    FrameDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(Ask(dialog, kAskChained), kChainedAnswer);
    EXPECT_EQ(Ask(dialog, kAskBoth), kOwnAnswer);
}

TEST(DialogFrame, ARangeHandlerLearnsWhichControlWasClicked) {
    FrameDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    Click(dialog, IDC_FRAME_SECOND);
    EXPECT_EQ(dialog.clickedInRange, IDC_FRAME_SECOND);
}

TEST(DialogFrame, TheWindowLetsGoOfTheObjectAsItIsDestroyed) {
    FrameDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ASSERT_TRUE(DestroyWindow(dialog.Window()));
    EXPECT_EQ(dialog.userDataAtNcDestroy, 0);
    EXPECT_EQ(dialog.Window(), nullptr);
}

// The dialog manager shows a modal dialog once its queue is first empty: work that came before
// would hold a window nobody has seen yet.
TEST(DialogFrame, WorkAfterTheFirstPaintComesWhenTheDialogAndItsControlsHavePainted) {
    LateWorkDialog dialog;
    ASSERT_EQ(dialog.RunModal(nullptr), IDOK) << "the work did not come";
    EXPECT_TRUE(dialog.visibleAtWork);
    EXPECT_GT(dialog.paintsAtWork, 0);
    EXPECT_EQ(dialog.controlsStillToPaintAtWork, 0);
}

// Its window stays until the object goes.
TEST(DialogFrame, EndingAModelessDialogHidesIt) {
    FrameDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ASSERT_TRUE(IsWindowVisible(dialog.Window()));
    Click(dialog, IDC_FRAME_END);
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_TRUE(IsWindow(dialog.Window()));
    EXPECT_FALSE(dialog.Failed());
}

// The exception stops in the frame: the test goes on to look.
TEST(DialogFrame, AHandlerThatThrowsFailsTheDialogAndEndsIt) {
    FrameDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    Click(dialog, IDC_FRAME_THROW);
    EXPECT_TRUE(dialog.Failed());
    EXPECT_FALSE(dialog.RanOutOfMemory());
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_EQ(Ask(dialog, kAskOwn), kOwnAnswer);
}

// The program tells the player of a dialog that vanished for lack of memory.
TEST(DialogFrame, AHandlerThatRunsOutOfMemoryIsToldApart) {
    FrameDialog dialog;
    dialog.throwsLackOfMemory = true;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    Click(dialog, IDC_FRAME_THROW);
    EXPECT_TRUE(dialog.Failed());
    EXPECT_TRUE(dialog.RanOutOfMemory());
}

}  // namespace
