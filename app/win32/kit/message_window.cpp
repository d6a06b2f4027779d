#include "app/win32/kit/message_window.h"

#include "app/screen_scale.h"
#include "app/win32/kit/design_font.h"
#include "base/program_identity.h"
#include "base/win32/colour.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"

namespace balancer {

namespace {

constexpr int kTextId = 100;

void ReleaseFont(MessageWindowState& state) {
  if (state.font != nullptr) DeleteObject(state.font);
  state.font = nullptr;
}

// Gives the return window back before the window goes.
void OnClose(MessageWindowState& state) {
  state.open = false;
  HWND back = state.returnWindow;
  state.returnWindow = nullptr;
  if (back != nullptr && IsWindow(back)) {
    EnableWindow(back, TRUE);
    SetActiveWindow(back);
    SetFocus(back);
  }
}

void OnPaint(HWND hwnd, MessageWindowState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  RECT band = client;
  band.top = client.bottom - Scaled(50, state.screenScale);
  FillRect(dc, &band, state.bandBrush);
  EndPaint(hwnd, &ps);
}

// The message window's state belongs to the program (one for the run).
LRESULT HandleMessageWindow(HWND hwnd, MessageWindowState& state, UINT msg, WPARAM wParam,
                            LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id == kMessageOkId || id == kMessageYesId || id == kMessageNoId) {
        AnswerMessageWindow(state, id);
        return 0;
      }
      break;
    }
    case WM_KEYDOWN: {
      int answer = MessageAnswerForKey(wParam);
      if (answer != 0) {
        AnswerMessageWindow(state, answer);
        return 0;
      }
      break;
    }
    case WM_ACTIVATE:
      // Keep the keys with the window rather than a button so that Enter,
      // Y, N and Esc answer.
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, state.textColour);
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_PAINT:
      OnPaint(hwnd, state);
      return 0;
    case WM_CLOSE:
      OnClose(state);
      DestroyWindow(hwnd);
      // Only now, with the window gone, may the next message open.
      if (!state.replacing && state.onClosed) state.onClosed();
      return 0;
    case WM_DESTROY:
      if (state.hwnd == hwnd) {
        // Destroyed without WM_CLOSE (its owner went): still give the
        // disabled window back.
        if (!state.replacing) OnClose(state);
        state.hwnd = nullptr;
        state.open = false;
        ReleaseFont(state);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND AddButton(HWND parent, MessageWindowState& state, int id, const std::string& text, int x,
               int y, int width, int height) {
  HWND button =
      CreateWindowExA(0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.instance, nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
  return button;
}

}  // namespace

int MessageAnswerForKey(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      return kMessageOkId;
    case 'Y':
      return kMessageYesId;
    case 'N':
    case VK_ESCAPE:
      return kMessageNoId;
    default:
      return 0;
  }
}

bool RegisterMessageWindowClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kMessageWindowClass;
  info.proc = StateWindowProc<MessageWindowState, HandleMessageWindow>;
  info.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  return RegisterClassOnce(instance, info);
}

HWND OpenMessageWindow(MessageWindowState& state, const OperatorMessage& message) {
  // Only one message at a time: a new one replaces the open one unanswered.
  // The window the first one disabled stays disabled and is handed on, so it
  // is given back once, when the last message closes.
  HWND inheritedReturn = nullptr;
  if (state.hwnd != nullptr) {
    inheritedReturn = state.returnWindow;
    state.returnWindow = nullptr;
    state.replacing = true;
    DestroyWindow(state.hwnd);
    state.replacing = false;
    state.hwnd = nullptr;
  }
  const float s = state.screenScale;
  if (message.beep != kBeepNone) MessageBeep(message.beep);
  state.textColour = ColourRef(message.colour);
  state.actionCode = message.actionCode;
  if (state.bandBrush == nullptr) state.bandBrush = CreateSolidBrush(RGB(224, 224, 224));
  ReleaseFont(state);
  state.font = CreateDesignFont(message.fontHeight, message.fontWeight, s);

  HWND active = GetActiveWindow();
  if (inheritedReturn != nullptr) {
    state.returnWindow = inheritedReturn;
  } else {
    state.returnWindow = active != nullptr ? active : state.owner;
  }
  if (state.returnWindow != nullptr) EnableWindow(state.returnWindow, FALSE);
  state.open = true;

  HWND hwnd =
      CreateWindowExA(WS_EX_LAYERED, kMessageWindowClass, message.caption.c_str(), WS_OVERLAPPED,
                      Scaled(message.x, s), Scaled(message.y, s), Scaled(message.width, s),
                      Scaled(message.height, s), state.owner, nullptr, state.instance, &state);
  if (hwnd == nullptr) {
    OnClose(state);
    return nullptr;
  }
  state.hwnd = hwnd;
  SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);

  // Buttons sit in the window's outer coordinates, as the design gives them.
  const int width = Scaled(message.width, s);
  const int height = Scaled(message.height, s);
  const int buttonY = height - Scaled(70, s);
  const int buttonHeight = Scaled(34, s);
  if (message.buttonMode == kOneButton) {
    AddButton(hwnd, state, kMessageOkId, message.firstButtonText, width - Scaled(80, s), buttonY,
              Scaled(message.firstButtonWidth, s), buttonHeight);
  } else if (message.buttonMode == kTwoButtons) {
    const int first = Scaled(message.firstButtonWidth, s);
    const int second = Scaled(message.secondButtonWidth, s);
    AddButton(hwnd, state, kMessageYesId, message.firstButtonText,
              width - Scaled(40, s) - second - first, buttonY, first, buttonHeight);
    AddButton(hwnd, state, kMessageNoId, message.secondButtonText, width - Scaled(20, s) - second,
              buttonY, second, buttonHeight);
  }

  RECT client;
  GetClientRect(hwnd, &client);
  HWND text = CreateWindowExA(
      0, "STATIC", message.text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
      client.left + Scaled(20, s), client.top + Scaled(18, s),
      (client.right - client.left) - Scaled(30, s), (client.bottom - client.top) - Scaled(76, s),
      hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), state.instance, nullptr);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);

  ShowWindow(hwnd, SW_SHOW);
  SetActiveWindow(hwnd);
  SetFocus(hwnd);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return hwnd;
}

void CloseMessageWindow(MessageWindowState& state) {
  if (state.hwnd != nullptr) SendMessageA(state.hwnd, WM_CLOSE, 0, 0);
}

void AnswerMessageWindow(MessageWindowState& state, int answer) {
  if (state.hwnd == nullptr) return;
  state.lastAnswer = answer;
  HWND hwnd = state.hwnd;
  if (state.onAnswer) state.onAnswer(answer, state.actionCode);
  // The handler may have opened another message in its place.
  if (state.hwnd == hwnd) SendMessageA(hwnd, WM_CLOSE, 0, 0);
}

}  // namespace balancer
