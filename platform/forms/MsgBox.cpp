#include "platform/forms/MsgBox.h"

#include <array>
#include <vector>

#include <QApplication>
#include <QMessageBox>

namespace Forms {

namespace {

struct ButtonCode {
  QMessageBox::StandardButton button;
  int answer;
};

constexpr std::array<ButtonCode, 7> kAnswers{{
    {QMessageBox::Ok, vbOK},
    {QMessageBox::Cancel, vbCancel},
    {QMessageBox::Abort, vbAbort},
    {QMessageBox::Retry, vbRetry},
    {QMessageBox::Ignore, vbIgnore},
    {QMessageBox::Yes, vbYes},
    {QMessageBox::No, vbNo},
}};

// The buttons of each button style, left to right.
std::vector<QMessageBox::StandardButton> ButtonsOf(int style) {
  switch (style & 0x0F) {
    case vbOKCancel:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case vbAbortRetryIgnore:
      return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case vbYesNoCancel:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case vbYesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case vbRetryCancel:
      return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
      return {QMessageBox::Ok};
  }
}

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case vbCritical:
      return QMessageBox::Critical;
    case vbQuestion:
      return QMessageBox::Question;
    case vbExclamation:
      return QMessageBox::Warning;
    case vbInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

class QtMessageBoxService final : public MessageBoxService {
 public:
  int Show(const QString& prompt, int style, const QString& title) override {
    QMessageBox box(IconOf(style), title, prompt, QMessageBox::NoButton, QApplication::activeWindow());
    const auto buttons = ButtonsOf(style);
    for (const auto button : buttons) {
      box.addButton(button);
    }
    const std::size_t defaultIndex = std::size_t((style >> 8) & 0x03);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
    const int chosen = box.exec();
    for (const auto& code : kAnswers) {
      if (code.button == chosen) {
        return code.answer;
      }
    }
    // Closed without a button (only possible where the box offers Cancel or one button).
    return buttons.size() == 1 ? vbOK : vbCancel;
  }
};

QtMessageBoxService g_qtService;
MessageBoxService* g_service = &g_qtService;

}  // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
  return g_service->Show(prompt, style, title.isEmpty() ? kProgramTitle : title);
}

ScopedMessageBoxService::ScopedMessageBoxService(MessageBoxService& service) : m_previous(g_service) {
  g_service = &service;
}

ScopedMessageBoxService::~ScopedMessageBoxService() { g_service = m_previous; }

}  // namespace Forms
