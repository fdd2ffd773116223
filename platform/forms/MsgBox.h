#pragma once
// Message boxes with the numeric styles and answers the program's callers pass around,
// behind a service that tests replace to script the answers.

#include <QString>

namespace Forms {

// Buttons (the low bits of a style).
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
// Icons.
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
// Which button is the default (the first when none is given).
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The title a box gets when the caller gives none.
inline const QString kProgramTitle = QStringLiteral("Lorvane");

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows a modal box and returns the answer code of the button chosen.
  virtual int Show(const QString& prompt, int style, const QString& title) = 0;
};

// Shows a box through the current service; an empty title becomes the program's name.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {});

// Routes every box to another service while it lives (tests script answers this way);
// the previous service comes back when it ends.
class ScopedMessageBoxService {
 public:
  explicit ScopedMessageBoxService(MessageBoxService& service);
  ~ScopedMessageBoxService();
  ScopedMessageBoxService(const ScopedMessageBoxService&) = delete;
  ScopedMessageBoxService& operator=(const ScopedMessageBoxService&) = delete;

 private:
  MessageBoxService* m_previous;
};

}  // namespace Forms
